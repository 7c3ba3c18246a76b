#pragma once

namespace ui {

// Qt gives every scrolled area (grids, lists, text boxes of several lines) a
// two-finger touch-screen pan, and makes the pan's state object at the area's
// first event, touch screen or not. A closed window's pan objects are deleted
// only at some later event to another scrolled area, and until then they keep
// the closed window's memory from going back to the system: every pop-up card
// of the call monitor left a few behind. The program is used with mouse and
// keyboard, which scroll as before; touch panning is turned off once, before
// the first window is made.
void turnOffTouchPanning();

} // namespace ui
