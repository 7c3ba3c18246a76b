#pragma once
// The text of a window's box by name, whatever kind of box it is: a text
// box, a multi-line text box or a drop-down box.
#include "platform/ui/form.h"

namespace ui {

// Throws std::logic_error when the window has no box of that name.
QString boxText(const Form* window, const QString& name);
void setBoxText(Form* window, const QString& name, const QString& text);

} // namespace ui
