// The window layer: one window per kind, load once, unload discards, loading
// order, closing by the frame, undefined kinds, unload steps that unload
// others, closing by Esc, pop-ups made ahead.
#include "platform/ui/translations.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QBackingStore>
#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList& events()
{
    static QStringList log;
    return log;
}

// A window that logs its load and unload steps and has a close button.
class ProbeWindow : public ui::Form {
public:
    explicit ProbeWindow(const QString& kind) : Form(kind)
    {
        setSizeTwips(6000, 4500);
        addTextBox(QStringLiteral("text1"), 120, 120, 2000, 300);
        auto* close = addPictureButton(QStringLiteral("command3"), QString(), 120, 600, 1200, 375);
        close->onClick = [this] { ui::Windows::unload(this); };
    }
    std::function<void()> onLoad, onUnload;
    int resizes = 0;

protected:
    void Form_Load() override
    {
        events() << QStringLiteral("load ") + kind();
        if (onLoad) onLoad();
        if (kind() == QLatin1String("uiProbeSelfUnloading")) ui::Windows::unload(this);
    }
    void Form_Unload() override
    {
        events() << QStringLiteral("unload ") + kind();
        if (kind() == QLatin1String("uiProbeUnloadsAll")) ui::Windows::unloadAll();
    }
    void Form_Resize() override { ++resizes; }
};

class UiWindows : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const char* kind : {"uiProbeA", "uiProbeB", "uiProbeC", "uiProbeUnloadsAll", "uiProbeSelfUnloading"}) {
            const QString name = QString::fromLatin1(kind);
            ui::Windows::define(name, [name] { return std::make_unique<ProbeWindow>(name); });
        }
    }
    void SetUp() override { events().clear(); }
    void TearDown() override
    {
        ui::Windows::unloadAll();
        discardUnloaded();
    }
    static void discardUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static int count(const QString& event) { return static_cast<int>(events().count(event)); }
};

TEST_F(UiWindows, OpeningAgainBringsTheSameWindowWithoutLoadingIt)
{
    ui::Form* first = ui::Windows::open(QStringLiteral("uiProbeA"));
    ASSERT_NE(first, nullptr);
    first->control<ui::TextBox>(QStringLiteral("text1"))->setText(QStringLiteral("typed"));

    ui::Form* second = ui::Windows::open(QStringLiteral("uiProbeA"));
    EXPECT_EQ(second, first);
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->control<ui::TextBox>(QStringLiteral("text1"))->text(), QStringLiteral("typed"));
    EXPECT_EQ(count(QStringLiteral("load uiProbeA")), 1);
    EXPECT_EQ(ui::Windows::get(QStringLiteral("uiProbeA")), first);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), first);
}

TEST_F(UiWindows, GetLoadsUnseenAndOpenLaterShowsWithoutReloading)
{
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeB")), nullptr);
    ui::Form* unseen = ui::Windows::get(QStringLiteral("uiProbeB"));
    ASSERT_NE(unseen, nullptr);
    EXPECT_TRUE(unseen->loadDone());
    EXPECT_FALSE(unseen->isVisible());

    EXPECT_EQ(ui::Windows::open(QStringLiteral("uiProbeB")), unseen);
    EXPECT_TRUE(unseen->isVisible());
    EXPECT_EQ(count(QStringLiteral("load uiProbeB")), 1);
}

TEST_F(UiWindows, UnloadDiscardsTheWindowAndTheNextOpeningLoadsAfresh)
{
    QPointer<ui::Form> first = ui::Windows::open(QStringLiteral("uiProbeA"));
    first->control<ui::TextBox>(QStringLiteral("text1"))->setText(QStringLiteral("typed"));

    ui::Windows::unload(QStringLiteral("uiProbeA"));
    EXPECT_EQ(count(QStringLiteral("unload uiProbeA")), 1);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), nullptr);
    EXPECT_FALSE(first->isVisible());
    discardUnloaded();
    EXPECT_TRUE(first.isNull());

    ui::Form* again = ui::Windows::open(QStringLiteral("uiProbeA"));
    EXPECT_EQ(count(QStringLiteral("load uiProbeA")), 2);
    EXPECT_EQ(again->control<ui::TextBox>(QStringLiteral("text1"))->text(), QString());

    ui::Windows::unload(again);
    ui::Windows::unload(again);   // a second unload of the same window does nothing
    EXPECT_EQ(count(QStringLiteral("unload uiProbeA")), 2);
}

TEST_F(UiWindows, CloseButtonUnloadsItsOwnWindowFromInsideItsHandler)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("uiProbeA"));
    form->control<ui::PictureButton>(QStringLiteral("command3"))->click();
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), nullptr);
    EXPECT_EQ(count(QStringLiteral("unload uiProbeA")), 1);
}

TEST_F(UiWindows, ClosingByTheFrameUnloads)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("uiProbeA"));
    EXPECT_TRUE(form->close());
    EXPECT_EQ(count(QStringLiteral("unload uiProbeA")), 1);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), nullptr);
}

TEST_F(UiWindows, AllListsWindowsInLoadingOrderAndUnloadAllEmptiesIt)
{
    ui::Form* a = ui::Windows::open(QStringLiteral("uiProbeA"));
    ui::Form* b = ui::Windows::get(QStringLiteral("uiProbeB"));
    ui::Form* c = ui::Windows::open(QStringLiteral("uiProbeC"));
    ui::Windows::open(QStringLiteral("uiProbeA"));
    EXPECT_EQ(ui::Windows::all(), (std::vector<ui::Form*>{a, b, c}));

    ui::Windows::unload(b);
    EXPECT_EQ(ui::Windows::all(), (std::vector<ui::Form*>{a, c}));

    ui::Windows::unloadAll();
    EXPECT_TRUE(ui::Windows::all().empty());
    EXPECT_EQ(events().mid(3), (QStringList{"unload uiProbeB", "unload uiProbeC", "unload uiProbeA"}));
}

TEST_F(UiWindows, AnUnloadStepThatUnloadsEveryWindowUnloadsEachOnce)
{
    ui::Windows::open(QStringLiteral("uiProbeA"));
    ui::Windows::open(QStringLiteral("uiProbeUnloadsAll"));
    ui::Windows::open(QStringLiteral("uiProbeB"));

    ui::Windows::unload(QStringLiteral("uiProbeUnloadsAll"));
    EXPECT_TRUE(ui::Windows::all().empty());
    for (const char* kind : {"uiProbeA", "uiProbeB", "uiProbeUnloadsAll"})
        EXPECT_EQ(count(QStringLiteral("unload ") + QLatin1String(kind)), 1) << kind;
}

TEST_F(UiWindows, UndefinedKindsOpenNothing)
{
    ui::Windows::open(QStringLiteral("uiProbeA"));
    EXPECT_FALSE(ui::Windows::isDefined(QStringLiteral("frmNotYetBuilt")));
    EXPECT_EQ(ui::Windows::open(QStringLiteral("frmNotYetBuilt")), nullptr);
    EXPECT_EQ(ui::Windows::get(QStringLiteral("frmNotYetBuilt")), nullptr);
    EXPECT_EQ(ui::Windows::openNew(QStringLiteral("frmNotYetBuilt")), nullptr);
    ui::Windows::unload(QStringLiteral("frmNotYetBuilt"));
    EXPECT_EQ(ui::Windows::all().size(), 1u);
}

TEST_F(UiWindows, AWindowThatUnloadsItselfWhileLoadingIsNotShown)
{
    EXPECT_EQ(ui::Windows::open(QStringLiteral("uiProbeSelfUnloading")), nullptr);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeSelfUnloading")), nullptr);
    EXPECT_TRUE(ui::Windows::all().empty());
}

TEST_F(UiWindows, OpenNewMakesAWindowEachTimeBesideTheOneOfItsKind)
{
    ui::Form* own = ui::Windows::open(QStringLiteral("uiProbeA"));
    ui::Form* popUp1 = ui::Windows::openNew(QStringLiteral("uiProbeA"));
    ui::Form* popUp2 = ui::Windows::openNew(QStringLiteral("uiProbeA"));
    EXPECT_NE(popUp1, popUp2);
    EXPECT_NE(popUp1, own);
    EXPECT_TRUE(popUp2->isVisible());
    EXPECT_EQ(count(QStringLiteral("load uiProbeA")), 3);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), own);
    EXPECT_EQ(ui::Windows::all(), (std::vector<ui::Form*>{own, popUp1, popUp2}));

    ui::Windows::unload(popUp1);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")), own);
}

// A window made ahead waits unloaded and unseen for the next openNew of its
// kind, which loads it then with its buffer ready; one waits per kind, the
// kind's own window and later pop-ups are made as always, and unloadAll
// discards one never used without an unload step.
TEST_F(UiWindows, AWindowMadeAheadIsTheNextPopUpOfItsKind)
{
    int made = 0;
    ui::Windows::define(QStringLiteral("uiProbeAhead"), [&made] {
        ++made;
        return std::make_unique<ProbeWindow>(QStringLiteral("uiProbeAhead"));
    });
    ui::Windows::prepareNew(QStringLiteral("uiProbeAhead"));
    ui::Windows::prepareNew(QStringLiteral("uiProbeAhead"));
    ui::Windows::prepareNew(QStringLiteral("uiProbeUndefined"));
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(events().isEmpty());
    EXPECT_TRUE(ui::Windows::all().empty());
    QPointer<ui::Form> ahead;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<ui::Form*>(top); form && form->kind() == QLatin1String("uiProbeAhead")) ahead = form;
    ASSERT_TRUE(ahead);
    EXPECT_FALSE(ahead->isVisible());
    ASSERT_NE(ahead->backingStore(), nullptr);
    EXPECT_EQ(ahead->backingStore()->size(), ahead->size());

    ui::Form* own = ui::Windows::open(QStringLiteral("uiProbeAhead"));
    EXPECT_NE(own, ahead.data());
    EXPECT_EQ(made, 2);
    ui::Form* popUp = ui::Windows::openNew(QStringLiteral("uiProbeAhead"));
    EXPECT_EQ(popUp, ahead.data());
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(popUp->isVisible());
    EXPECT_EQ(count(QStringLiteral("load uiProbeAhead")), 2);
    EXPECT_EQ(ui::Windows::all(), (std::vector<ui::Form*>{own, popUp}));
    EXPECT_NE(ui::Windows::openNew(QStringLiteral("uiProbeAhead")), popUp);
    EXPECT_EQ(made, 3);

    ui::Windows::prepareNew(QStringLiteral("uiProbeAhead"));
    EXPECT_EQ(made, 4);
    ui::Windows::unloadAll();
    discardUnloaded();
    EXPECT_EQ(count(QStringLiteral("unload uiProbeAhead")), 3);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<ui::Form*>(top)) EXPECT_NE(form->kind(), QStringLiteral("uiProbeAhead"));
}

TEST_F(UiWindows, LoadStepSeesItsOwnWindowAsLoaded)
{
    ui::Form* seenDuringLoad = nullptr;
    ui::Windows::define(QStringLiteral("uiProbeLooksAtItself"), [&seenDuringLoad] {
        auto form = std::make_unique<ProbeWindow>(QStringLiteral("uiProbeLooksAtItself"));
        form->onLoad = [&seenDuringLoad] { seenDuringLoad = ui::Windows::get(QStringLiteral("uiProbeLooksAtItself")); };
        return form;
    });
    ui::Form* form = ui::Windows::open(QStringLiteral("uiProbeLooksAtItself"));
    EXPECT_EQ(seenDuringLoad, form);
    EXPECT_EQ(count(QStringLiteral("load uiProbeLooksAtItself")), 1);
}

TEST_F(UiWindows, SizesAreInTwipsAndResizeRunsAfterLoad)
{
    auto* form = static_cast<ProbeWindow*>(ui::Windows::open(QStringLiteral("uiProbeA")));
    const int before = form->resizes;
    form->setSizeTwips(9000, 6000);
    QCoreApplication::sendPostedEvents();
    EXPECT_GT(form->resizes, before);
    // The size given is the outer one; the inner one is smaller by the frame.
    EXPECT_DOUBLE_EQ(form->widthTwips(), 9000);
    EXPECT_DOUBLE_EQ(form->heightTwips(), 6000);
    EXPECT_LE(form->scaleWidthTwips(), 9000);
    EXPECT_LE(form->scaleHeightTwips(), 6000);
    EXPECT_EQ(form->control<ui::TextBox>(QStringLiteral("text1"))->geometry(), QRect(8, 8, 133, 20));
}

TEST_F(UiWindows, UnloadSilencesTheWindowsTimers)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("uiProbeA"));
    auto* timer = new ui::Timer(form);
    timer->setInterval(1000);
    timer->setEnabled(true);
    ui::Windows::unload(form);
    EXPECT_FALSE(timer->isEnabled());
}

// Esc closes a window that asks for it, once the focused box's KeyPress
// handler has seen the key and left it; a handler that swallows it, or a
// window that holds typing, keeps the window.
TEST_F(UiWindows, EscClosesAWindowThatAsksForItAfterTheBoxHasSeenTheKey)
{
    struct Case {
        const char* what;
        bool asks;
        bool holdsTyping;
        bool swallows;
        bool closes;
    };
    for (const Case& c : {Case{"not asking", false, false, false, false}, Case{"asking", true, false, false, true},
                          Case{"handler swallows Esc", true, false, true, false},
                          Case{"holding typing", true, true, false, false}}) {
        QPointer<ui::Form> form = ui::Windows::open(QStringLiteral("uiProbeA"));
        if (c.asks) form->closeOnEscape([&c] { return c.holdsTyping; });
        auto* box = form->control<ui::TextBox>(QStringLiteral("text1"));
        QList<int> seen;
        box->onKeyPress = [&seen, &c](int& keyAscii) {
            seen << keyAscii;
            if (c.swallows) keyAscii = 0;
        };
        box->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(seen, QList<int>{27}) << c.what;
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("uiProbeA")) == nullptr, c.closes) << c.what;
        EXPECT_EQ(count(QStringLiteral("unload uiProbeA")), c.closes ? 1 : 0) << c.what;
        ui::Windows::unloadAll();
        discardUnloaded();
        events().clear();
    }
}

} // namespace

// Qt's own texts, such as the file dialog's, are Chinese once the translations load.
TEST(UiTranslations, QtsOwnTextsAreChinese)
{
    ASSERT_TRUE(ui::loadQtTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
}
