#pragma once
// Module-wide pieces of the chrome library: the list of windows whose Alt
// keys the thread keyboard hook offers to their frame painters, and the hook.
#include "chrome/object.h"
#include "platform/winsys/types.h"

#include <memory>

namespace chrome {
class cNCCalcSize;
}

namespace chrome::mDeclares {

using namespace winsys;

void AddAccelWindow(cNCCalcSize* window);
void RemoveAccelWindow(cNCCalcSize* window);
// The 1-based place of the object in the list, 0 when it is not listed.
int FindAccelWindow(cNCCalcSize* window);
// The first listed object, in registration order, whose window is active.
bool GetActiveAccelWindow(std::shared_ptr<cNCCalcSize>& window);
LRESULT KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam);
HHOOK KeyHook();
int AccelWindowCount();

} // namespace chrome::mDeclares
