#include "platform/winsys/api.h"

#include "platform/winsys/system.h"

#include <cmath>
#include <cstring>

namespace winsys {

namespace {
System& sys() { return current(); }
System::Window* win(HWND hwnd) { return sys().window(hwnd); }
} // namespace

BOOL IsWindow(HWND hwnd) { return win(hwnd) != nullptr; }

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    System::Window* w = win(hwnd);
    if (!w) return 0;
    if (processId) *processId = w->processId ? w->processId : sys().processId();
    return w->processId ? w->processId + 1 : sys().threadId();
}

DWORD GetCurrentProcessId() { return sys().processId(); }
DWORD GetCurrentThreadId() { return sys().threadId(); }

LONG_PTR SetWindowLongA(HWND hwnd, int index, LONG_PTR value) { return sys().setWindowLong(hwnd, index, value); }

LONG_PTR GetWindowLongA(HWND hwnd, int index)
{
    System::Window* w = win(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_STYLE: return w->style;
    case GWL_EXSTYLE: return w->exStyle;
    default: return 0;
    }
}

BOOL SetPropA(HWND hwnd, const std::string& name, LONG_PTR value)
{
    System::Window* w = win(hwnd);
    if (!w) return 0;
    w->props[name] = value;
    return 1;
}

LONG_PTR GetPropA(HWND hwnd, const std::string& name)
{
    System::Window* w = win(hwnd);
    if (!w) return 0;
    auto it = w->props.find(name);
    return it == w->props.end() ? 0 : it->second;
}

LONG_PTR RemovePropA(HWND hwnd, const std::string& name)
{
    System::Window* w = win(hwnd);
    if (!w) return 0;
    auto it = w->props.find(name);
    if (it == w->props.end()) return 0;
    const LONG_PTR value = it->second;
    w->props.erase(it);
    return value;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { return sys().send(hwnd, msg, wParam, lParam); }
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) { return sys().post(hwnd, msg, wParam, lParam); }

HMENU GetMenu(HWND hwnd)
{
    System::Window* w = win(hwnd);
    return w ? w->menu : 0;
}

BOOL SetMenu(HWND hwnd, HMENU menu) { return sys().setMenu(hwnd, menu); }

HWND GetParent(HWND hwnd)
{
    System::Window* w = win(hwnd);
    return w ? w->parent : 0;
}

namespace {
// Copies a window's text into a caller's buffer of size bytes, cut to fit with its zero.
int copyOut(HWND hwnd, const std::string System::Window::*field, char* buffer, int size)
{
    System::Window* w = win(hwnd);
    if (!w || !buffer || size <= 0) return 0;
    const std::string& text = w->*field;
    const int n = std::min<int>(int(text.size()), size - 1);
    std::memcpy(buffer, text.data(), size_t(n));
    buffer[n] = '\0';
    return n;
}
} // namespace

int GetClassNameA(HWND hwnd, char* buffer, int size) { return copyOut(hwnd, &System::Window::className, buffer, size); }

BOOL IsWindowVisible(HWND hwnd)
{
    System::Window* w = win(hwnd);
    return w && (w->style & WS_VISIBLE);
}

BOOL IsZoomed(HWND hwnd)
{
    System::Window* w = win(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect)
{
    System::Window* w = win(hwnd);
    if (!w || !rect) return 0;
    *rect = w->rect;
    return 1;
}

BOOL GetClientRect(HWND hwnd, RECT* rect)
{
    System::Window* w = win(hwnd);
    if (!w || !rect) return 0;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return 1;
}

BOOL SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    return sys().setWindowPos(hwnd, after, x, y, cx, cy, flags);
}

BOOL RedrawWindow(HWND hwnd, const RECT*, HANDLE, UINT flags) { return sys().redrawWindow(hwnd, flags); }
BOOL SetForegroundWindow(HWND hwnd) { return sys().setForeground(hwnd); }
HWND GetForegroundWindow() { return sys().foreground(); }

HWND SetFocus(HWND hwnd)
{
    const HWND previous = sys().foreground();
    return IsWindow(hwnd) ? previous : 0;
}

BOOL ReleaseCapture()
{
    sys().releaseCapture();
    return 1;
}

namespace {
// The screen position of a window's client area; (0, 0) for the desktop.
POINT clientOrigin(HWND hwnd)
{
    System::Window* w = win(hwnd);
    if (!w) return POINT{};
    return POINT{w->rect.left + w->client.left, w->rect.top + w->client.top};
}
} // namespace

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count)
{
    const POINT a = clientOrigin(from), b = clientOrigin(to);
    const int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(uint32_t(uint16_t(dx)) | (uint32_t(uint16_t(dy)) << 16));
}

BOOL ScreenToClient(HWND hwnd, POINT* point)
{
    if (!win(hwnd) || !point) return 0;
    MapWindowPoints(0, hwnd, point, 1);
    return 1;
}

BOOL ClientToScreen(HWND hwnd, POINT* point)
{
    if (!win(hwnd) || !point) return 0;
    MapWindowPoints(hwnd, 0, point, 1);
    return 1;
}

int GetSystemMetrics(int index) { return sys().systemMetric(index); }

BOOL GetCursorPos(POINT* point)
{
    if (!point) return 0;
    *point = sys().cursorPos();
    return 1;
}

BOOL SetCursorPos(int x, int y)
{
    sys().setCursorPos(POINT{x, y});
    return 1;
}

short GetAsyncKeyState(int vk) { return sys().asyncKeyState(vk); }
void mouse_event(DWORD flags, LONG dx, LONG dy, DWORD data, UINT_PTR) { sys().mouseEvent(flags, dx, dy, data); }
void Sleep(DWORD ms) { sys().sleep(ms); }
void DoEvents() { sys().doEvents(); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR, UINT elapse, TIMERPROC proc)
{
    // Only timers without a window, calling back a procedure, are provided.
    if (hwnd || !proc) return 0;
    return sys().setTimer(elapse, proc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) { return !hwnd && sys().killTimer(id); }

HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HANDLE, DWORD threadId) { return sys().setHook(kind, proc, threadId); }
BOOL UnhookWindowsHookEx(HHOOK hook) { return sys().unhook(hook); }
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) { return sys().callNextHook(hook, code, wParam, lParam); }

HDC CreateDCA(const char* driver, const char*, const char*, const void*)
{
    if (!driver || std::strcmp(driver, "DISPLAY") != 0) return 0;
    return sys().gdi().createDisplayDC();
}

HDC CreateCompatibleDC(HDC hdc) { return sys().gdi().createCompatibleDC(hdc); }
HBITMAP CreateCompatibleBitmap(HDC, int width, int height) { return sys().gdi().createBitmap(width, height); }
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) { return sys().gdi().selectObject(hdc, object); }
BOOL DeleteObject(HGDIOBJ object) { return sys().gdi().deleteObject(object); }
BOOL DeleteDC(HDC hdc) { return sys().gdi().deleteDC(hdc); }
int GetObjectA(HGDIOBJ object, int size, void* out) { return sys().gdi().getObject(object, size, out); }

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop)
{
    return sys().gdi().bitBlt(dst, x, y, width, height, src, sx, sy, rop);
}

HDC GetWindowDC(HWND hwnd) { return win(hwnd) ? sys().gdi().windowDC(hwnd) : 0; }
int ReleaseDC(HWND hwnd, HDC hdc) { return sys().gdi().releaseDC(hwnd, hdc); }
COLORREF GetSysColor(int index) { return Gdi::sysColor(index); }
HBRUSH GetSysColorBrush(int index) { return sys().gdi().sysColorBrush(index); }
HBRUSH CreateSolidBrush(COLORREF colour) { return sys().gdi().createSolidBrush(colour); }
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) { return rect ? sys().gdi().fillRect(hdc, *rect, brush) : 0; }
BOOL DrawEdge(HDC hdc, RECT* rect, UINT edge, UINT flags) { return rect && sys().gdi().drawEdge(hdc, *rect, edge, flags); }

BOOL DrawCaption(HWND hwnd, HDC hdc, const RECT* rect, UINT flags)
{
    System::Window* w = win(hwnd);
    return w && rect && sys().gdi().drawCaption(hdc, *rect, w->text, flags);
}

BOOL DrawFrameControl(HDC hdc, RECT* rect, UINT kind, UINT state) { return rect && sys().gdi().drawFrameControl(hdc, *rect, kind, state); }
COLORREF GetPixel(HDC hdc, int x, int y) { return sys().gdi().getPixel(hdc, x, y); }
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF c) { return sys().gdi().setPixel(hdc, x, y, c); }

BOOL OffsetRect(RECT* r, int dx, int dy)
{
    if (!r) return 0;
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
    return 1;
}

BOOL InflateRect(RECT* r, int dx, int dy)
{
    if (!r) return 0;
    r->left -= dx;
    r->right += dx;
    r->top -= dy;
    r->bottom += dy;
    return 1;
}

BOOL PtInRect(const RECT* r, POINT p)
{
    return r && p.x >= r->left && p.x < r->right && p.y >= r->top && p.y < r->bottom;
}

HMENU CreateMenu() { return sys().createMenu(); }
HMENU CreatePopupMenu() { return sys().createMenu(); }
BOOL DestroyMenu(HMENU menu) { return sys().destroyMenu(menu); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrSub, const char* text)
{
    System::Menu* m = sys().menu(menu);
    if (!m) return 0;
    System::MenuItem item;
    item.type = (flags & MF_SEPARATOR) ? MFT_SEPARATOR : (flags & MF_OWNERDRAW) ? MFT_OWNERDRAW : MFT_STRING;
    item.state = (flags & MF_GRAYED ? MFS_GRAYED : 0) | (flags & MF_CHECKED ? MFS_CHECKED : 0);
    // A popup item's id is its submenu handle: owner drawing finds the item by it.
    if (flags & MF_POPUP) item.sub = HMENU(idOrSub);
    item.id = UINT(idOrSub);
    if (text && item.type == MFT_STRING) item.text = text;
    m->items.push_back(item);
    return 1;
}

int GetMenuItemCount(HMENU menu)
{
    System::Menu* m = sys().menu(menu);
    return m ? int(m->items.size()) : -1;
}

int GetMenuItemID(HMENU menu, int position)
{
    System::MenuItem* item = position >= 0 ? sys().menuItem(menu, UINT(position), true) : nullptr;
    if (!item || item->sub) return -1;
    return int(item->id);
}

HMENU GetSubMenu(HMENU menu, int position)
{
    System::MenuItem* item = position >= 0 ? sys().menuItem(menu, UINT(position), true) : nullptr;
    return item ? item->sub : 0;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOA* info)
{
    System::MenuItem* found = info ? sys().menuItem(menu, item, byPosition) : nullptr;
    if (!found) return 0;
    if (info->fMask & MIIM_STATE) info->fState = found->state;
    if (info->fMask & MIIM_ID) info->wID = found->id;
    if (info->fMask & MIIM_SUBMENU) info->hSubMenu = found->sub;
    if (info->fMask & MIIM_DATA) info->dwItemData = found->data;
    if (info->fMask & MIIM_TYPE) {
        info->fType = found->type;
        // The text, cut to the buffer; cch is the text's length.
        if (info->dwTypeData && info->cch > 0) {
            const size_t n = std::min<size_t>(found->text.size(), info->cch - 1);
            std::memcpy(info->dwTypeData, found->text.data(), n);
            info->dwTypeData[n] = '\0';
        }
        info->cch = UINT(found->text.size());
    }
    return 1;
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOA* info)
{
    System::MenuItem* found = info ? sys().menuItem(menu, item, byPosition) : nullptr;
    if (!found) return 0;
    if (info->fMask & MIIM_STATE) found->state = info->fState;
    if (info->fMask & MIIM_ID) found->id = info->wID;
    if (info->fMask & MIIM_SUBMENU) found->sub = info->hSubMenu;
    if (info->fMask & MIIM_DATA) found->data = info->dwItemData;
    if (info->fMask & MIIM_TYPE) {
        found->type = info->fType;
        // An owner-drawn item or a separator keeps no text.
        const bool text = !(info->fType & (MFT_OWNERDRAW | MFT_SEPARATOR));
        found->text = text && info->dwTypeData ? std::string(info->dwTypeData) : std::string();
    }
    return 1;
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND hwnd, const TPMPARAMS* params)
{
    return BOOL(sys().trackPopup(menu, flags, x, y, hwnd, params));
}

BOOL LockWindowUpdate(HWND hwnd)
{
    if (hwnd && sys().lockedWindow && sys().lockedWindow != hwnd) return 0;
    sys().lockedWindow = hwnd;
    return 1;
}

int GetWindowTextA(HWND hwnd, char* buffer, int size) { return copyOut(hwnd, &System::Window::text, buffer, size); }

int GetWindowTextLengthA(HWND hwnd)
{
    System::Window* w = win(hwnd);
    return w ? int(w->text.size()) : 0;
}

BOOL SetWindowTextA(HWND hwnd, const char* text)
{
    if (!win(hwnd)) return 0;
    return BOOL(SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0);
}

int DrawTextA(HDC hdc, const char* text, int length, RECT* rect, UINT format)
{
    if (!text) return 0;
    const std::string s = length < 0 ? std::string(text) : std::string(text, size_t(length));
    return sys().gdi().drawText(hdc, s, rect, format);
}

COLORREF SetTextColor(HDC hdc, COLORREF colour) { return sys().gdi().setTextColor(hdc, colour); }
int SetBkMode(HDC hdc, int mode) { return sys().gdi().setBkMode(hdc, mode); }
HFONT CreateFontIndirectA(const LOGFONTA* font) { return font ? sys().gdi().createFont(*font) : 0; }
int GetDeviceCaps(HDC, int index) { return index == LOGPIXELSY ? 96 : 0; }

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return -1;
    return int(std::llround(double(number) * numerator / denominator));
}

LONG OleTranslateColor(OLE_COLOR colour, HPALETTE, COLORREF* out)
{
    const uint32_t kind = colour >> 24;
    if (kind == 0) {
        if (out) *out = colour;
        return S_OK;
    }
    if (kind == 0x80 && (colour & 0xFFFFFF) < uint32_t(COLOR_COUNT)) {
        if (out) *out = GetSysColor(int(colour & 0xFFFFFF));
        return S_OK;
    }
    return E_INVALIDARG_;
}

} // namespace winsys
