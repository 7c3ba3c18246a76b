#include "chrome/cmenubar.h"

#include "chrome/colour.h"
#include "chrome/ctoolbarmenu.h"
#include "chrome/msubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <algorithm>
#include <cctype>

namespace chrome {

namespace {

constexpr UINT barMessages[] = {WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_DRAWITEM, WM_MEASUREITEM, WM_MENUCHAR};
constexpr UINT savedMask = MIIM_ID | MIIM_TYPE | MIIM_DATA;   // 0x32
constexpr size_t captionBuffer = 128;

std::string upper(std::string text)
{
    for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

cMenuBar::cMenuBar()
{
    menuFont_ = std::make_shared<StdFont>();
    symbolFont_ = std::make_shared<StdFont>();
    symbolFont_->setName("Marlett");
    symbolFont_->setSize(menuFont_->Size() * 1.2);
}

cMenuBar::~cMenuBar()
{
    if (!winsys::installed()) return;
    Detach();
    timerConnection_.disconnect();
    if (timer_) timer_->setInterval(0);
}

LONG cMenuBar::TranslateColor(OLE_COLOR colour, HPALETTE palette) { return chrome::TranslateColor(colour, palette); }

void cMenuBar::SetMenuFont(std::shared_ptr<StdFont> font)
{
    menuFont_ = std::move(font);
    symbolFont_->setName("Marlett");
    symbolFont_->setSize(menuFont_->Size() * 1.2);
}

void cMenuBar::SetColours(OLE_COLOR text, OLE_COLOR highlightText, OLE_COLOR third, OLE_COLOR popupBack)
{
    text_ = text;
    highlightText_ = highlightText;
    third_ = third;
    popupBack_ = popupBack;
}

void cMenuBar::Attach(HWND lhWnd)
{
    const WindowUpdateLock lock(lhWnd);
    Detach();
    hwnd_ = lhWnd;
    tracker_ = std::make_shared<cToolbarMenu>();
    tracker_->Attach(hwnd_, this);
    for (UINT msg : barMessages) {
        MSubclass::AttachMessage(this, hwnd_, msg);
        ++attachedMessages_;
    }
}

void cMenuBar::Detach()
{
    if (hwnd_) {
        for (int i = 0; i < attachedMessages_; ++i) MSubclass::DetachMessage(this, hwnd_, barMessages[i]);
        attachedMessages_ = 0;
    }
    if (tracker_) {
        tracker_->Detach();
        tracker_.reset();
    }
}

HMENU cMenuBar::ItemSubMenu(LONG i) const { return i >= 1 && i <= ItemCount() ? items_[size_t(i - 1)].popup : 0; }

void cMenuBar::repaintFrame() { SendMessageA(hwnd_, WM_NCPAINT, 0, 0); }

void cMenuBar::SetHotItem(LONG i, bool state)
{
    if (state) hot_ = i;
    else if (hot_ == i) hot_ = -1;
    repaintFrame();
}

void cMenuBar::SetPressed(LONG i)
{
    pressed_ = i;
    repaintFrame();
}

bool cMenuBar::ItemScreenRect(LONG i, RECT& rect)
{
    if (i < 1 || i > ItemCount()) return false;
    RECT window;
    GetWindowRect(hwnd_, &window);
    rect = items_[size_t(i - 1)].rect;
    OffsetRect(&rect, window.left, window.top + captionHeight_);
    return true;
}

LONG cMenuBar::HitTest(POINT& point)
{
    ScreenToClient(hwnd_, &point);
    for (size_t i = 0; i < items_.size(); ++i)
        if (PtInRect(&items_[i].rect, point)) return LONG(i + 1);
    return 0;
}

LONG cMenuBar::HitTestCursor()
{
    if (ItemCount() < 1) return 0;
    POINT p;
    GetCursorPos(&p);
    return HitTest(p);
}

std::string cMenuBar::ItemCaption(HMENU menu, int position, UINT mask, LONG* length)
{
    char buffer[captionBuffer] = {};
    MENUITEMINFOA info;
    info.fMask = mask;
    info.dwTypeData = buffer;
    info.cch = captionBuffer - 1;
    GetMenuItemInfoA(menu, UINT(position), 1, &info);
    if (length) *length = LONG(info.cch);
    if (LONG(info.cch) <= 0) return std::string();
    return std::string(buffer, std::min<size_t>(info.cch, std::char_traits<char>::length(buffer)));
}

void cMenuBar::Render(HFONT hFnt, HDC lhDC, LONG lLeft, LONG lTop, LONG lWidth, LONG lHeight, LONG lYoffset)
{
    if (!menu_) return;
    surface_.setWidth(lWidth);
    surface_.setHeight(lHeight);
    const HDC dc = surface_.hdc();
    const HGDIOBJ oldFont = SelectObject(dc, hFnt);
    items_.clear();

    const int n = GetMenuItemCount(menu_);
    if (n > 0) {
        BitBlt(dc, 0, 0, lWidth, lHeight, lhDC, lLeft, lTop + 2, SRCCOPY);
        SetBkMode(dc, TRANSPARENT);
        LONG x = 8;
        for (int p = 0; p < n; ++p) {
            if (GetMenuItemID(menu_, p) != -1) continue;
            const std::string caption = ItemCaption(menu_, p, MIIM_TYPE);
            RECT text{0, 0, 0, lHeight};
            DrawTextA(dc, caption.c_str(), int(caption.size()), &text, DT_CALCRECT);
            OffsetRect(&text, x, 2);
            RECT item = text;
            InflateRect(&item, 2, 2);
            item.right += 7;

            const LONG number = LONG(items_.size()) + 1;
            const bool hot = number == hot_, pressed = number == pressed_;
            if (hot && pressed) {
                SetTextColor(dc, COLORREF(TranslateColor(highlightText_)));
                DrawEdge(dc, &item, BDR_SUNKENOUTER, BF_RECT);
            } else if (hot || pressed) {
                SetTextColor(dc, COLORREF(TranslateColor(highlightText_)));
                DrawEdge(dc, &item, BDR_RAISEDINNER, BF_RECT);
            } else {
                SetTextColor(dc, COLORREF(TranslateColor(text_)));
            }
            RECT drawn = text;
            if (hot && pressed) OffsetRect(&drawn, 1, 1);
            DrawTextA(dc, caption.c_str(), int(caption.size()), &drawn, DT_SINGLELINE);

            BarItem recorded;
            recorded.rect = item;
            OffsetRect(&recorded.rect, lLeft, lYoffset);
            recorded.popup = GetSubMenu(menu_, p);
            items_.push_back(recorded);
            x += (text.right - text.left) + 11;
        }
        BitBlt(lhDC, lLeft, lTop + 2, lWidth, lHeight, dc, 0, 0, SRCCOPY);
    }
    SelectObject(dc, oldFont);
}

void cMenuBar::TrackHover()
{
    const LONG under = HitTestCursor();
    if (under != pressed_) {
        pressed_ = under;
        repaintFrame();
    }
    if (!timer_) {
        timer_ = CTimer::create();
        timerConnection_ = timer_->onThatTime([this] { TrackHover(); });
    }
    if (pressed_ >= 1 || hot_ != 0) {
        if (hot_ > 0 && GetAsyncKeyState(VK_LBUTTON) == 0) {
            hot_ = 0;
            repaintFrame();
        }
        timer_->setInterval(50);
    } else {
        timer_->setInterval(0);
    }
}

void cMenuBar::Click()
{
    const LONG under = HitTestCursor();
    if (under != hot_) {
        hot_ = under;
        repaintFrame();
    }
    if (hot_ > 0) {
        if (timer_) timer_->setInterval(0);
        const auto tracker = tracker_;
        if (tracker) tracker->TrackPopup(hot_);
        RestoreMenuItems();
    }
}

bool cMenuBar::AltKeyAccelerator(LONG vKey)
{
    bool used = false;
    const int n = GetMenuItemCount(menu_);
    for (int p = 0; p < n; ++p) {
        LONG length = 0;
        const std::string caption = ItemCaption(menu_, p, MIIM_TYPE | MIIM_DATA, &length);
        if (length <= 0) continue;
        const size_t amp = caption.find('&');
        if (amp == std::string::npos || amp + 1 >= caption.size()) continue;
        if (std::toupper(static_cast<unsigned char>(caption[amp + 1])) != vKey) continue;
        SetHotItem(p + 1, true);
        if (timer_) timer_->setInterval(0);
        const auto tracker = tracker_;
        if (tracker) tracker->TrackPopup(hot_);
        RestoreMenuItems();
        used = true;
    }
    return used;
}

bool cMenuBar::MarkSubMenuDone(HMENU popup)
{
    if (std::find(converted_.begin(), converted_.end(), popup) != converted_.end()) return true;
    converted_.push_back(popup);
    return false;
}

void cMenuBar::ParseItemCaption(LONG s, HMENU popup, LONG position, const MENUITEMINFOA& info)
{
    SavedItem& item = saved_[size_t(s - 1)];
    item.popup = popup;
    item.position = position;
    item.info = info;
    item.typeData = info.dwTypeData ? std::string(info.dwTypeData) : std::string();
    item.info.dwTypeData = nullptr;
    const std::string text = LONG(info.cch) > 0 ? item.typeData.substr(0, info.cch) : std::string();
    const size_t tab = text.find('\t');
    item.caption = tab == std::string::npos ? text : text.substr(0, tab);
    item.shortcut = tab == std::string::npos ? std::string() : text.substr(tab + 1);
    const size_t amp = item.caption.find('&');
    if (amp != std::string::npos && amp + 1 < item.caption.size()) item.accelerator = upper(item.caption.substr(amp + 1, 1));
}

LONG cMenuBar::AddSavedItem(HMENU popup, LONG position, const MENUITEMINFOA& info)
{
    saved_.emplace_back();
    const LONG s = LONG(saved_.size());
    ParseItemCaption(s, popup, position, info);
    return s;
}

LONG cMenuBar::FindSavedItem(HMENU popup, LONG position) const
{
    for (size_t i = 0; i < saved_.size(); ++i)
        if (saved_[i].popup == popup && saved_[i].position == position) return LONG(i + 1);
    return 0;
}

LONG cMenuBar::FindItemById(UINT id) const
{
    for (size_t i = 0; i < saved_.size(); ++i)
        if (saved_[i].info.wID == id) return LONG(i + 1);
    return 0;
}

void cMenuBar::MakeOwnerDraw(HMENU popup)
{
    const bool done = MarkSubMenuDone(popup);
    const HDC dc = surface_.hdc();
    const HGDIOBJ oldFont = SelectObject(dc, MenuFontHandle());
    LONG widestText = 0, widestShortcut = 0;
    auto makeOwnerDrawn = [&](int p, UINT type, LONG s) {
        MENUITEMINFOA write;
        write.fMask = MIIM_TYPE | MIIM_DATA;
        write.fType = type | MFT_OWNERDRAW;
        write.dwItemData = ULONG_PTR(s);
        SetMenuItemInfoA(popup, UINT(p), 1, &write);
    };
    const int n = GetMenuItemCount(popup);
    for (int p = 0; p < n; ++p) {
        char buffer[captionBuffer] = {};
        MENUITEMINFOA info;
        info.fMask = savedMask;
        info.dwTypeData = buffer;
        info.cch = captionBuffer - 1;
        LONG s = 0;
        if (!done) {
            GetMenuItemInfoA(popup, UINT(p), 1, &info);
            s = AddSavedItem(popup, p, info);
            if (!(info.fType & MFT_OWNERDRAW)) makeOwnerDrawn(p, info.fType, s);
        } else {
            MENUITEMINFOA now;
            now.fMask = MIIM_TYPE | MIIM_DATA;
            GetMenuItemInfoA(popup, UINT(p), 1, &now);
            if (now.fType & MFT_OWNERDRAW) {
                s = LONG(now.dwItemData);
            } else {
                s = FindSavedItem(popup, p);
                GetMenuItemInfoA(popup, UINT(p), 1, &info);
                if (s >= 1) {
                    ParseItemCaption(s, popup, p, info);
                    makeOwnerDrawn(p, info.fType, s);
                } else {
                    // An item added since the conversion is drawn without caption (item data 0);
                    // its record is still saved, so that restoring gives its text back.
                    AddSavedItem(popup, p, info);
                    makeOwnerDrawn(p, info.fType, 0);
                }
            }
        }
        if (s >= 1 && s <= LONG(saved_.size())) {
            const SavedItem& item = saved_[size_t(s - 1)];
            RECT r{};
            DrawTextA(dc, item.caption.c_str(), int(item.caption.size()), &r, DT_CALCRECT | DT_SINGLELINE);
            widestText = std::max(widestText, r.right - r.left + 1);
            if (!item.shortcut.empty()) {
                RECT k{};
                DrawTextA(dc, item.shortcut.c_str(), int(item.shortcut.size()), &k, DT_CALCRECT | DT_SINGLELINE);
                widestShortcut = std::max(widestShortcut, k.right - k.left + 1);
            }
            itemHeight_ = r.bottom - r.top + 1;
        }
    }
    for (SavedItem& item : saved_)
        if (item.popup == popup) {
            item.textWidth = widestText;
            item.shortcutWidth = widestShortcut;
        }
    SelectObject(dc, oldFont);
}

void cMenuBar::RestoreMenuItems()
{
    for (SavedItem& item : saved_) {
        MENUITEMINFOA info = item.info;
        info.cbSize = sizeof info;
        info.dwTypeData = item.typeData.data();
        SetMenuItemInfoA(item.popup, UINT(item.position), 1, &info);
    }
    saved_.clear();
    converted_.clear();
}

LONG cMenuBar::MenuCharItem(WORD character, HMENU popup)
{
    const std::string key = upper(std::string(1, char(character)));
    for (const SavedItem& item : saved_)
        if (item.popup == popup && item.accelerator == key) return item.position + 0x20000;
    return 0;
}

LRESULT cMenuBar::MeasureItem(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    const LONG s = mis->CtlType == ODT_MENU ? FindItemById(mis->itemID) : 0;
    // Not a menu item, or one this bar did not convert: the window measures it.
    if (s == 0) return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    const SavedItem& item = saved_[size_t(s - 1)];
    mis->itemWidth = UINT(item.shortcutWidth > 0 ? item.textWidth + item.shortcutWidth + 38 : item.textWidth + 30);
    mis->itemHeight = UINT((item.info.fType & MFT_SEPARATOR) ? 6 : itemHeight_ + 8);
    return 0;
}

void cMenuBar::DrawItemText(HDC hdc, const std::string& text, RECT rect, bool disabled, UINT format)
{
    if (disabled) {
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(hdc, COLORREF(TranslateColor(0x80000014)));
        DrawTextA(hdc, text.c_str(), int(text.size()), &shifted, format);
        SetTextColor(hdc, COLORREF(TranslateColor(0x80000010)));
    }
    DrawTextA(hdc, text.c_str(), int(text.size()), &rect, format);
}

LRESULT cMenuBar::DrawItem(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (dis->CtlType != ODT_MENU) return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    const LONG w = dis->rcItem.right - dis->rcItem.left, h = dis->rcItem.bottom - dis->rcItem.top;
    surface_.setWidth(w + 1);
    surface_.setHeight(h + 1);
    const HDC dc = surface_.hdc();
    const HGDIOBJ oldFont = SelectObject(dc, MenuFontHandle());
    const RECT r{0, 0, w, h};

    const HBRUSH back = CreateSolidBrush(COLORREF(TranslateColor(popupBack_)));
    const RECT all{0, 0, surface_.Width(), surface_.Height()};
    FillRect(dc, &all, back);
    DeleteObject(back);
    SetBkMode(dc, TRANSPARENT);

    MENUITEMINFOA info;
    info.fMask = MIIM_STATE | MIIM_TYPE | MIIM_DATA;
    GetMenuItemInfoA(HMENU(dis->hwndItem), dis->itemID, 0, &info);
    if (info.fType & MFT_SEPARATOR) {
        RECT line{r.left, r.top + (h - 2) / 2, r.right, 0};
        line.bottom = line.top + 2;
        line.left += 8;
        line.right -= 8;
        DrawEdge(dc, &line, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
    } else {
        const bool radio = info.fType & MFT_RADIOCHECK;
        const bool disabled = (info.fState & MFS_GRAYED) == MFS_GRAYED;
        const bool checked = info.fState & MFS_CHECKED;
        const bool highlighted = info.fState & MFS_HILITE;
        SetTextColor(dc, COLORREF(TranslateColor(highlighted ? highlightText_ : text_)));
        if (checked) {
            RECT box{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
            box.left += 2;
            box.right = box.left + (box.bottom - box.top) + 1;
            DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
            SelectObject(dc, SymbolFontHandle());
            DrawItemText(dc, radio ? "h" : "b", box, disabled, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            SelectObject(dc, MenuFontHandle());
        }
        const LONG s = LONG(info.dwItemData);
        if (s >= 1 && s <= LONG(saved_.size())) {
            const SavedItem& item = saved_[size_t(s - 1)];
            RECT text = r;
            text.left = 24;
            DrawItemText(dc, item.caption, text, disabled, DT_VCENTER | DT_SINGLELINE);
            if (!item.shortcut.empty()) {
                text.left = 24 + item.textWidth + 8;
                DrawItemText(dc, item.shortcut, text, disabled, DT_VCENTER | DT_SINGLELINE);
            }
        }
        if (highlighted && !disabled) {
            RECT edge{r.left + 2, r.top, r.right - 2, r.bottom};
            DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        }
    }
    SelectObject(dc, oldFont);
    BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, w + 1, h + 1, dc, 0, 0, SRCCOPY);
    return 0;
}

LRESULT cMenuBar::WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam)
{
    switch (iMsg) {
    case WM_DRAWITEM:
        return DrawItem(hwnd, iMsg, wParam, lParam);
    case WM_MEASUREITEM:
        return MeasureItem(hwnd, iMsg, wParam, lParam);
    case WM_MENUCHAR: {
        if (HIWORD(wParam) & MF_SYSMENU) return MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        const LONG answer = MenuCharItem(LOWORD(wParam), HMENU(lParam));
        return answer > 0 ? answer : MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
    }
    case WM_MOUSEMOVE: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        TrackHover();
        return result;
    }
    case WM_LBUTTONDOWN: {
        const LRESULT result = MSubclass::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
        Click();
        return result;
    }
    default:
        return 0;
    }
}

} // namespace chrome
