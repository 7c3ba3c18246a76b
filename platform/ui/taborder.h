#pragma once
// The order in which Tab and Shift+Tab walk a window's controls. Controls go
// top to bottom and, in one row, left to right, wherever they sit (in frames
// and cards too), so controls a window adds while it runs (a new line row)
// take their places among the others and the buttons at the bottom stay last.
// A window whose design fixes the order of some controls declares them as a
// sequence: the sequence is walked as one block, in its own order, from the
// place of its first control.
#include <QWidget>
#include <vector>

namespace ui {

// Declares `controls` as one sequence of the window's tab order.
void setTabOrder(const std::vector<QWidget*>& controls);
// The controls of `window` that Tab reaches now (enabled, shown, taking
// focus by Tab), in the order it reaches them.
std::vector<QWidget*> tabOrder(const QWidget* window);
// Moves the focus to the next (or previous) control of the window's tab order
// after the one holding the focus; false when the window has none.
bool moveTabFocus(QWidget* window, bool next);

} // namespace ui
