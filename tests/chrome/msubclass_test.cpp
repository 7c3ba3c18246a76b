#include "chrome/gsubclass.h"
#include "chrome/msubclass.h"
#include "chrometest.h"

using namespace chrome;

namespace {

constexpr UINT kMsg = 0x0400;
constexpr UINT kOther = 0x0401;

std::shared_ptr<RecordingClient> client(FakeSystem& fake, LONG response, LRESULT result)
{
    auto c = std::make_shared<RecordingClient>();
    c->response = response;
    c->result = result;
    c->fake = &fake;
    return c;
}

} // namespace

TEST_F(ChromeTest, DispatchCallsThePreviousProcedureAsTheClientsAnswer)
{
    fake.answers[kMsg] = 77;
    fake.answers[kOther] = 55;

    // A hooked window passes messages without clients straight to the previous procedure.
    auto one = client(fake, NoOldProc, 5);
    MSubclass::AttachMessage(one.get(), hwnd, kMsg);
    EXPECT_EQ(SendMessageA(hwnd, kOther, 0, 0), 55);
    EXPECT_EQ(fake.receivedCount(kOther), 1);

    // One client answering 0: the previous procedure does not run unless the client calls it.
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 5);
    EXPECT_EQ(fake.receivedCount(kMsg), 0);
    one->during = [](HWND h, UINT m) { EXPECT_EQ(MSubclass::CallOldWindowProc(h, m, 0, 0), 77); };
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 5);
    EXPECT_EQ(fake.receivedCount(kMsg), 1);
    one->during = nullptr;

    // One client answering 1: the result is the previous procedure's, run after the client.
    fake.received.clear();
    one->response = OldProcAfter;
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 77);
    EXPECT_EQ(fake.receivedCount(kMsg), 1);
    EXPECT_EQ(one->baseCountAtCall.back(), 0u);

    // First answering 2, last answering 1: the previous procedure runs once, before the
    // first client, and the result is the last client's.
    fake.received.clear();
    one->response = OldProcBefore;
    auto two = client(fake, OldProcAfter, 9);
    MSubclass::AttachMessage(two.get(), hwnd, kMsg);
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 9);
    EXPECT_EQ(fake.receivedCount(kMsg), 1);
    EXPECT_EQ(one->baseCountAtCall.back(), 1u);
    EXPECT_EQ(two->baseCountAtCall.back(), 1u);

    // Any other answer acts as 0.
    fake.received.clear();
    one->response = 7;
    two->response = 7;
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 9);
    EXPECT_EQ(fake.receivedCount(kMsg), 0);

    MSubclass::DetachMessage(one.get(), hwnd, kMsg);
    MSubclass::DetachMessage(two.get(), hwnd, kMsg);
}

TEST_F(ChromeTest, RefusedAttachmentsRaiseTheirErrors)
{
    auto c = client(fake, NoOldProc, 1);
    const std::string h = std::to_string(hwnd);

    MSubclass::AttachMessage(c.get(), hwnd, kMsg);
    try {
        MSubclass::AttachMessage(c.get(), hwnd, kMsg);
        ADD_FAILURE() << "a second attach was taken";
    } catch (const ChromeError& e) {
        EXPECT_EQ(e.code(), 13082);
        EXPECT_EQ(e.number(), int32_t(0x80040000u + 13082));
        EXPECT_EQ(e.source(), "test_chrome.WindowProc");
        EXPECT_EQ(e.description(), "Message already handled by another class");
    }
    // The refused attach still counted as a hook: one detach leaves the window hooked.
    EXPECT_EQ(GetPropA(hwnd, "C" + h), 2);
    EXPECT_EQ(GetPropA(hwnd, h + "#1024C"), 1);
    MSubclass::DetachMessage(c.get(), hwnd, kMsg);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(&MSubclass::WindowProc));
    EXPECT_EQ(GetPropA(hwnd, "C" + h), 1);
    EXPECT_EQ(GetPropA(hwnd, h + "#1024C"), 0);
    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 0);
    EXPECT_TRUE(c->seen.empty());

    // Not a window, a window of another process, a window that cannot be subclassed:
    // nothing changes on any of them.
    const HWND none = fake.noWindow();
    EXPECT_CHROME_ERROR(MSubclass::AttachMessage(c.get(), none, kMsg), 13083);
    FakeSystem::WindowOptions other;
    other.processId = 4242;
    const HWND foreign = fake.createWindow(other);
    EXPECT_CHROME_ERROR(MSubclass::AttachMessage(c.get(), foreign, kMsg), 13084);
    EXPECT_TRUE(fake.window(foreign)->props.empty());
    const HWND plain = fake.createWindow();
    fake.failSetWindowLong = true;
    EXPECT_CHROME_ERROR(MSubclass::AttachMessage(c.get(), plain, kMsg), 13081);
    EXPECT_TRUE(fake.window(plain)->props.empty());
    EXPECT_EQ(GetWindowLongA(plain, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(FakeSystem::baseProc()));
    fake.failSetWindowLong = false;

    try {
        MSubclass::AttachMessage(c.get(), none, kMsg);
    } catch (const ChromeError& e) {
        EXPECT_EQ(e.description(), "Invalid window");
    }
    try {
        MSubclass::AttachMessage(c.get(), foreign, kMsg);
    } catch (const ChromeError& e) {
        EXPECT_EQ(e.description(), "Can't modify external window");
    }
    MSubclass::DetachMessage(c.get(), hwnd, kMsg);
}

TEST_F(ChromeTest, PropertiesNameNegativeHandlesAndStayAfterTheLastDetach)
{
    FakeSystem::WindowOptions options;
    options.handle = -5;
    const HWND negative = fake.createWindow(options);
    auto c = client(fake, NoOldProc, 0);

    MSubclass::AttachMessage(c.get(), negative, WM_MOUSEMOVE);
    EXPECT_NE(GetPropA(negative, "-5"), 0);
    EXPECT_EQ(GetPropA(negative, "C-5"), 1);
    EXPECT_EQ(GetPropA(negative, "-5#512C"), 1);
    EXPECT_EQ(GetPropA(negative, "-5#512#1"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(c.get())));

    MSubclass::DetachMessage(c.get(), negative, WM_MOUSEMOVE);
    EXPECT_EQ(GetWindowLongA(negative, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(FakeSystem::baseProc()));
    EXPECT_FALSE(hasProp(negative, "-5"));
    EXPECT_FALSE(hasProp(negative, "C-5"));
    EXPECT_FALSE(hasProp(negative, "-5#512#1"));
    ASSERT_TRUE(hasProp(negative, "-5#512C"));
    EXPECT_EQ(GetPropA(negative, "-5#512C"), 0);

    // Detaching from a window that carries no hook count changes nothing.
    MSubclass::DetachMessage(c.get(), negative, WM_MOUSEMOVE);
    EXPECT_FALSE(hasProp(negative, "C-5"));
    EXPECT_EQ(GetPropA(negative, "-5#512C"), 0);
}

TEST_F(ChromeTest, DetachingTheMiddleClientKeepsTheOthersInOrder)
{
    std::vector<char> order;
    auto make = [&](char name) {
        auto c = client(fake, NoOldProc, 0);
        c->during = [&order, name](HWND, UINT) { order.push_back(name); };
        MSubclass::AttachMessage(c.get(), hwnd, kMsg);
        return c;
    };
    auto a = make('a'), b = make('b'), c = make('c');
    const std::string h = std::to_string(hwnd);

    MSubclass::DetachMessage(b.get(), hwnd, kMsg);
    EXPECT_EQ(GetPropA(hwnd, h + "#1024C"), 2);
    EXPECT_EQ(GetPropA(hwnd, h + "#1024#1"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(a.get())));
    EXPECT_EQ(GetPropA(hwnd, h + "#1024#2"), reinterpret_cast<LONG_PTR>(static_cast<ISubclass*>(c.get())));
    EXPECT_FALSE(hasProp(hwnd, h + "#1024#3"));
    SendMessageA(hwnd, kMsg, 0, 0);
    EXPECT_EQ(order, (std::vector<char>{'a', 'c'}));

    MSubclass::DetachMessage(a.get(), hwnd, kMsg);
    MSubclass::DetachMessage(c.get(), hwnd, kMsg);
}

TEST_F(ChromeTest, ANestedSendChangesTheCurrentMessage)
{
    GSubclass module;
    auto outer = client(fake, NoOldProc, 0);
    auto inner = client(fake, NoOldProc, 0);
    UINT before = 0, after = 0;
    outer->during = [&](HWND h, UINT) {
        before = module.CurrentMessage();
        SendMessageA(h, kOther, 0, 0);
        after = module.CurrentMessage();
    };
    module.AttachMessage(outer.get(), hwnd, kMsg);
    module.AttachMessage(inner.get(), hwnd, kOther);
    SendMessageA(hwnd, kMsg, 0, 0);
    EXPECT_EQ(before, kMsg);
    EXPECT_EQ(after, kOther);
    module.DetachMessage(outer.get(), hwnd, kMsg);
    module.DetachMessage(inner.get(), hwnd, kOther);
}

TEST_F(ChromeTest, ADestroyedClientIsNeverReached)
{
    fake.answers[kMsg] = 31;
    auto stays = client(fake, NoOldProc, 4);
    auto goes = client(fake, NoOldProc, 3);
    MSubclass::AttachMessage(goes.get(), hwnd, kMsg);
    MSubclass::AttachMessage(goes.get(), hwnd, kOther);
    MSubclass::AttachMessage(stays.get(), hwnd, kOther);
    goes.reset();

    EXPECT_EQ(SendMessageA(hwnd, kMsg, 0, 0), 31);
    EXPECT_EQ(SendMessageA(hwnd, kOther, 0, 0), 4);
    EXPECT_EQ(stays->seen, (std::vector<UINT>{kOther}));

    // An error of a client reaches the sender, and the dispatch's reference is gone.
    stays->during = [](HWND, UINT) { throw std::runtime_error("client failed"); };
    EXPECT_THROW(SendMessageA(hwnd, kOther, 0, 0), std::runtime_error);
    EXPECT_EQ(stays.use_count(), 1);
    stays.reset();
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), reinterpret_cast<LONG_PTR>(FakeSystem::baseProc()));
}
