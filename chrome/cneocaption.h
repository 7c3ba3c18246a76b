#pragma once
// A form's frame drawn from two pictures: the caption picture (active and
// inactive caption artwork and the caption-button images) and the border
// picture (tiles for the sides, the bottom and its corners). It paints,
// hit-tests and handles presses for a cNCCalcSize, shows the window's menu
// as an owner-drawn cMenuBar in the lower half of the caption band, and keeps
// its pictures in cMemDC surfaces.
#include "chrome/cmemdc.h"
#include "chrome/cmenubar.h"
#include "chrome/cnccalcsize.h"
#include "chrome/incareamodifier.h"
#include "platform/winsys/font.h"
#include "platform/winsys/picture.h"

#include <array>
#include <memory>

namespace chrome {

class cNeoCaption : public INCAreaModifier {
public:
    cNeoCaption();
    ~cNeoCaption() override;

    void Detach();
    void Attach(IForm& f, const StdPicture& PicCaption, const StdPicture& PicBorder, LONG lButtonWidth, LONG lButtonHeight,
                LONG lActiveLeftEnd, LONG lActiveRightStart, LONG lActiveRightEnd, LONG lInactiveOffset);

    OLE_COLOR MenuBackgroundColor() const { return menuBackground_; }
    void setMenuBackgroundColor(OLE_COLOR c) { menuBackground_ = c; }
    OLE_COLOR ActiveCaptionColor() const { return activeCaption_; }
    void setActiveCaptionColor(OLE_COLOR c) { activeCaption_ = c; }
    OLE_COLOR InActiveCaptionColor() const { return inactiveCaption_; }
    void setInActiveCaptionColor(OLE_COLOR c) { inactiveCaption_ = c; }
    std::shared_ptr<StdFont> CaptionFont() const { return captionFont_; }
    void setCaptionFont(std::shared_ptr<StdFont> font) { captionFont_ = std::move(font); }
    std::shared_ptr<StdFont> MenuFont() const { return menuFont_; }
    void setMenuFont(std::shared_ptr<StdFont> font) { menuFont_ = std::move(font); }
    OLE_COLOR ActiveMenuColor() const { return activeMenu_; }
    OLE_COLOR ActiveMenuColorOver() const { return activeMenuOver_; }
    OLE_COLOR InActiveMenuColor() const { return inactiveMenu_; }
    void setActiveMenuColor(OLE_COLOR c) { activeMenu_ = c; }
    void setActiveMenuColorOver(OLE_COLOR c) { activeMenuOver_ = c; }
    void setInActiveMenuColor(OLE_COLOR c) { inactiveMenu_ = c; }

    bool AltKeyAccelerator(LONG vKey) override;
    void ExitMenuLoop() override;
    void HitTest(LONG x, LONG y, LONG& eHitTest) override;
    HWND hwnd() override { return m_hWnd; }
    void InitMenuPopup(WPARAM wParam, LPARAM lParam) override;
    void NCMouseDown(LONG x, LONG y, bool& bHandled, HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom) override;
    void NCMouseUp(LONG x, LONG y, HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom) override;
    void NCPaint(HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom) override;
    void GetBottomMarginHeight(LONG& cy) override;
    void GetLeftMarginWidth(LONG& cx) override;
    void GetRightMarginWidth(LONG& cx) override;
    void GetTopMarginHeight(LONG& cy) override;

    // A LOGFONT (zero-filled by the caller) from a font object; the ANSI name
    // is cut at a character boundary so that it ends within lfFaceName.
    static void FontFromStdFont(const StdFont& font, HDC hdc, LOGFONTA& lf);
    static LONG TranslateColor(OLE_COLOR colour, HPALETTE palette = 0);

    // The parts, for tests.
    cMenuBar* menuBar() const { return m_cMenuBar.get(); }
    cNCCalcSize* subclasser() const { return m_cNCCalcSize.get(); }
    RECT ButtonRect(int i) const { return m_tBtn[size_t(i)]; }

private:
    enum { Close = 0, Maximise = 1, Minimise = 2 };
    void DrawCaptionButtons(HDC hdc, int button, int state);
    bool windowActive() const { return m_cNCCalcSize && m_cNCCalcSize->WindowActive(); }
    LONG C() const { return m_cCaptionDC ? m_cCaptionDC->Height() : 0; }
    LONG B() const { return m_cBorderDC ? m_cBorderDC->Height() : 0; }

    std::shared_ptr<cNCCalcSize> m_cNCCalcSize;
    HWND m_hWnd = 0;
    std::shared_ptr<cMemDC> m_cCaptionDC, m_cBorderDC, m_cCaptionBuffer, m_cSideBuffer;
    std::shared_ptr<cMenuBar> m_cMenuBar;
    OLE_COLOR activeCaption_ = 0xCCCCCC;
    OLE_COLOR inactiveCaption_ = 0x999999;
    std::shared_ptr<StdFont> captionFont_;
    OLE_COLOR activeMenu_ = 0;
    OLE_COLOR activeMenuOver_ = 0;
    OLE_COLOR inactiveMenu_ = 0x808080;
    OLE_COLOR menuBackground_ = 0xFFFFFF;
    std::shared_ptr<StdFont> menuFont_;
    LONG m_lButtonWidth = 0, m_lButtonHeight = 0;
    LONG m_lActiveLeftEnd = 0, m_lActiveRightStart = 0, m_lActiveRightEnd = 0, m_lInactiveOffset = 0;
    std::array<RECT, 3> m_tBtn{};
    std::array<bool, 3> m_bBtnShown{};
    std::array<bool, 3> m_bBtnPressed{};
};

} // namespace chrome
