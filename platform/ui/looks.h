#pragma once
// Looks of controls that the control classes do not carry themselves: text
// colour and font of a label, the sizing mouse pointer of a splitter, and a
// window's maximised state. A control here is a
// widget or a label, which speak the same terms for these.
#include "platform/ui/controls.h"

#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace ui {

template <class Control>
void setForeColor(Control* control, quint32 bbggrr)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colorFromBgr(bbggrr));
    palette.setColor(QPalette::Text, colorFromBgr(bbggrr));
    control->setPalette(palette);
}

template <class Control>
void setFontOf(Control* control, const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    control->setFont(font);
}

// The west-east sizing arrow while the mouse is over the control.
template <class Control>
void setSizingPointer(Control* control)
{
    control->setCursor(Qt::SizeHorCursor);
}

// The control's font underlined and the pointing hand over it: a link label.
template <class Control>
void setLinkLook(Control* control)
{
    QFont font = control->font();
    font.setUnderline(true);
    control->setFont(font);
    control->setCursor(Qt::PointingHandCursor);
}

void setMaximized(QWidget* window);

} // namespace ui
