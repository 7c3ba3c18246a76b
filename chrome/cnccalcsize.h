#pragma once
// Gives a window a custom frame: subclasses its non-client messages and hands
// margins, painting, hit codes and presses to the INCAreaModifier stored in
// the window's "qornCNCImplementation" property. Without one it keeps the
// standard margins and paints a default frame. The caption drag, system
// commands and the Alt-key path from the keyboard hook live here too.
#include "chrome/incareamodifier.h"
#include "chrome/isubclass.h"
#include "platform/winsys/picture.h"

#include <memory>

namespace chrome {

class cNCCalcSize : public ISubclass {
public:
    cNCCalcSize() = default;
    ~cNCCalcSize() override;

    void Redraw(HWND hwnd);
    void Display(IForm& f);
    bool WindowActive() const { return m_bActive; }
    bool AppActive() const { return m_bAppActive; }
    void TitleBarMouseDown();
    void SysCommand(WPARAM eCmd);
    void Attach(INCAreaModifier& iTo);
    HMENU hMenu() const { return m_hMenu; }
    void Detach();
    void DefaultNCPaint(HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom);
    bool GetImplementation(std::shared_ptr<INCAreaModifier>& iTo);

    // For the keyboard hook.
    bool AltKeyAccelerator(LONG vKey);

    LONG MsgResponse() override;
    void setMsgResponse(LONG) override {}
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

    HWND hWnd() const { return m_hWnd; }
    RECT margins() const { return RECT{m_lLeft, m_lTop, m_lRight, m_lBottom}; }
    LONG lastHitTest() const { return m_lLastHitTest; }

private:
    void DragCaption();
    bool IsMDIChild(HWND hwnd);
    LONG HitTest();
    void repaintFrame(HWND hwnd);
    LRESULT calcSize(HWND hwnd, WPARAM wParam, LPARAM lParam);
    LRESULT paint(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT press(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT release();
    LRESULT setCursor(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = 0;
    HMENU m_hMenu = 0;
    bool m_bMDIChild = false;
    bool m_bActive = false;
    bool m_bAppActive = false;
    bool m_bMaxMDIChild = false;
    HDC m_hDC = 0;
    HBITMAP m_hBmp = 0;
    HBITMAP m_hBmpOld = 0;
    LONG m_lLeft = 0, m_lTop = 0, m_lRight = 0, m_lBottom = 0;
    LONG m_lLastHitTest = 0;
    LONG s_lNudgeX = 0, s_lNudgeY = 0;
    bool s_bInSetCursor = false;
};

} // namespace chrome
