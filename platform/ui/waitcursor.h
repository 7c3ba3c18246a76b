#pragma once

namespace ui {

// While the window thread waits for the data file that another workstation
// holds, the wait cursor shows from a quarter of a second into the wait until
// the handler that waited returns to the event loop. That return also ends
// the handler's action for the database layer, so the handler's statements
// wait at most the busy timeout once in all. Turned on once, at the start.
void showWaitsForTheDataFile();

} // namespace ui
