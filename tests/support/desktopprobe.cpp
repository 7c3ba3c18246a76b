#include "tests/support/desktopprobe.h"

#include "platform/ui/label.h"

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

namespace {

void clickAt(QWidget* control, QPointF inside)
{
    QMouseEvent press(QEvent::MouseButtonPress, inside, control->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, control->mapToGlobal(inside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &release);
}

} // namespace

void clickWithMouse(QWidget* control)
{
    clickAt(control, QPointF(2, 2));
}

void clickWithMouse(ui::Label* label)
{
    QWidget* container = label->parentWidget();
    const QPoint inside = label->pos() + QPoint(2, 2);
    QWidget* shown = container->childAt(inside);
    if (!shown) shown = container;
    clickAt(shown, shown->mapFrom(container, inside));
}
