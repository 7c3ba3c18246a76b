#pragma once
// Types, records and numbers of the window system that the chrome library
// talks to. Handles are 32-bit numbers; message parameters, results and
// property values are pointer-sized, so a record can travel by its address.
#include <cstdint>

namespace winsys {

using BOOL = int32_t;
using UINT = uint32_t;
using DWORD = uint32_t;
using WORD = uint16_t;
using LONG = int32_t;
using COLORREF = uint32_t;   // 0x00BBGGRR
using OLE_COLOR = uint32_t;  // RGB, or 0x80000000 + a system colour index

using HANDLE = int32_t;
using HWND = HANDLE;
using HMENU = HANDLE;
using HDC = HANDLE;
using HGDIOBJ = HANDLE;
using HBITMAP = HANDLE;
using HBRUSH = HANDLE;
using HFONT = HANDLE;
using HHOOK = HANDLE;
using HPALETTE = HANDLE;

using WPARAM = intptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int, WPARAM, LPARAM);

struct RECT {
    LONG left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const RECT&) const = default;
};
struct POINT {
    LONG x = 0, y = 0;
    bool operator==(const POINT&) const = default;
};
struct MSG {
    HWND hwnd = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};
struct WINDOWPOS {
    HWND hwnd = 0;
    HWND hwndInsertAfter = 0;
    int32_t x = 0, y = 0, cx = 0, cy = 0;
    UINT flags = 0;
};
struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

constexpr WORD LOWORD(intptr_t v) { return WORD(uintptr_t(v) & 0xFFFF); }
constexpr WORD HIWORD(intptr_t v) { return WORD((uintptr_t(v) >> 16) & 0xFFFF); }
// Two 16-bit values packed as in a mouse message's lParam.
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(uint32_t(uint16_t(lo)) | (uint32_t(uint16_t(hi)) << 16)); }
constexpr int GET_X_LPARAM(LPARAM v) { return int16_t(LOWORD(v)); }
constexpr int GET_Y_LPARAM(LPARAM v) { return int16_t(HIWORD(v)); }
constexpr COLORREF RGB(int r, int g, int b) { return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16); }

// Messages.
enum : UINT {
    WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003, WM_SIZE = 0x0005,
    WM_ACTIVATE = 0x0006, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D, WM_PAINT = 0x000F, WM_CLOSE = 0x0010,
    WM_ACTIVATEAPP = 0x001C, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020, WM_DRAWITEM = 0x002B,
    WM_MEASUREITEM = 0x002C, WM_STYLECHANGED = 0x007D, WM_NCDESTROY = 0x0082, WM_NCCALCSIZE = 0x0083,
    WM_NCHITTEST = 0x0084, WM_NCPAINT = 0x0085, WM_NCACTIVATE = 0x0086, WM_NCMOUSEMOVE = 0x00A0,
    WM_NCLBUTTONDOWN = 0x00A1, WM_NCLBUTTONUP = 0x00A2, WM_NCLBUTTONDBLCLK = 0x00A3, WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_COMMAND = 0x0111,
    WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113, WM_INITMENU = 0x0116, WM_INITMENUPOPUP = 0x0117,
    WM_MENUSELECT = 0x011F, WM_MENUCHAR = 0x0120, WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202, WM_LBUTTONDBLCLK = 0x0203, WM_ENTERMENULOOP = 0x0211, WM_EXITMENULOOP = 0x0212,
};

// Window longs and styles.
enum : int { GWL_WNDPROC = -4, GWL_STYLE = -16, GWL_EXSTYLE = -20 };
enum : LONG {
    WS_OVERLAPPED = 0, WS_MAXIMIZEBOX = 0x00010000, WS_MINIMIZEBOX = 0x00020000, WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000, WS_CAPTION = 0x00C00000, WS_MAXIMIZE = 0x01000000, WS_VISIBLE = 0x10000000,
    WS_MINIMIZE = 0x20000000, WS_CHILD = 0x40000000,
    WS_OVERLAPPEDWINDOW = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};

// Hit-test codes.
enum : LRESULT {
    HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTSYSMENU = 3, HTMENU = 5, HTMINBUTTON = 8, HTMAXBUTTON = 9,
    HTLEFT = 10, HTRIGHT = 11, HTTOP = 12, HTTOPLEFT = 13, HTTOPRIGHT = 14, HTBOTTOM = 15, HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17, HTCLOSE = 20,
};

enum : LRESULT { WVR_VALIDRECTS = 0x400 };

// System commands.
enum : WPARAM { SC_SIZE = 0xF000, SC_MOVE = 0xF010, SC_MINIMIZE = 0xF020, SC_MAXIMIZE = 0xF030, SC_CLOSE = 0xF060, SC_RESTORE = 0xF120 };

// WM_SIZE kinds.
enum : WPARAM { SIZE_RESTORED = 0, SIZE_MINIMIZED = 1, SIZE_MAXIMIZED = 2 };

// SetWindowPos flags.
enum : UINT {
    SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008, SWP_NOACTIVATE = 0x0010,
    SWP_FRAMECHANGED = 0x0020, SWP_SHOWWINDOW = 0x0040, SWP_HIDEWINDOW = 0x0080, SWP_NOOWNERZORDER = 0x0200,
};

// RedrawWindow flags.
enum : UINT {
    RDW_INVALIDATE = 0x0001, RDW_INTERNALPAINT = 0x0002, RDW_ERASE = 0x0004, RDW_ALLCHILDREN = 0x0080,
    RDW_UPDATENOW = 0x0100, RDW_FRAME = 0x0400,
};

// System metrics.
enum : int { SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CYCAPTION = 4, SM_CXFRAME = 32, SM_CYFRAME = 33 };

// System colours.
enum : int {
    COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3, COLOR_MENU = 4,
    COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23, COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30, COLOR_COUNT = 31,
};

// Raster operation, edges, caption drawing, frame controls.
enum : DWORD { SRCCOPY = 0x00CC0020 };
enum : UINT {
    BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF,
    DC_ACTIVE = 0x1, DC_SMALLCAP = 0x2, DC_ICON = 0x4, DC_TEXT = 0x8,
    DFC_CAPTION = 1, DFCS_CAPTIONCLOSE = 0, DFCS_CAPTIONMIN = 1, DFCS_CAPTIONMAX = 2, DFCS_CAPTIONRESTORE = 3,
    DFCS_PUSHED = 0x200,
};

// Hooks.
enum : int { WH_MSGFILTER = -1, WH_KEYBOARD = 2 };
enum : int { HC_ACTION = 0, MSGF_MENU = 2 };

// Virtual keys.
enum : int {
    VK_LBUTTON = 0x01, VK_RBUTTON = 0x02, VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
    VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
    VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28,
    VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_F1 = 0x70, VK_F4 = 0x73, VK_F12 = 0x7B,
};

// mouse_event.
enum : DWORD { MOUSEEVENTF_MOVE = 0x1, MOUSEEVENTF_LEFTDOWN = 0x2, MOUSEEVENTF_LEFTUP = 0x4 };

// Object kinds of GetObjectType, and results.
enum : DWORD { OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_MEMDC = 10 };
enum : LONG { S_OK = 0, E_INVALIDARG_ = LONG(0x80070057) };

} // namespace winsys
