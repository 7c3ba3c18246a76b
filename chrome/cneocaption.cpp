#include "chrome/cneocaption.h"

#include "chrome/colour.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace chrome {

cNeoCaption::cNeoCaption() : captionFont_(std::make_shared<StdFont>()), menuFont_(std::make_shared<StdFont>()) {}

// Ending without Detach releases the parts (each detaches itself) but does not give the menu back.
cNeoCaption::~cNeoCaption() = default;

LONG cNeoCaption::TranslateColor(OLE_COLOR colour, HPALETTE palette) { return chrome::TranslateColor(colour, palette); }

void cNeoCaption::Attach(IForm& f, const StdPicture& PicCaption, const StdPicture& PicBorder, LONG lButtonWidth, LONG lButtonHeight,
                         LONG lActiveLeftEnd, LONG lActiveRightStart, LONG lActiveRightEnd, LONG lInactiveOffset)
{
    const WindowUpdateLock lock(f.hWnd());
    Detach();
    m_cCaptionDC = std::make_shared<cMemDC>();
    m_cCaptionDC->CreateFromPicture(PicCaption);
    m_cBorderDC = std::make_shared<cMemDC>();
    m_cBorderDC->CreateFromPicture(PicBorder);
    m_cCaptionBuffer = std::make_shared<cMemDC>();
    m_cSideBuffer = std::make_shared<cMemDC>();

    m_lButtonWidth = lButtonWidth;
    m_lButtonHeight = lButtonHeight;
    m_lActiveLeftEnd = lActiveLeftEnd;
    m_lActiveRightStart = lActiveRightStart;
    m_lActiveRightEnd = lActiveRightEnd;
    m_lInactiveOffset = lInactiveOffset;
    m_hWnd = f.hWnd();

    m_cMenuBar = std::make_shared<cMenuBar>();
    m_cMenuBar->Attach(m_hWnd);
    m_cMenuBar->SetFontObject(menuFont_);
    m_cMenuBar->SetColours(activeMenu_, activeMenuOver_, inactiveMenu_, menuBackground_);
    m_cMenuBar->setCaptionHeight(C());

    m_cNCCalcSize = std::make_shared<cNCCalcSize>();
    m_cNCCalcSize->Attach(*this);
    m_cNCCalcSize->Display(f);

    if (IsWindowVisible(m_hWnd)) {
        SetForegroundWindow(m_hWnd);
        SetFocus(m_hWnd);
        SendMessageA(m_hWnd, WM_NCACTIVATE, 1, 0);
    }
}

void cNeoCaption::Detach()
{
    if (m_cNCCalcSize) m_cNCCalcSize->Detach();
    if (m_cMenuBar) {
        const HMENU menu = m_cMenuBar->hMenu();
        m_cMenuBar->Detach();
        if (menu) SetMenu(m_hWnd, menu);
    }
}

void cNeoCaption::GetTopMarginHeight(LONG& cy) { cy = C(); }
void cNeoCaption::GetLeftMarginWidth(LONG& cx) { cx = B(); }
void cNeoCaption::GetRightMarginWidth(LONG& cx) { cx = B(); }
void cNeoCaption::GetBottomMarginHeight(LONG& cy) { cy = B(); }

void cNeoCaption::InitMenuPopup(WPARAM wParam, LPARAM)
{
    if (m_cMenuBar) m_cMenuBar->MakeOwnerDraw(HMENU(wParam));
}

void cNeoCaption::ExitMenuLoop()
{
    if (m_cMenuBar) m_cMenuBar->RestoreMenuItems();
}

bool cNeoCaption::AltKeyAccelerator(LONG vKey) { return m_cMenuBar && m_cMenuBar->AltKeyAccelerator(vKey); }

void cNeoCaption::FontFromStdFont(const StdFont& font, HDC hdc, LOGFONTA& lf)
{
    // Whole characters only, so that the name ends within the 32 bytes with its zero.
    const QString name = QString::fromLocal8Bit(font.Name().c_str());
    std::string ansi;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = (name[i].isHighSurrogate() && i + 1 < name.size()) ? 2 : 1;
        const QByteArray piece = name.mid(i, length).toLocal8Bit();
        if (ansi.size() + size_t(piece.size()) > sizeof lf.lfFaceName - 1) break;
        ansi.append(piece.constData(), size_t(piece.size()));
        i += length;
    }
    std::memcpy(lf.lfFaceName, ansi.data(), ansi.size());
    lf.lfFaceName[ansi.size()] = '\0';
    const int points = int(std::nearbyint(font.Size()));
    lf.lfHeight = -MulDiv(points, GetDeviceCaps(hdc, LOGPIXELSY), 72);
    lf.lfItalic = font.Italic() ? 0xFF : 0;
    lf.lfUnderline = font.Underline() ? 0xFF : 0;
    lf.lfStrikeOut = font.Strikethrough() ? 0xFF : 0;
    lf.lfWeight = font.Bold() ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = BYTE(font.Charset());
}

void cNeoCaption::DrawCaptionButtons(HDC hdc, int button, int state)
{
    if (!m_bBtnShown[size_t(button)]) return;
    const LONG bw = m_lButtonWidth, bh = m_lButtonHeight;
    LONG column = 241;
    if (button == Maximise) column = (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_MAXIMIZE) ? 240 + bw : 240 + 2 * bw;
    else if (button == Minimise) column = 240 + 3 * bw;
    const RECT& r = m_tBtn[size_t(button)];
    BitBlt(hdc, r.left, r.top, bw, bh, m_cCaptionDC->hdc(), column, state ? bh : 0, SRCCOPY);
}

void cNeoCaption::NCPaint(HDC hdc, LONG lLeft, LONG lTop, LONG lRight, LONG lBottom)
{
    const LONG c = C(), b = B();
    const bool active = windowActive();
    const LONG o = active ? 0 : m_lInactiveOffset;
    m_cCaptionBuffer->setWidth(lRight - lLeft + 1);
    m_cCaptionBuffer->setHeight(c);
    m_cSideBuffer->setWidth(2 * m_cBorderDC->Width());
    m_cSideBuffer->setHeight(lBottom - lTop + 1);
    const HDC cb = m_cCaptionBuffer->hdc(), sb = m_cSideBuffer->hdc(), art = m_cCaptionDC->hdc(), tiles = m_cBorderDC->hdc();

    LOGFONTA lf;
    FontFromStdFont(*captionFont_, hdc, lf);
    if (active) lf.lfWeight = FW_BOLD;
    const HFONT titleFont = CreateFontIndirectA(&lf);
    const HGDIOBJ oldFont = SelectObject(cb, titleFont);

    BitBlt(cb, lLeft, lTop, lLeft + m_lActiveLeftEnd, c, art, o, 0, SRCCOPY);

    const LONG r = m_lActiveRightEnd - m_lActiveRightStart + 1;
    LONG x = lRight - r + 1;
    bool title = true;
    if (x < lLeft + r) {
        x = lLeft + r;
        title = false;
    }
    BitBlt(cb, x, lTop, r, c, art, o + m_lActiveRightStart, 0, SRCCOPY);

    const LONG style = LONG(GetWindowLongA(m_hWnd, GWL_STYLE));
    m_bBtnShown = {(style & WS_SYSMENU) != 0, (style & WS_MAXIMIZEBOX) != 0, (style & WS_MINIMIZEBOX) != 0};
    const LONG bw = m_lButtonWidth, bh = m_lButtonHeight;
    LONG left = x + r - b + 4;
    for (int i = Close; i <= Minimise; ++i) {
        if (i > Close) left = m_tBtn[size_t(i - 1)].left;
        if (!m_bBtnShown[size_t(i)]) {
            m_tBtn[size_t(i)].left = left;
            continue;
        }
        left -= bw + 1;
        m_tBtn[size_t(i)] = RECT{left, lTop + 5, left + bw + 1, lTop + 5 + bh};
        DrawCaptionButtons(cb, i, 0);
    }

    for (LONG tile = lLeft + 90; tile < x; tile += 52)
        BitBlt(cb, tile, 0, std::min<LONG>(52, x - tile), c, art, m_lActiveLeftEnd + o + 1, 0, SRCCOPY);

    if (title && GetWindowTextLengthA(m_hWnd) >= 1) {
        char text[512] = {};
        GetWindowTextA(m_hWnd, text, sizeof text);
        SetBkMode(cb, TRANSPARENT);
        SetTextColor(cb, COLORREF(TranslateColor(active ? activeCaption_ : inactiveCaption_)));
        RECT band{lLeft + 92, b + 1, lRight - 96, 0};
        band.bottom = band.top + (c - b - 2) / 2;
        DrawTextA(cb, text, -1, &band, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }

    m_cMenuBar->setHMenu(m_cNCCalcSize->hMenu());
    lf.lfWeight = FW_NORMAL;
    const HFONT barFont = CreateFontIndirectA(&lf);
    m_cMenuBar->Render(barFont, cb, m_lActiveLeftEnd, c / 2, x - m_lActiveLeftEnd, c / 2, 2 - c / 2);
    DeleteObject(barFont);

    BitBlt(hdc, 0, 0, m_cCaptionBuffer->Width(), m_cCaptionBuffer->Height(), cb, 0, 0, SRCCOPY);

    // Sides: one tile each, then the filled part doubled below itself.
    const LONG y0 = lTop + c;
    BitBlt(sb, 0, y0, b, b, tiles, 0, 0, SRCCOPY);
    BitBlt(sb, b, y0, b, b, tiles, 4 * b, 0, SRCCOPY);
    for (LONG filled = b; b > 0 && y0 + filled - lTop < lBottom - b; filled *= 2)
        BitBlt(sb, 0, y0 + filled, 2 * b, filled, sb, 0, y0, SRCCOPY);
    BitBlt(hdc, lLeft, y0, b, lBottom - y0, sb, 0, y0, SRCCOPY);
    BitBlt(hdc, lRight - b, y0, b, lBottom - y0, sb, b, y0, SRCCOPY);

    // Bottom: the tile repeated, then the two corners.
    BitBlt(cb, lLeft + b, 0, b, b, tiles, 3 * b, 0, SRCCOPY);
    for (LONG tile = lLeft + 2 * b; b > 0 && tile < lRight - b; tile += b) BitBlt(cb, tile, 0, b, b, cb, lLeft + b, 0, SRCCOPY);
    BitBlt(cb, lLeft, 0, b, b, tiles, 2 * b, 0, SRCCOPY);
    BitBlt(cb, lRight - b, 0, b, b, tiles, 6 * b, 0, SRCCOPY);
    BitBlt(hdc, lLeft, std::max(lBottom - b, c), m_cCaptionBuffer->Width(), b, cb, 0, 0, SRCCOPY);

    SelectObject(cb, oldFont);
    DeleteObject(titleFont);
}

void cNeoCaption::HitTest(LONG x, LONG y, LONG& eHitTest)
{
    const POINT p{x, y};
    const RECT icon{12, 11, 42, 43};
    if (PtInRect(&icon, p)) {
        eHitTest = HTSYSMENU;
        return;
    }
    for (int i = Close; i <= Minimise; ++i)
        if (m_bBtnShown[size_t(i)] && PtInRect(&m_tBtn[size_t(i)], p)) eHitTest = HTSYSMENU;
    // A pressed button pops up when the cursor leaves it.
    const HDC dc = GetWindowDC(m_hWnd);
    for (int i = Close; i <= Minimise; ++i)
        if (m_bBtnShown[size_t(i)] && m_bBtnPressed[size_t(i)] != bool(PtInRect(&m_tBtn[size_t(i)], p))) DrawCaptionButtons(dc, i, 0);
    ReleaseDC(m_hWnd, dc);
}

void cNeoCaption::NCMouseDown(LONG x, LONG y, bool& bHandled, HDC hdc, LONG, LONG, LONG, LONG)
{
    const POINT p{x, y};
    for (int i = Close; i <= Minimise; ++i)
        if (m_bBtnShown[size_t(i)] && PtInRect(&m_tBtn[size_t(i)], p)) {
            DrawCaptionButtons(hdc, i, 1);
            m_bBtnPressed[size_t(i)] = true;
            bHandled = true;
        }
}

void cNeoCaption::NCMouseUp(LONG x, LONG y, HDC hdc, LONG, LONG, LONG, LONG)
{
    const POINT p{x, y};
    const bool maximised = GetWindowLongA(m_hWnd, GWL_STYLE) & WS_MAXIMIZE;
    const WPARAM commands[] = {SC_CLOSE, maximised ? SC_RESTORE : SC_MAXIMIZE, SC_MINIMIZE};
    for (int i = Close; i <= Minimise; ++i)
        if (m_bBtnShown[size_t(i)] && PtInRect(&m_tBtn[size_t(i)], p) && m_bBtnPressed[size_t(i)] && m_cNCCalcSize)
            m_cNCCalcSize->SysCommand(commands[i]);
    for (int i = Close; i <= Minimise; ++i) {
        DrawCaptionButtons(hdc, i, 0);
        m_bBtnPressed[size_t(i)] = false;
    }
}

} // namespace chrome
