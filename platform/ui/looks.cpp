#include "platform/ui/looks.h"

#include "platform/ui/controls.h"

#include <QFont>
#include <QPalette>

namespace ui {

void setForeColor(QWidget* control, quint32 bbggrr)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(bbggrr));
    palette.setColor(QPalette::Text, colorFromBgr(bbggrr));
    control->setPalette(palette);
}

void setFillColor(QWidget* control, quint32 bbggrr)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, colorFromBgr(bbggrr));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void setFontOf(QWidget* control, const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    control->setFont(font);
}

void setSizingPointer(QWidget* control)
{
    control->setCursor(Qt::SizeHorCursor);
}

void setLinkLook(QWidget* control)
{
    QFont font = control->font();
    font.setUnderline(true);
    control->setFont(font);
    control->setCursor(Qt::PointingHandCursor);
}

void setMaximized(QWidget* window)
{
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

} // namespace ui
