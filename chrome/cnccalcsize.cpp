#include "chrome/cnccalcsize.h"

#include "chrome/mdeclares.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <algorithm>
#include <cstring>

namespace chrome {

namespace {

constexpr const char* implementationProperty = "qornCNCImplementation";

// The messages Attach hooks, in order; WM_SIZE only for an MDI child.
constexpr UINT hookedMessages[] = {
    WM_NCCALCSIZE, WM_NCPAINT, WM_NCACTIVATE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_NCLBUTTONDBLCLK,
    WM_NCHITTEST, WM_SETCURSOR, WM_INITMENU, WM_INITMENUPOPUP, WM_STYLECHANGED, WM_SETTEXT,
    WM_ACTIVATEAPP, WM_ENTERMENULOOP, WM_EXITMENULOOP, WM_SIZE, WM_DESTROY,
};

// The window rectangle offset to 0,0 and the cursor relative to it.
struct WindowPlace {
    RECT rect;
    POINT cursor;
};

WindowPlace placeOf(HWND hwnd)
{
    WindowPlace place;
    GetWindowRect(hwnd, &place.rect);
    GetCursorPos(&place.cursor);
    place.cursor.x -= place.rect.left;
    place.cursor.y -= place.rect.top;
    OffsetRect(&place.rect, -place.rect.left, -place.rect.top);
    return place;
}

} // namespace

INCAreaModifier::~INCAreaModifier()
{
    if (!winsys::installed()) return;
    for (HWND hwnd : propertyOn_)
        if (IsWindow(hwnd) && GetPropA(hwnd, implementationProperty) == reinterpret_cast<LONG_PTR>(this))
            RemovePropA(hwnd, implementationProperty);
}

cNCCalcSize::~cNCCalcSize()
{
    if (winsys::installed()) Detach();
}

void cNCCalcSize::Attach(INCAreaModifier& iTo)
{
    Detach();
    m_hWnd = iTo.hwnd();
    m_hMenu = GetMenu(m_hWnd);
    m_bMDIChild = IsMDIChild(m_hWnd);
    for (UINT msg : hookedMessages)
        if (msg != WM_SIZE || m_bMDIChild) MSubclass::AttachMessage(this, m_hWnd, msg);

    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    m_hDC = CreateCompatibleDC(display);
    m_hBmp = CreateCompatibleBitmap(display, GetSystemMetrics(SM_CXSCREEN), 4 * GetSystemMetrics(SM_CYCAPTION));
    m_hBmpOld = SelectObject(m_hDC, m_hBmp);
    DeleteDC(display);

    SetPropA(m_hWnd, implementationProperty, reinterpret_cast<LONG_PTR>(&iTo));
    iTo.propertyOn_.push_back(m_hWnd);
    mDeclares::AddAccelWindow(this);
}

void cNCCalcSize::Detach()
{
    mDeclares::RemoveAccelWindow(this);
    if (m_hWnd != 0) {
        for (UINT msg : hookedMessages)
            if (msg != WM_SIZE || m_bMDIChild) MSubclass::DetachMessage(this, m_hWnd, msg);
        m_bMDIChild = false;
    }
    if (m_hDC) {
        SelectObject(m_hDC, m_hBmpOld);
        m_hBmpOld = 0;
        DeleteObject(m_hBmp);
        m_hBmp = 0;
        DeleteDC(m_hDC);
        m_hDC = 0;
    }
    if (m_hWnd) RemovePropA(m_hWnd, implementationProperty);
    m_hWnd = 0;
    m_hMenu = 0;
}

bool cNCCalcSize::GetImplementation(std::shared_ptr<INCAreaModifier>& iTo)
{
    auto* pointer = reinterpret_cast<INCAreaModifier*>(GetPropA(m_hWnd, implementationProperty));
    if (!pointer) return false;
    auto reference = mDeclares::ObjectFromPtr(pointer);
    if (!reference) return false;
    iTo = std::move(reference);
    return true;
}

void cNCCalcSize::Display(IForm& f)
{
    try {
        f.Refresh();
    } catch (...) {
        // A form that cannot refresh still gets its frame recomputed.
    }
    SetWindowPos(m_hWnd, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void cNCCalcSize::Redraw(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, 0, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void cNCCalcSize::TitleBarMouseDown()
{
    POINT p;
    GetCursorPos(&p);
    ReleaseCapture();
    SendMessageA(m_hWnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
}

void cNCCalcSize::SysCommand(WPARAM eCmd) { PostMessageA(m_hWnd, WM_SYSCOMMAND, eCmd, 0); }

bool cNCCalcSize::AltKeyAccelerator(LONG vKey)
{
    std::shared_ptr<INCAreaModifier> impl;
    return GetImplementation(impl) && impl->AltKeyAccelerator(vKey);
}

LONG cNCCalcSize::MsgResponse()
{
    switch (MSubclass::CurrentMessage()) {
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_SETCURSOR:
    case WM_STYLECHANGED:
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
        return NoOldProc;
    default:
        return OldProcBefore;
    }
}

void cNCCalcSize::repaintFrame(HWND hwnd) { WindowProc(hwnd, WM_NCPAINT, 0, 0); }

LRESULT cNCCalcSize::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<INCAreaModifier> impl;
    switch (iMsg) {
    case WM_NCCALCSIZE:
        return calcSize(hwnd, wParam, lParam);
    case WM_NCPAINT:
        return paint(hwnd, iMsg, wParam, lParam);
    case WM_NCACTIVATE: {
        m_bActive = wParam != 0;
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        repaintFrame(hwnd);
        return result;
    }
    case WM_NCLBUTTONDOWN:
        return press(hwnd, iMsg, wParam, lParam);
    case WM_NCLBUTTONUP:
        return release();
    case WM_NCHITTEST:
        if (!GetImplementation(impl)) return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        m_lLastHitTest = HitTest();
        return m_lLastHitTest == HTMENU ? HTCLIENT : m_lLastHitTest;
    case WM_SETCURSOR:
        return setCursor(hwnd, iMsg, wParam, lParam);
    case WM_INITMENUPOPUP: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        repaintFrame(hwnd);
        if (HIWORD(lParam) == 0 && GetImplementation(impl)) impl->InitMenuPopup(wParam, lParam);
        return result;
    }
    case WM_NCLBUTTONDBLCLK:
    case WM_STYLECHANGED:
    case WM_SETTEXT: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        if (!s_bInSetCursor) repaintFrame(hwnd);
        return result;
    }
    case WM_ACTIVATEAPP:
        m_bAppActive = wParam != 0;
        return 0;
    case WM_EXITMENULOOP: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        repaintFrame(hwnd);
        if (GetImplementation(impl)) impl->ExitMenuLoop();
        return result;
    }
    case WM_INITMENU:
    case WM_ENTERMENULOOP:
    case WM_SIZE: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        repaintFrame(hwnd);
        return result;
    }
    case WM_DESTROY:
        Detach();
        return 0;
    default:
        return 0;
    }
}

LRESULT cNCCalcSize::calcSize(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    m_bMaxMDIChild = IsMDIChild(hwnd) && IsZoomed(hwnd);
    if (wParam == 0) return MSubclass::CallOldWindowProc(hwnd, WM_NCCALCSIZE, wParam, lParam);

    NCCALCSIZE_PARAMS params;
    std::memcpy(&params, reinterpret_cast<void*>(lParam), sizeof params);
    WINDOWPOS pos;
    std::memcpy(&pos, params.lppos, sizeof pos);
    params.rgrc[0] = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};

    m_lLeft = m_lRight = GetSystemMetrics(SM_CXFRAME);
    m_lTop = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
    m_lBottom = GetSystemMetrics(SM_CYFRAME);
    std::shared_ptr<INCAreaModifier> impl;
    if (!m_bMaxMDIChild && GetImplementation(impl)) {
        impl->GetLeftMarginWidth(m_lLeft);
        impl->GetTopMarginHeight(m_lTop);
        impl->GetRightMarginWidth(m_lRight);
        impl->GetBottomMarginHeight(m_lBottom);
    }

    RECT& r = params.rgrc[0];
    r.left += m_lLeft;
    r.top += m_lTop;
    r.right -= m_lRight;
    r.bottom -= m_lBottom;
    params.rgrc[1] = r;
    std::memcpy(reinterpret_cast<void*>(lParam), &params, sizeof params);
    return WVR_VALIDRECTS;
}

LRESULT cNCCalcSize::paint(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    if (!IsWindowVisible(hwnd)) return 0;
    m_bMaxMDIChild = IsMDIChild(hwnd) && IsZoomed(hwnd);
    if (m_bMaxMDIChild) return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    const HDC hdc = GetWindowDC(m_hWnd);
    RECT r;
    GetWindowRect(m_hWnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    std::shared_ptr<INCAreaModifier> impl;
    if (GetImplementation(impl)) impl->NCPaint(hdc, r.left, r.top, r.right, r.bottom);
    else DefaultNCPaint(hdc, r.left, r.top, r.right, r.bottom);
    ReleaseDC(m_hWnd, hdc);
    return 0;
}

LRESULT cNCCalcSize::press(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    // Nudging the cursor one unit, alternately up-left and down-right.
    if (s_lNudgeX == 0 || s_lNudgeY == 0) s_lNudgeX = s_lNudgeY = 1;
    s_lNudgeX = -s_lNudgeX;
    s_lNudgeY = -s_lNudgeY;
    mouse_event(MOUSEEVENTF_MOVE, s_lNudgeX, s_lNudgeY, 0, 0);

    wParam = WPARAM(HitTest());
    std::shared_ptr<INCAreaModifier> impl;
    if (GetImplementation(impl)) {
        if (m_lLastHitTest == HTCAPTION) {
            if (!m_bActive) SetForegroundWindow(m_hWnd);
            DragCaption();
            return 0;
        }
        const WindowPlace place = placeOf(m_hWnd);
        const HDC hdc = GetWindowDC(m_hWnd);
        bool handled = false;
        impl->NCMouseDown(place.cursor.x, place.cursor.y, handled, hdc, 0, 0, place.rect.right, place.rect.bottom);
        ReleaseDC(m_hWnd, hdc);
        if (handled) return 0;
    }
    const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    repaintFrame(hwnd);
    return result;
}

LRESULT cNCCalcSize::release()
{
    std::shared_ptr<INCAreaModifier> impl;
    if (GetImplementation(impl)) {
        const WindowPlace place = placeOf(m_hWnd);
        const HDC hdc = GetWindowDC(m_hWnd);
        bool handled = false;
        impl->NCMouseDown(place.cursor.x, place.cursor.y, handled, hdc, 0, 0, place.rect.right, place.rect.bottom);
        impl->NCMouseUp(place.cursor.x, place.cursor.y, hdc, 0, 0, place.rect.right, place.rect.bottom);
        ReleaseDC(m_hWnd, hdc);
    }
    return 0;
}

LRESULT cNCCalcSize::setCursor(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    s_bInSetCursor = true;
    const LONG_PTR style = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, style & ~LONG_PTR(WS_VISIBLE));
    const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    if (GetMenu(m_hWnd) != 0) SetMenu(m_hWnd, 0);
    SetWindowLongA(m_hWnd, GWL_STYLE, style);
    s_bInSetCursor = false;
    return result;
}

LONG cNCCalcSize::HitTest()
{
    std::shared_ptr<INCAreaModifier> impl;
    if (!GetImplementation(impl)) return HTNOWHERE;
    // A maximised window has no border to drag, as its window menu offers no
    // size: its border zones answer as client area.
    const bool sizable = (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_THICKFRAME) && !IsZoomed(m_hWnd);
    LONG code = HTCLIENT;
    const WindowPlace place = placeOf(m_hWnd);
    const POINT p = place.cursor;
    if (PtInRect(&place.rect, p)) {
        const LONG w = place.rect.right, h = place.rect.bottom;
        auto border = [&](LONG c) { return sizable ? c : LONG(HTCLIENT); };
        if (p.x <= m_lLeft) {
            code = border(p.y <= m_lBottom ? HTTOPLEFT : p.y >= h - m_lBottom ? HTBOTTOMLEFT : HTLEFT);
        } else if (p.x >= w - m_lRight) {
            code = border(p.y <= m_lBottom ? HTTOPRIGHT : p.y >= h - m_lBottom ? HTBOTTOMRIGHT : HTRIGHT);
        } else if (p.y <= m_lBottom) {
            code = border(HTTOP);
        } else if (p.y >= h - m_lBottom) {
            code = border(HTBOTTOM);
        } else if (p.y <= m_lTop && p.y <= m_lBottom + GetSystemMetrics(SM_CYCAPTION)) {
            code = p.x <= GetSystemMetrics(SM_CYCAPTION) ? HTSYSMENU : HTCAPTION;
        }
    }
    impl->HitTest(p.x, p.y, code);
    return code;
}

void cNCCalcSize::DragCaption()
{
    auto mapped = [this] {
        RECT r;
        GetWindowRect(m_hWnd, &r);
        if (const HWND parent = GetParent(m_hWnd)) MapWindowPoints(0, parent, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT r = mapped();
    POINT last;
    GetCursorPos(&last);
    while (m_hWnd && GetAsyncKeyState(VK_LBUTTON) != 0 && m_bActive) {
        POINT now;
        GetCursorPos(&now);
        if (!(now == last)) {
            SetWindowPos(m_hWnd, 0, r.left + (now.x - last.x), r.top + (now.y - last.y), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER);
            last = now;
            r = mapped();
        }
        DoEvents();
        Sleep(1);
    }
}

bool cNCCalcSize::IsMDIChild(HWND hwnd)
{
    char name[260] = {};
    GetClassNameA(GetParent(hwnd), name, 260);
    return name[0] != '\0' && std::strcmp(name, "MDIClient") == 0;
}

void cNCCalcSize::DefaultNCPaint(HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom)
{
    const HBRUSH caption = GetSysColorBrush(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const HBRUSH border = GetSysColorBrush(m_bActive ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
    const LONG cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME), cyc = GetSystemMetrics(SM_CYCAPTION);

    const RECT strips[] = {
        {lLeft, cyf, cxf, lBottom - cyf},
        {lLeft, lTop, lRight, cyf},
        {lRight - cxf, cyf, lRight, lBottom - cyf},
        {lLeft, lBottom - cyf, lRight, lBottom},
        {lLeft, cxf + cyc - 1, lRight, cxf + cyc},
    };
    for (const RECT& strip : strips) FillRect(hdc, &strip, border);

    const RECT strip{lLeft + cxf, lTop + cyf, lRight - cxf, lTop + cyf + cyc - 1};
    const LONG w = strip.right - strip.left, h = strip.bottom - strip.top;
    const RECT text{0, 0, w - 3 * h - 2, h};
    DrawCaption(m_hWnd, m_hDC, &text, DC_ICON | DC_TEXT | (m_bActive ? DC_ACTIVE : 0));
    const RECT rest{text.right, 0, w, h};
    FillRect(m_hDC, &rest, caption);

    RECT button{w - 2 - (h - 2), 2, w - 2, h - 2};
    DrawFrameControl(m_hDC, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
    OffsetRect(&button, -(button.right - button.left + 2), 0);
    DrawFrameControl(m_hDC, &button, DFC_CAPTION, IsZoomed(m_hWnd) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX);
    OffsetRect(&button, -(button.right - button.left), 0);
    DrawFrameControl(m_hDC, &button, DFC_CAPTION, DFCS_CAPTIONMIN);

    BitBlt(hdc, strip.left, strip.top, w, h, m_hDC, 0, 0, SRCCOPY);
    RECT whole{lLeft, lTop, lRight, lBottom};
    DrawEdge(hdc, &whole, EDGE_RAISED, BF_RECT);
}

} // namespace chrome
