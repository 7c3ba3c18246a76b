#include "chrome/mdeclares.h"

#include "chrome/cnccalcsize.h"
#include "platform/winsys/api.h"

#include <algorithm>
#include <vector>

namespace chrome::mDeclares {

namespace {
HHOOK m_hKeyHook = 0;
std::vector<cNCCalcSize*> m_lAccelWindow;   // registration order; place 1 first
} // namespace

HHOOK KeyHook() { return m_hKeyHook; }
int AccelWindowCount() { return int(m_lAccelWindow.size()); }

int FindAccelWindow(cNCCalcSize* window)
{
    auto it = std::find(m_lAccelWindow.begin(), m_lAccelWindow.end(), window);
    return it == m_lAccelWindow.end() ? 0 : int(it - m_lAccelWindow.begin()) + 1;
}

void AddAccelWindow(cNCCalcSize* window)
{
    if (m_hKeyHook == 0) m_hKeyHook = SetWindowsHookExA(WH_KEYBOARD, &KeyboardHookProc, 0, GetCurrentThreadId());
    if (FindAccelWindow(window) == 0) m_lAccelWindow.push_back(window);
}

void RemoveAccelWindow(cNCCalcSize* window)
{
    if (const int i = FindAccelWindow(window)) m_lAccelWindow.erase(m_lAccelWindow.begin() + (i - 1));
    if (m_lAccelWindow.empty() && m_hKeyHook != 0) {
        UnhookWindowsHookEx(m_hKeyHook);
        m_hKeyHook = 0;
    }
}

bool GetActiveAccelWindow(std::shared_ptr<cNCCalcSize>& window)
{
    for (cNCCalcSize* candidate : m_lAccelWindow)
        if (candidate->WindowActive()) {
            window = ObjectFromPtr(candidate);
            return window != nullptr;
        }
    return false;
}

LRESULT KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const uint32_t bits = uint32_t(lParam);
    const bool offered = nCode == HC_ACTION && m_hKeyHook != 0 && (bits & 0x20000000u) && wParam > 0 && wParam != VK_MENU
        && !(bits & 0x80000000u) && GetAsyncKeyState(VK_CONTROL) == 0 && !(wParam >= VK_F1 && wParam <= VK_F12)
        && wParam != VK_ESCAPE && wParam != VK_DELETE;
    if (offered) {
        // A failure while offering the key passes it on like any other key.
        try {
            std::shared_ptr<cNCCalcSize> window;
            if (GetActiveAccelWindow(window) && window->AltKeyAccelerator(LONG(wParam))) return 1;
        } catch (...) {
        }
    }
    return CallNextHookEx(m_hKeyHook, nCode, wParam, lParam);
}

} // namespace chrome::mDeclares
