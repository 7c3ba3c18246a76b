#include "chrome/msubclass.h"

#include "chrome/errors.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <map>
#include <string>
#include <vector>

namespace chrome::MSubclass {

namespace {

// Set before each client call and not restored afterwards.
UINT currentMessage = 0;
WNDPROC currentOldProc = nullptr;

// What each client has hooked, so that its destruction can undo it.
std::map<ISubclass*, std::vector<std::pair<HWND, UINT>>>& attachments()
{
    static std::map<ISubclass*, std::vector<std::pair<HWND, UINT>>> all;
    return all;
}

std::string num(long long v) { return std::to_string(v); }
std::string procName(HWND h) { return num(h); }
std::string countName(HWND h) { return "C" + num(h); }
std::string clientCountName(HWND h, UINT m) { return num(h) + "#" + num(LONG(m)) + "C"; }
std::string clientName(HWND h, UINT m, LONG i) { return num(h) + "#" + num(LONG(m)) + "#" + num(i); }

LONG readLong(HWND h, const std::string& name) { return LONG(GetPropA(h, name)); }

WNDPROC oldProc(HWND h) { return reinterpret_cast<WNDPROC>(GetPropA(h, procName(h))); }

} // namespace

void RaiseSubclassError(int n) { raiseChromeError(n); }

bool IsOwnProcessWindow(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid == GetCurrentProcessId();
}

void AttachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg)
{
    if (!IsWindow(hwnd)) RaiseSubclassError(errInvalidWindow);
    if (!IsOwnProcessWindow(hwnd)) RaiseSubclassError(errExternalWindow);

    const LONG hooks = readLong(hwnd, countName(hwnd));
    if (hooks != 0) {
        SetPropA(hwnd, countName(hwnd), hooks + 1);
    } else {
        const LONG_PTR previous = SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
        if (previous == 0) RaiseSubclassError(errCantSubclass);
        SetPropA(hwnd, procName(hwnd), previous);
        SetPropA(hwnd, countName(hwnd), 1);
    }

    const LONG n = readLong(hwnd, clientCountName(hwnd, iMsg));
    const LONG_PTR pointer = reinterpret_cast<LONG_PTR>(iwp);
    for (LONG i = 1; i <= n; ++i)
        if (GetPropA(hwnd, clientName(hwnd, iMsg, i)) == pointer) RaiseSubclassError(errAlreadyHandled);

    SetPropA(hwnd, clientCountName(hwnd, iMsg), n + 1);
    SetPropA(hwnd, clientName(hwnd, iMsg, n + 1), pointer);
    attachments()[iwp].emplace_back(hwnd, iMsg);
}

void DetachMessage(ISubclass* iwp, HWND hwnd, UINT iMsg)
{
    // A window without a hook count was never hooked here: nothing to undo.
    const LONG hooks = readLong(hwnd, countName(hwnd));
    if (hooks == 1) {
        SetWindowLongA(hwnd, GWL_WNDPROC, GetPropA(hwnd, procName(hwnd)));
        RemovePropA(hwnd, procName(hwnd));
        RemovePropA(hwnd, countName(hwnd));
    } else if (hooks > 1) {
        SetPropA(hwnd, countName(hwnd), hooks - 1);
    } else {
        return;
    }

    const LONG n = readLong(hwnd, clientCountName(hwnd, iMsg));
    if (n <= 0) return;
    const LONG_PTR pointer = reinterpret_cast<LONG_PTR>(iwp);
    LONG found = 0;
    for (LONG i = 1; i <= n && !found; ++i)
        if (GetPropA(hwnd, clientName(hwnd, iMsg, i)) == pointer) found = i;
    if (!found) return;
    for (LONG j = found + 1; j <= n; ++j)
        SetPropA(hwnd, clientName(hwnd, iMsg, j - 1), GetPropA(hwnd, clientName(hwnd, iMsg, j)));
    RemovePropA(hwnd, clientName(hwnd, iMsg, n));
    SetPropA(hwnd, clientCountName(hwnd, iMsg), n - 1);

    auto it = attachments().find(iwp);
    if (it != attachments().end()) {
        auto& list = it->second;
        for (auto at = list.begin(); at != list.end(); ++at)
            if (*at == std::make_pair(hwnd, iMsg)) {
                list.erase(at);
                break;
            }
        if (list.empty()) attachments().erase(it);
    }
}

void DetachAll(ISubclass* iwp)
{
    auto it = attachments().find(iwp);
    if (it == attachments().end()) return;
    const auto list = it->second;
    attachments().erase(it);
    for (const auto& [hwnd, msg] : list)
        if (IsWindow(hwnd)) DetachMessage(iwp, hwnd, msg);
}

UINT CurrentMessage() { return currentMessage; }

LRESULT CallOldWindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(currentOldProc, hwnd, iMsg, wParam, lParam);
}

LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = oldProc(hwnd);
    const LONG n = readLong(hwnd, clientCountName(hwnd, iMsg));
    if (n < 1) return CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);

    bool calledOld = false;
    LRESULT result = 0;
    for (LONG i = 1; i <= n; ++i) {
        auto* client = reinterpret_cast<ISubclass*>(GetPropA(hwnd, clientName(hwnd, iMsg, i)));
        if (!client) {
            result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
            continue;
        }
        // Keeps the client alive while it handles the message.
        const std::shared_ptr<ISubclass> keep = mDeclares::ObjectFromPtr(client);
        currentMessage = iMsg;
        currentOldProc = previous;
        if (i == 1 && client->MsgResponse() == OldProcBefore && !calledOld) {
            CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
            calledOld = true;
        }
        result = client->WindowProc(hwnd, iMsg, wParam, lParam);
        if (i == n && client->MsgResponse() == OldProcAfter && !calledOld) {
            result = CallWindowProcA(previous, hwnd, iMsg, wParam, lParam);
            calledOld = true;
        }
    }
    return result;
}

} // namespace chrome::MSubclass

namespace chrome {

ISubclass::~ISubclass()
{
    if (winsys::installed()) MSubclass::DetachAll(this);
}

} // namespace chrome
