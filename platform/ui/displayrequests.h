#pragma once

namespace ui {

// Qt writes window titles to the X server through Xlib, which keeps a note of
// every request it sends until it next reads from the server itself. Qt reads
// the connection through xcb instead, so those notes pile up, a few for each
// window shown, for as long as the program runs, scattered among the memory of
// the windows shown meanwhile. A round trip through Xlib reads them away.
// Does nothing on a platform without an X server (tests run offscreen).
void settleDisplayRequests();

} // namespace ui
