#pragma once
// The functions of the window system, by their platform names, acting on the
// current implementation (system.h).
#include "platform/winsys/menutypes.h"
#include "platform/winsys/types.h"

#include <string>

namespace winsys {

// Windows, properties, procedures, messages.
BOOL IsWindow(HWND);
DWORD GetWindowThreadProcessId(HWND, DWORD* processId);
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
LONG_PTR SetWindowLongA(HWND, int index, LONG_PTR value);
LONG_PTR GetWindowLongA(HWND, int index);
BOOL SetPropA(HWND, const std::string& name, LONG_PTR value);
LONG_PTR GetPropA(HWND, const std::string& name);
LONG_PTR RemovePropA(HWND, const std::string& name);
LRESULT CallWindowProcA(WNDPROC, HWND, UINT, WPARAM, LPARAM);
LRESULT SendMessageA(HWND, UINT, WPARAM, LPARAM);
BOOL PostMessageA(HWND, UINT, WPARAM, LPARAM);
HMENU GetMenu(HWND);
BOOL SetMenu(HWND, HMENU);
HWND GetParent(HWND);
int GetClassNameA(HWND, char* buffer, int size);
BOOL IsWindowVisible(HWND);
BOOL IsZoomed(HWND);
BOOL GetWindowRect(HWND, RECT*);
BOOL GetClientRect(HWND, RECT*);
BOOL SetWindowPos(HWND, HWND after, int x, int y, int cx, int cy, UINT flags);
BOOL RedrawWindow(HWND, const RECT* update, HANDLE region, UINT flags);
BOOL SetForegroundWindow(HWND);
HWND GetForegroundWindow();
HWND SetFocus(HWND);
BOOL ReleaseCapture();
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL ScreenToClient(HWND, POINT*);
BOOL ClientToScreen(HWND, POINT*);
int GetSystemMetrics(int index);

// Cursor, keys, time.
BOOL GetCursorPos(POINT*);
BOOL SetCursorPos(int x, int y);
short GetAsyncKeyState(int vk);
void mouse_event(DWORD flags, LONG dx, LONG dy, DWORD data, UINT_PTR extra);
void Sleep(DWORD ms);
// Processes the thread's pending messages and returns.
void DoEvents();
UINT_PTR SetTimer(HWND, UINT_PTR id, UINT elapse, TIMERPROC);
BOOL KillTimer(HWND, UINT_PTR id);

// Thread hooks.
HHOOK SetWindowsHookExA(int kind, HOOKPROC, HANDLE module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK);
LRESULT CallNextHookEx(HHOOK, int code, WPARAM, LPARAM);

// Device contexts, bitmaps, brushes, drawing.
HDC CreateDCA(const char* driver, const char* device, const char* output, const void* mode);
HDC CreateCompatibleDC(HDC);
HBITMAP CreateCompatibleBitmap(HDC, int width, int height);
HGDIOBJ SelectObject(HDC, HGDIOBJ);
BOOL DeleteObject(HGDIOBJ);
BOOL DeleteDC(HDC);
int GetObjectA(HGDIOBJ, int size, void* out);
BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int sx, int sy, DWORD rop);
HDC GetWindowDC(HWND);
int ReleaseDC(HWND, HDC);
COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
HBRUSH CreateSolidBrush(COLORREF);
int FillRect(HDC, const RECT*, HBRUSH);
BOOL DrawEdge(HDC, RECT*, UINT edge, UINT flags);
BOOL DrawCaption(HWND, HDC, const RECT*, UINT flags);
BOOL DrawFrameControl(HDC, RECT*, UINT kind, UINT state);
COLORREF GetPixel(HDC, int x, int y);
COLORREF SetPixel(HDC, int x, int y, COLORREF);
BOOL OffsetRect(RECT*, int dx, int dy);
BOOL InflateRect(RECT*, int dx, int dy);
BOOL PtInRect(const RECT*, POINT);

// Menus.
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU);
// MF_STRING, MF_SEPARATOR, MF_POPUP (idOrSub is then the submenu), MF_GRAYED, MF_CHECKED, MF_OWNERDRAW.
BOOL AppendMenuA(HMENU, UINT flags, UINT_PTR idOrSub, const char* text);
int GetMenuItemCount(HMENU);
// The item's command id; -1 for an item that opens a popup.
int GetMenuItemID(HMENU, int position);
HMENU GetSubMenu(HMENU, int position);
BOOL GetMenuItemInfoA(HMENU, UINT item, BOOL byPosition, MENUITEMINFOA*);
BOOL SetMenuItemInfoA(HMENU, UINT item, BOOL byPosition, const MENUITEMINFOA*);
BOOL TrackPopupMenuEx(HMENU, UINT flags, int x, int y, HWND, const TPMPARAMS*);
BOOL LockWindowUpdate(HWND);

// Window text.
int GetWindowTextA(HWND, char* buffer, int size);
int GetWindowTextLengthA(HWND);
BOOL SetWindowTextA(HWND, const char* text);

// Text and fonts.
int DrawTextA(HDC, const char* text, int length, RECT*, UINT format);
COLORREF SetTextColor(HDC, COLORREF);
int SetBkMode(HDC, int mode);
HFONT CreateFontIndirectA(const LOGFONTA*);
int GetDeviceCaps(HDC, int index);
int MulDiv(int number, int numerator, int denominator);

// OLE colours: RGB values pass, 0x80000000 + index names a system colour;
// anything else cannot be translated (E_INVALIDARG_, the output untouched).
LONG OleTranslateColor(OLE_COLOR, HPALETTE, COLORREF* out);

} // namespace winsys
