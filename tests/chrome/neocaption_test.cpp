#include "chrome/cneocaption.h"
#include "chrome/mdeclares.h"
#include "chrometest.h"
#include "skinpictures.h"


using namespace chrome;

namespace {

constexpr COLORREF yellow = RGB(255, 255, 0), darkYellow = RGB(128, 128, 0), cyan = RGB(0, 255, 255);
constexpr COLORREF magenta = RGB(255, 0, 255), orange = RGB(255, 128, 0);

class Form : public IForm {
public:
    HWND h = 0;
    HWND hWnd() const override { return h; }
    void Refresh() override {}
};

class CaptionTest : public ChromeTest {
protected:
    StdPicture caption{captionPicture()};
    StdPicture border{borderPicture()};
    std::shared_ptr<cNeoCaption> skin = std::make_shared<cNeoCaption>();
    Form form;

    HWND window(const std::string& text, int width = 400, HMENU menu = 0, LONG style = WS_OVERLAPPEDWINDOW | WS_VISIBLE)
    {
        FakeSystem::WindowOptions options;
        options.rect = RECT{100, 100, 100 + width, 400};
        options.text = text;
        options.menu = menu;
        options.style = style;
        return fake.createWindow(options);
    }
    void attach(HWND h)
    {
        form.h = h;
        skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120);
    }
    void TearDown() override
    {
        skin->Detach();
        skin.reset();
        EXPECT_EQ(mDeclares::KeyHook(), 0);
    }
    const Gdi::TextCall* lastDrawn(const std::string& text)
    {
        const auto& log = fake.gdi().textLog;
        for (size_t i = log.size(); i-- > 0;)
            if (log[i].text == text) return &log[i];
        return nullptr;
    }
    const Gdi::TextCall* drawn(const std::string& text, size_t from = 0)
    {
        const auto& log = fake.gdi().textLog;
        for (size_t i = from; i < log.size(); ++i)
            if (log[i].text == text) return &log[i];
        return nullptr;
    }
    // Sends a frame message with the cursor at (x, y) of the window.
    LRESULT at(HWND h, int x, int y, UINT msg)
    {
        fake.cursor = POINT{100 + x, 100 + y};
        return SendMessageA(h, msg, msg == WM_NCHITTEST ? 0 : HTCAPTION, 0);
    }
};

} // namespace

TEST_F(CaptionTest, ThePicturesFrameTheWindow)
{
    const HWND h = window("Customers");
    attach(h);
    EXPECT_EQ(GetForegroundWindow(), h);
    EXPECT_TRUE(skin->subclasser()->WindowActive());
    // Margins: the caption picture's height on top, the border picture's on the other sides.
    EXPECT_EQ(fake.window(h)->client, (RECT{4, 46, 396, 296}));

    EXPECT_EQ(fake.pixel(h, 5, 5), RGB(200, 0, 0));        // left artwork
    EXPECT_EQ(fake.pixel(h, 200, 44), RGB(0, 200, 0));     // middle tiles
    EXPECT_EQ(fake.pixel(h, 362, 30), RGB(0, 0, 200));     // right artwork from column 361
    EXPECT_EQ(fake.pixel(h, 395, 8), yellow);              // close
    EXPECT_EQ(fake.pixel(h, 384, 8), magenta);             // maximise
    EXPECT_EQ(fake.pixel(h, 373, 8), orange);              // minimise
    EXPECT_EQ(skin->ButtonRect(0), (RECT{390, 5, 401, 13}));
    EXPECT_EQ(skin->ButtonRect(2), (RECT{368, 5, 379, 13}));
    EXPECT_EQ(fake.pixel(h, 1, 100), RGB(10, 10, 10));     // left side tile
    EXPECT_EQ(fake.pixel(h, 398, 200), RGB(50, 50, 50));   // right side tile
    EXPECT_EQ(fake.pixel(h, 1, 298), RGB(30, 30, 30));     // bottom-left corner
    EXPECT_EQ(fake.pixel(h, 200, 298), RGB(40, 40, 40));   // bottom
    EXPECT_EQ(fake.pixel(h, 398, 298), RGB(70, 70, 70));   // bottom-right corner

    const auto* title = lastDrawn("Customers");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->rect, (RECT{92, 5, 304, 25}));
    EXPECT_EQ(title->flags, UINT(DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS));
    EXPECT_EQ(title->colour, 0xCCCCCCu);
    EXPECT_EQ(title->font.lfWeight, FW_BOLD);
    EXPECT_STREQ(title->font.lfFaceName, "MS Sans Serif");

    // Inactive: the artwork 120 columns on, the inactive title colour, the font's own weight.
    const size_t mark = fake.gdi().textLog.size();
    SendMessageA(h, WM_NCACTIVATE, 0, 0);
    EXPECT_EQ(fake.pixel(h, 5, 5), RGB(100, 0, 0));
    EXPECT_EQ(fake.pixel(h, 200, 44), RGB(0, 100, 0));
    const auto* inactive = drawn("Customers", mark);
    ASSERT_TRUE(inactive);
    EXPECT_EQ(inactive->colour, 0x999999u);
    EXPECT_EQ(inactive->font.lfWeight, FW_NORMAL);
}

TEST_F(CaptionTest, ButtonsFollowTheStyleAndTheMaximisedState)
{
    const HWND h = window("Orders", 400, 0, WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX | WS_VISIBLE);
    attach(h);
    EXPECT_EQ(fake.pixel(h, 395, 8), yellow);
    EXPECT_EQ(fake.pixel(h, 384, 8), magenta);
    EXPECT_NE(fake.pixel(h, 373, 8), orange);   // no minimise button, and no hit area for it
    EXPECT_EQ(at(h, 373, 8, WM_NCHITTEST), HTCAPTION);
    EXPECT_EQ(at(h, 384, 8, WM_NCHITTEST), HTSYSMENU);

    // Maximised: the restore image, and its button restores.
    fake.setStyle(h, GetWindowLongA(h, GWL_STYLE) | WS_MAXIMIZE);
    SendMessageA(h, WM_NCPAINT, 1, 0);
    EXPECT_EQ(fake.pixel(h, 384, 8), cyan);
    at(h, 384, 8, WM_NCLBUTTONDOWN);
    at(h, 384, 8, WM_NCLBUTTONUP);
    ASSERT_EQ(fake.posted.size(), 1u);
    EXPECT_EQ(fake.posted[0].wParam, SC_RESTORE);
}

TEST_F(CaptionTest, TheCloseButtonPressesPopsUpAndPosts)
{
    const HWND h = window("Customers");
    attach(h);
    // A press on the close button is handled here: drawn pressed, nothing for the window.
    EXPECT_EQ(at(h, 395, 8, WM_NCHITTEST), HTSYSMENU);
    EXPECT_EQ(at(h, 395, 8, WM_NCLBUTTONDOWN), 0);
    EXPECT_EQ(fake.pixel(h, 395, 8), darkYellow);
    EXPECT_EQ(fake.receivedCount(WM_NCLBUTTONDOWN), 0);

    // Inside the icon area nothing else happens; moving off the button pops it up.
    EXPECT_EQ(at(h, 20, 20, WM_NCHITTEST), HTSYSMENU);
    EXPECT_EQ(fake.pixel(h, 395, 8), darkYellow);
    EXPECT_EQ(at(h, 200, 20, WM_NCHITTEST), HTCAPTION);
    EXPECT_EQ(fake.pixel(h, 395, 8), yellow);

    // Released over the button: SC_CLOSE is posted and the button is normal again.
    at(h, 395, 8, WM_NCLBUTTONDOWN);
    at(h, 395, 8, WM_NCLBUTTONUP);
    ASSERT_EQ(fake.posted.size(), 1u);
    EXPECT_EQ(fake.posted[0].msg, WM_SYSCOMMAND);
    EXPECT_EQ(fake.posted[0].wParam, SC_CLOSE);
    EXPECT_EQ(fake.pixel(h, 395, 8), yellow);

    // A release over a button posts also when the press began elsewhere.
    fake.posted.clear();
    at(h, 373, 8, WM_NCLBUTTONUP);
    ASSERT_EQ(fake.posted.size(), 1u);
    EXPECT_EQ(fake.posted[0].wParam, SC_MINIMIZE);
}

TEST_F(CaptionTest, ANarrowWindowHasNoTitle)
{
    const HWND h = window("Customers", 70);
    attach(h);
    EXPECT_EQ(drawn("Customers"), nullptr);
    EXPECT_EQ(fake.pixel(h, 40, 30), RGB(0, 0, 200));   // the right artwork right after the left edge plus its width
}

TEST_F(CaptionTest, TheMenuMovesIntoTheCaptionAndComesBackOnDetach)
{
    const HMENU menu = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 11, "&Open");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(file), "&File");
    const HWND h = window("Customers", 400, menu);
    attach(h);
    SendMessageA(h, WM_SETCURSOR, h, HTCLIENT);
    EXPECT_EQ(GetMenu(h), 0);
    SendMessageA(h, WM_NCPAINT, 1, 0);
    const auto* item = drawn("&File");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->rect.left, 8);   // in the bar's own surface, placed after the left artwork
    EXPECT_EQ(skin->menuBar()->ItemCount(), 1);

    // Alt+F from the keyboard hook opens the popup, its items owner-drawn while open.
    fake.menuScript = {FakeSystem::key(VK_ESCAPE)};
    EXPECT_TRUE(fake.feedKey('F', 0x20000000));
    ASSERT_EQ(fake.trackCalls.size(), 1u);
    EXPECT_EQ(fake.trackCalls[0].menu, file);
    EXPECT_TRUE(fake.popupImages.count(file));

    skin->Detach();
    EXPECT_EQ(GetMenu(h), menu);
    // Detaching again, or a never attached caption, changes nothing.
    skin->Detach();
    auto unused = std::make_shared<cNeoCaption>();
    unused->Detach();
    EXPECT_EQ(GetMenu(h), menu);
}

TEST_F(CaptionTest, FontNamesEndWithinTheFaceName)
{
    LOGFONTA lf;
    StdFont font;
    font.setName(QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93").toLocal8Bit().toStdString());   // a Chinese font name
    font.setSize(10.5);
    font.setBold(true);
    font.setItalic(true);
    font.setCharset(134);
    cNeoCaption::FontFromStdFont(font, 0, lf);
    EXPECT_EQ(std::string(lf.lfFaceName), font.Name());
    EXPECT_EQ(lf.lfHeight, -MulDiv(10, 96, 72));   // 10.5 rounds to the even 10
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 0xFF);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfCharSet, 134);

    // Too long: cut to whole characters within 31 bytes, then the zero.
    LOGFONTA cut;
    std::string name;
    for (int i = 0; i < 12; ++i) name += font.Name().substr(0, font.Name().size() / 2);
    font.setName(name);
    cNeoCaption::FontFromStdFont(font, 0, cut);
    const std::string kept(cut.lfFaceName);
    EXPECT_LE(kept.size(), 31u);
    EXPECT_GT(kept.size(), 25u);
    EXPECT_EQ(QString::fromLocal8Bit(kept.c_str()).toLocal8Bit().toStdString(), kept);   // no broken character
    EXPECT_EQ(name.compare(0, kept.size(), kept), 0);
}

TEST_F(CaptionTest, AFailedAttachLeavesNoWindowLocked)
{
    form.h = fake.noWindow();
    EXPECT_CHROME_ERROR(skin->Attach(form, caption, border, 10, 8, 20, 73, 112, 120), 13083);
    EXPECT_EQ(fake.lockedWindow, 0);
}
