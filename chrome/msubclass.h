#pragma once
// Per-message window hooks. The first hooked message of a window installs one
// shared window procedure on it; what the module must remember about the
// window (its previous procedure, its hook count, the clients of each message
// in order) lives in properties of the window itself.
#include "chrome/isubclass.h"

namespace chrome::MSubclass {

// Hooks message iMsg of hwnd for the client; raises 13083, 13084, 13081, 13082.
void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg);
// Undoes one AttachMessage; raises nothing.
void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg);
// The message last handed to a client.
UINT CurrentMessage();
// Calls the previous procedure of the window whose message was last handed to a client.
LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
// The procedure installed on hooked windows.
LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
bool IsOwnProcessWindow(HWND hwnd);
[[noreturn]] void RaiseSubclassError(int n);

// Detaches every message the client still has hooked (used by its destructor).
void DetachAll(ISubclass* iwp);

} // namespace chrome::MSubclass
