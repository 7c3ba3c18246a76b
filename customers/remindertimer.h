#pragma once
// The main window's reminder timer `frmMain.Timer1`, which the reminder window
// stops and the reminder settings switch.
namespace ui { class Timer; }

namespace customers {

// The timer, or nullptr when the main window is not loaded (the timer steps
// then do nothing).
ui::Timer* reminderTimer();

} // namespace customers
