#pragma once
// Fixture of the chrome tests: a fake window system per test, a window, and
// a message client that records what it is handed and answers as told.
#include "chrome/errors.h"
#include "chrome/isubclass.h"
#include "platform/winsys/api.h"
#include "platform/winsys/fake.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace winsys;

class ChromeTest : public ::testing::Test {
protected:
    FakeSystem fake;
    HWND hwnd = fake.createWindow();

    bool hasProp(HWND h, const std::string& name) { return fake.window(h)->props.count(name) > 0; }
};

class RecordingClient : public chrome::ISubclass {
public:
    LONG response = chrome::NoOldProc;
    LRESULT result = 0;
    std::vector<UINT> seen;
    // How many messages the base procedure had received when this client ran.
    std::vector<size_t> baseCountAtCall;
    std::function<void(HWND, UINT)> during;
    FakeSystem* fake = nullptr;

    LONG MsgResponse() override { return response; }
    LRESULT WindowProc(HWND h, UINT msg, WPARAM, LPARAM) override
    {
        seen.push_back(msg);
        if (fake) baseCountAtCall.push_back(fake->received.size());
        if (during) during(h, msg);
        return result;
    }
};

// Runs a statement that must raise the chrome error n.
#define EXPECT_CHROME_ERROR(statement, n)                                       \
    do {                                                                        \
        try {                                                                   \
            statement;                                                          \
            ADD_FAILURE() << "no error " << (n);                                \
        } catch (const chrome::ChromeError& e) {                                \
            EXPECT_EQ(e.code(), (n));                                           \
            EXPECT_EQ(e.number(), int32_t(0x80040000u + uint32_t(n)));          \
            EXPECT_EQ(e.source(), "test_chrome.WindowProc");                    \
        }                                                                       \
    } while (0)
