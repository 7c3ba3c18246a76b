#pragma once
// Draws a window's menu as a bar of text items into a context its owner
// supplies, follows the mouse over the bar, opens an item's popup on a click
// or its Alt accelerator, and owner-draws the popups' items (a text and a
// shortcut column, embossed disabled text, check and radio marks).
#include "chrome/cmemdc.h"
#include "chrome/ctimer.h"
#include "chrome/isubclass.h"
#include "platform/winsys/font.h"
#include "platform/winsys/menutypes.h"

#include <memory>
#include <string>
#include <vector>

namespace chrome {

class cToolbarMenu;

class cMenuBar : public ISubclass {
public:
    cMenuBar();
    // Detaches its messages and tracker and stops its hover timer.
    ~cMenuBar() override;

    HMENU hMenu() const { return menu_; }
    void setHMenu(HMENU menu) { menu_ = menu; }
    void Attach(HWND lhWnd);
    void Detach();
    void setCaptionHeight(LONG height) { captionHeight_ = height; }
    void Render(HFONT hFnt, HDC lhDC, LONG lLeft, LONG lTop, LONG lWidth, LONG lHeight, LONG lYoffset);

    // For the skinned caption and the tracker.
    void SetFontObject(std::shared_ptr<StdFont> font) { menuFont_ = std::move(font); }
    void SetMenuFont(std::shared_ptr<StdFont> font);
    std::shared_ptr<StdFont> GetMenuFont() const { return menuFont_; }
    void SetColours(OLE_COLOR text, OLE_COLOR highlightText, OLE_COLOR third, OLE_COLOR popupBack);
    HFONT MenuFontHandle() { return menuFont_->hFont(); }
    HFONT SymbolFontHandle() { return symbolFont_->hFont(); }
    bool AltKeyAccelerator(LONG vKey);
    LONG HitTestCursor();
    LONG HitTest(POINT& point);
    LONG ItemCount() const { return LONG(items_.size()); }
    HMENU ItemSubMenu(LONG i) const;
    void SetHotItem(LONG i, bool state);
    bool ItemScreenRect(LONG i, RECT& rect);
    LONG HotItem() const { return hot_; }
    LONG PressedItem() const { return pressed_; }
    void SetPressed(LONG i);
    void MakeOwnerDraw(HMENU popup);
    void RestoreMenuItems();
    static LONG TranslateColor(OLE_COLOR colour, HPALETTE palette = 0);

    LONG MsgResponse() override { return NoOldProc; }
    void setMsgResponse(LONG) override {}
    LRESULT WindowProc(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam) override;

    // What the bar recorded, for its owner's tests and the tracker.
    RECT ItemRect(LONG i) const { return i >= 1 && i <= ItemCount() ? items_[size_t(i - 1)].rect : RECT{}; }
    std::shared_ptr<CTimer> HoverTimer() const { return timer_; }
    cToolbarMenu* Tracker() const { return tracker_.get(); }
    struct SavedItem {
        HMENU popup = 0;
        LONG position = 0;
        MENUITEMINFOA info;
        std::string typeData;   // the record's text buffer
        std::string caption, shortcut, accelerator;
        LONG textWidth = 0, shortcutWidth = 0;
    };
    const std::vector<SavedItem>& SavedItems() const { return saved_; }

private:
    struct BarItem {
        RECT rect;
        HMENU popup = 0;
    };
    void TrackHover();
    void Click();
    LONG MenuCharItem(WORD character, HMENU popup);
    LRESULT MeasureItem(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    LRESULT DrawItem(HWND hwnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
    void DrawItemText(HDC hdc, const std::string& text, RECT rect, bool disabled, UINT format);
    bool MarkSubMenuDone(HMENU popup);
    LONG AddSavedItem(HMENU popup, LONG position, const MENUITEMINFOA& info);
    LONG FindSavedItem(HMENU popup, LONG position) const;
    LONG FindItemById(UINT id) const;
    void ParseItemCaption(LONG s, HMENU popup, LONG position, const MENUITEMINFOA& info);
    std::string ItemCaption(HMENU menu, int position, UINT mask, LONG* length = nullptr);
    void repaintFrame();

    HWND hwnd_ = 0;
    HMENU menu_ = 0;
    LONG captionHeight_ = 0;
    cMemDC surface_;
    std::shared_ptr<cToolbarMenu> tracker_;
    std::shared_ptr<CTimer> timer_;
    CTimer::Connection timerConnection_;
    std::vector<BarItem> items_;
    LONG hot_ = 0;
    LONG pressed_ = 0;
    OLE_COLOR text_ = 0, highlightText_ = 0, third_ = 0, popupBack_ = 0xFFFFFF;
    std::shared_ptr<StdFont> menuFont_;
    std::shared_ptr<StdFont> symbolFont_;
    LONG itemHeight_ = 0;
    std::vector<SavedItem> saved_;
    std::vector<HMENU> converted_;
    int attachedMessages_ = 0;
};

} // namespace chrome
