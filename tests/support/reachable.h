#pragma once
// What the operator can reach in a window: the window in front takes the
// keys, and a control can be clicked when nothing clips or covers it.
class QWidget;

// Brings the control's window to the front, so that it takes the keys.
void bringToFront(QWidget* window);

// Whether a click at the middle of the control lands on it: it is shown in
// its window and nothing clips or covers it.
bool reachable(QWidget* control);
