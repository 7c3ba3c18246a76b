#include "tests/support/desktopprobe.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QWidget>

namespace {
const char* const kSchemes[] = {"file", "http", "https"};
}

DesktopProbe::DesktopProbe()
{
    for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
}

DesktopProbe::~DesktopProbe()
{
    for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void DesktopProbe::open(const QUrl& url)
{
    opened_ << (url.isLocalFile() ? url.toLocalFile() : url.toString());
}

void clickWithMouse(QWidget* control)
{
    const QPointF inside(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, inside, control->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, control->mapToGlobal(inside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &release);
}
