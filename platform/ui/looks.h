#pragma once
// Looks of controls that the control classes do not carry themselves: text
// colour and font of a label, a bar filled with one colour, the sizing mouse
// pointer of a splitter, and a window's maximised state.
#include <QString>
#include <QWidget>

namespace ui {

void setForeColor(QWidget* control, quint32 bbggrr);
// The control shows as a filled area of the colour.
void setFillColor(QWidget* control, quint32 bbggrr);
void setFontOf(QWidget* control, const QString& family, double points, bool bold);
// The west-east sizing arrow while the mouse is over the control.
void setSizingPointer(QWidget* control);
// The control's font underlined and the pointing hand over it: a link label.
void setLinkLook(QWidget* control);
void setMaximized(QWidget* window);

} // namespace ui
