// Calls while another workstation holds the data file: each call is logged
// in order, with its contact and its recording, once the file is free; the
// monitor shows how many wait; a caller the held file kept from being looked
// up is shown so and then as usual; the recording starts before any
// database step; the waiting calls survive a kill and are written once.
#include "callerid_fixture.h"

#include "callerid/waitingcalls.h"
#include "common/database.h"
#include "platform/db/busywait.h"
#include "platform/ui/desktop.h"
#include "platform/ui/waitcursor.h"
#include "tests/support/busyfile.h"
#include "tests/support/sqliteshell.h"

#include <QDir>
#include <QProcess>
#include <csignal>

namespace {

using Hold = OtherWorkstationWriting::Hold;

const char* const kNotLookedUpStrip = "数据文件正忙，客户暂时查不到";
// Long enough for the reader's first attempt on a held file.
constexpr int kReaderAttemptMs = callerid::MonitorReader::kAttemptMs * 2;

class HeldFile : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        makeAreaDatabase();
        QDir().mkpath(path(QStringLiteral("WavFile")));
        settings(QString(), QStringLiteral("1"), QStringLiteral("1"));
        const int customer = addCustomer(QStringLiteral("华星商行"));
        addContact(customer, QStringLiteral("王经理"), QString(), QStringLiteral("13800138000"));
        loadMonitor();
        mainWindow_ = ui::Windows::open(QStringLiteral("frmMain"));
    }
    void TearDown() override
    {
        ui::showWaitsForTheDataFile();
        const QString store = storePath();
        CallerIdTest::TearDown();
        EXPECT_EQ(integrityCheck(store), QStringLiteral("ok"));
    }
    static void closePopUps()
    {
        for (ui::Form* form : ui::Windows::all())
            if (QStringList{"frmCustDetail", "GtNewNo", "GtBusyNo"}.contains(form->kind())) ui::Windows::unload(form);
    }
    ui::Form* popUp(const char* kind) const
    {
        for (ui::Form* form : ui::Windows::all())
            if (form->kind() == QLatin1String(kind)) return form;
        return nullptr;
    }
    QString strip() const { return mainWindow_->control<ui::Label>(QStringLiteral("Label14"))->caption(); }
    ui::Label* waitingLabel() const { return ctl<ui::Label>("WaitingLabel"); }
    // The calls logged after the id, oldest first: number, contact, recording.
    QStringList callsAfter(int id)
    {
        QStringList rows;
        auto calls = database::query(
            QStringLiteral("select CallerID, UserNO, WavFile from Hv_Cidlist where id>%1 order by id").arg(id));
        for (; !calls->eof(); calls->moveNext())
            rows << calls->field(0).toText() + QLatin1Char('|') + calls->field(1).toText() + QLatin1Char('|')
                    + (calls->field(2).toText().isEmpty() ? QString() : QStringLiteral("wav"));
        return rows;
    }
    int lastId() { return count(QStringLiteral("select max(id) from Hv_Cidlist")); }

    ui::Form* mainWindow_ = nullptr;
};

TEST_F(HeldFile, EachCallIsLoggedInOrderWithItsContactAndRecordingOnceTheFileIsFree)
{
    for (const Hold hold : {Hold::Write, Hold::Exclusive}) {
        SCOPED_TRACE(hold == Hold::Write ? "write" : "exclusive");
        closePopUps();
        const int before = lastId();
        {
            OtherWorkstationWriting other(hold);
            ring(0, "075581234567");
            pump();
            ring(0, "13800138000");
            lineEvent(0, gxevent::OffHook);
            pump();
            EXPECT_TRUE(box().isRecording(0));
            lineEvent(0, gxevent::LineCut);
            pump();
            EXPECT_EQ(monitor()->waitingCalls(), 2);
            EXPECT_FALSE(waitingLabel()->isHidden());
            EXPECT_EQ(waitingLabel()->caption(), QStringLiteral("有2个来电等待记入数据文件，数据文件空出后自动记入"));
        }
        settle();
        EXPECT_EQ(callsAfter(before), (QStringList{"075581234567||", "13800138000|王经理|wav"}));
        EXPECT_EQ(monitor()->waitingCalls(), 0);
        EXPECT_TRUE(waitingLabel()->isHidden());
        // The day's list shows them once written.
        EXPECT_EQ(list()->itemCount(), count(QStringLiteral("select count(*) from Hv_Cidlist")));
        EXPECT_EQ(list()->text(0, 1), QStringLiteral("13800138000"));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 4);
}

// Held by a colleague (BEGIN EXCLUSIVE), or out of reach (the shared folder
// gone): the caller is not looked up, which is not "no such customer". Its
// notice shows at once, and once the file answers its card or the
// unknown-caller window follows (none when the operator closed the notice),
// and the call is logged with its contact.
TEST_F(HeldFile, ACallerNotLookedUpIsShownSoAndThenAsUsual)
{
    enum class Away { Held, OutOfReach };
    struct Case {
        Away away;
        const char* number;
        bool noticeClosed;
        const char* popsUp;   // after the file answers; nullptr: nothing
        const char* strip;
        const char* contact;
    };
    const Case cases[] = {
        {Away::Held, "13800138000", false, "frmCustDetail", "华星商行", "王经理"},
        {Away::Held, "075581234567", false, "GtNewNo", "广东--深圳", ""},
        {Away::Held, "13800138000", true, nullptr, "华星商行", "王经理"},
        {Away::OutOfReach, "13800138000", false, "frmCustDetail", "华星商行", "王经理"},
        {Away::OutOfReach, "075581234567", false, "GtNewNo", "广东--深圳", ""},
    };
    // The monitor works on a shared folder that can go away.
    const QString shared = path(QStringLiteral("shared"));
    const QString away = path(QStringLiteral("shared-away"));
    QDir().mkpath(shared);
    exec(QStringLiteral("vacuum into ") + sqltext::quoted(shared + QStringLiteral("/hvcrm.hvd")));
    Mymode::ConnectString = database::connectStringFor(shared);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.number) + (c.away == Away::Held ? " held" : " out of reach")
                     + (c.noticeClosed ? " closed" : ""));
        closePopUps();
        {
            std::optional<OtherWorkstationWriting> other;
            if (c.away == Away::Held)
                other.emplace(Hold::Exclusive);
            else
                ASSERT_TRUE(QDir().rename(shared, away));
            ring(0, c.number);
            pump();
            ASSERT_TRUE(waitUntil([&] { return popUp("GtBusyNo") != nullptr; }));
            EXPECT_EQ(windowsOf("frmCustDetail") + windowsOf("GtNewNo"), 0);
            ui::Form* notice = popUp("GtBusyNo");
            EXPECT_EQ(notice->control<ui::TextBox>(QStringLiteral("ldhm"))->text(), QString::fromLatin1(c.number));
            EXPECT_EQ(notice->control<ui::Label>(QStringLiteral("Label4"))->caption(),
                      QStringLiteral("另一台电脑正在使用数据文件，暂时查不到这个号码的客户；数据文件空出后会自动再查，再显示客户资料"));
            EXPECT_EQ(strip(), QString::fromUtf8(kNotLookedUpStrip));
            if (c.noticeClosed) notice->control<ui::PictureButton>(QStringLiteral("Image3"))->click();
            if (c.away == Away::OutOfReach) ASSERT_TRUE(QDir().rename(away, shared));
        }
        settle();
        EXPECT_EQ(windowsOf("GtBusyNo"), 0);
        EXPECT_EQ(windowsOf("frmCustDetail") + windowsOf("GtNewNo"), c.popsUp ? 1 : 0);
        if (c.popsUp) ASSERT_EQ(windowsOf(c.popsUp), 1);
        if (c.popsUp && std::string(c.popsUp) == "GtNewNo")
            EXPECT_EQ(popUp("GtNewNo")->control<ui::TextBox>(QStringLiteral("ldhm"))->text(), QString::fromLatin1(c.number));
        EXPECT_EQ(strip(), QString::fromUtf8(c.strip));
        auto newest = database::query(QStringLiteral("select top 1 CallerID, UserNO from Hv_Cidlist order by id desc"));
        EXPECT_EQ(newest->field(0).toText(), QString::fromLatin1(c.number));
        EXPECT_EQ(newest->field(1).toText(), QString::fromUtf8(c.contact));
    }
}

// With pop-ups off a known caller leaves the status strip alone, whether the
// file answered at once or only after a colleague's hold; an unknown caller
// always shows its number and area there.
TEST_F(HeldFile, WithPopUpsOffAKnownCallerLeavesTheStripAlone)
{
    settings(QString(), QStringLiteral("0"), QStringLiteral("0"));
    const char* const kEarlier = "前一个来电";
    struct Case {
        bool held;
        const char* number;
        const char* strip;
    };
    const Case cases[] = {
        {false, "13800138000", kEarlier},
        {true, "13800138000", kEarlier},
        {false, "075581234567", "广东--深圳"},
        {true, "075581234567", "广东--深圳"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.number) + (c.held ? " held" : " free"));
        mainWindow_->control<ui::Label>(QStringLiteral("Label14"))->setCaption(QString::fromUtf8(kEarlier));
        {
            std::optional<OtherWorkstationWriting> other;
            if (c.held) other.emplace(Hold::Exclusive);
            ring(0, c.number);
            pump();
            QThread::msleep(kReaderAttemptMs);
            QCoreApplication::processEvents();
            if (c.held) EXPECT_EQ(strip(), QString::fromUtf8(kEarlier));
        }
        settle();
        EXPECT_EQ(strip(), QString::fromUtf8(c.strip));
        EXPECT_EQ(windowsOf("frmCustDetail") + windowsOf("GtNewNo") + windowsOf("GtBusyNo"), 0);
    }
}

// Started while a colleague held the file, the monitor reads its options
// once the file answers: the first call after the hold has its prefix
// removed, pops up and is recorded.
TEST_F(HeldFile, OptionsUnreadAtTheStartAreReadOnceTheFileAnswers)
{
    settings(QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("1"));
    ui::Windows::unload(monitor());
    {
        OtherWorkstationWriting other(Hold::Exclusive);
        ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
        QThread::msleep(kReaderAttemptMs);
        QCoreApplication::processEvents();
    }
    loadMonitor();
    ring(0, "913800138000");
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(windowsOf("frmCustDetail"), 1);
    EXPECT_TRUE(box().isRecording(0));
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("13800138000"));
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("王经理"));
    EXPECT_FALSE(newestCall("WavFile").isEmpty());
    lineEvent(0, gxevent::LineCut);
    pump();
}

// A hold that starts after the caller was looked up and before the card
// reads it: no box stops the poll tick; the notice shows, an off-hook is
// recorded meanwhile, and the card follows once the file answers.
TEST_F(HeldFile, AHoldBeforeTheCardReadsHoldsUpNothing)
{
    ring(0, "13800138000");
    monitor()->PollBoxEvents();
    // The reader answers while the window thread is busy elsewhere.
    QThread::msleep(kReaderAttemptMs);
    {
        OtherWorkstationWriting other(Hold::Exclusive);
        QCoreApplication::processEvents();
        EXPECT_EQ(windowsOf("frmCustDetail"), 0);
        ASSERT_TRUE(waitUntil([&] { return popUp("GtBusyNo") != nullptr; }));
        lineEvent(0, gxevent::OffHook);
        pump();
        EXPECT_TRUE(box().isRecording(0));
        EXPECT_TRUE(messages.shown().empty());
    }
    settle();
    EXPECT_EQ(windowsOf("GtBusyNo"), 0);
    EXPECT_EQ(windowsOf("frmCustDetail"), 1);
    EXPECT_TRUE(messages.shown().empty());
    lineEvent(0, gxevent::LineCut);
    pump();
}

// Any statement of the off-hook that waited for the file would do so with
// the line not yet recorded.
TEST_F(HeldFile, TheRecordingStartsBeforeAnyDatabaseStep)
{
    for (const Hold hold : {Hold::Write, Hold::Exclusive}) {
        SCOPED_TRACE(hold == Hold::Write ? "write" : "exclusive");
        ring(0, "13800138000");
        pump();
        settle();
        QList<bool> recordingWhileWaiting;
        {
            OtherWorkstationWriting other(hold);
            db::busywait::setObserver([&](int) { recordingWhileWaiting << box().isRecording(0); });
            lineEvent(0, gxevent::OffHook);
            pump();
            ui::showWaitsForTheDataFile();
            EXPECT_TRUE(box().isRecording(0));
            EXPECT_FALSE(recordingWhileWaiting.contains(false));
        }
        settle();
        const QString name = newestCall("WavFile");
        EXPECT_TRUE(name.startsWith(QStringLiteral("260310093015-13800138000-0")));
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("WavFile/") + name)));
        lineEvent(0, gxevent::LineCut);
        pump();
    }
}

// The day's list under a held file keeps its rows, its count and its day,
// says why beside its caption without a box, and reads again once free. A
// call is listed once the writer has written its row, so the call itself
// reads nothing.
TEST_F(HeldFile, TheDayListKeepsItsRowsAndSaysWhy)
{
    addCall(QDateTime(QDate(2026, 3, 10), QTime(8, 0)), QStringLiteral("81234567"));
    addCall(QDateTime(QDate(2026, 3, 10), QTime(8, 5)), QStringLiteral("81234568"));
    monitor()->image12_Click();
    settle();
    const struct {
        const char* name;
        std::function<void()> act;
        bool read;   // the list was read, and says why it could not be
    } actions[] = {
        {"previous day", [this] { ctl<ui::PictureButton>("image14")->click(); }, true},
        {"next day", [this] { ctl<ui::PictureButton>("image16")->click(); }, true},
        {"today", [this] { ctl<ui::PictureButton>("image12")->click(); }, true},
        {"after a call", [this] {
             ring(0, "81234569");
             pump();
         }, false},
    };
    auto* state = ctl<ui::Label>("ListStateLabel");
    for (const auto& action : actions) {
        SCOPED_TRACE(action.name);
        {
            OtherWorkstationWriting other(Hold::Exclusive);
            action.act();
            if (action.read)
                ASSERT_TRUE(waitUntil([&] { return !state->isHidden(); }));
            else
                QThread::msleep(kReaderAttemptMs);
            QCoreApplication::processEvents();
            EXPECT_EQ(list()->columnTexts(1), (QStringList{"81234568", "81234567"}));
            EXPECT_EQ(ctl<ui::TextBox>("ldian")->text(), QStringLiteral("2"));
            EXPECT_EQ(ctl<ui::TextBox>("hvDay")->text(), QStringLiteral("2026-3-10"));
            EXPECT_EQ(state->isHidden(), !action.read);
            if (action.read)
                EXPECT_EQ(state->caption(), QStringLiteral("另一台电脑正在使用数据文件，这次没能读出数据，请稍后再试"));
            EXPECT_TRUE(messages.shown().empty());
        }
        settle();
        if (!action.read) EXPECT_EQ(list()->columnTexts(1), (QStringList{"81234569", "81234568", "81234567"}));
        ctl<ui::PictureButton>("image12")->click();
        settle();
        EXPECT_TRUE(state->isHidden());
        exec(QStringLiteral("delete from Hv_Cidlist where CallerID='81234569'"));
        ctl<ui::PictureButton>("image12")->click();
        settle();
        closePopUps();
    }
}

// The child of the kill test: adds calls with their recordings through the
// monitor of the parent's program folder, and is killed at once.
TEST(WaitingCallsChild, AddsCallsAndIsKilled)
{
    const QString folder = qEnvironmentVariable("HALVEX_CALLS_CHILD");
    if (folder.isEmpty()) GTEST_SKIP() << "run by HeldFile.WaitingCallsSurviveAKillAndAreWrittenOnce";
    auto* monitor = childMonitorIn(folder);
    const int calls = qEnvironmentVariableIntValue("HALVEX_CALLS_CHILD_COUNT");
    for (int i = 0; i < calls; ++i) {
        ringAnswerAndHangUp(QByteArray::number(81230000 + i));
        monitor->PollBoxEvents();
    }
    std::raise(SIGKILL);
}

// Killed with calls waiting (the file held by a colleague's save), or in the
// middle of the writer's work (the file free): the next start writes every
// call and every recording link exactly once.
TEST_F(HeldFile, WaitingCallsSurviveAKillAndAreWrittenOnce)
{
    constexpr int kCalls = 15;
    settings(QString(), QStringLiteral("0"), QStringLiteral("1"));
    ui::Windows::unloadAll();
    for (const bool held : {true, false}) {
        SCOPED_TRACE(held ? "held" : "free");
        exec(QStringLiteral("delete from Hv_Cidlist"));
        std::optional<OtherWorkstationWriting> other;
        if (held) other.emplace(Hold::Write);
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HALVEX_CALLS_CHILD"), dir.path());
        environment.insert(QStringLiteral("HALVEX_CALLS_CHILD_COUNT"), QString::number(kCalls));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=WaitingCallsChild.AddsCallsAndIsKilled")});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardOutput().toStdString();
        other.reset();
        if (held) EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 0);

        loadMonitor();
        settle();
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), kCalls);
        EXPECT_EQ(count(QStringLiteral("select count(distinct CallerID) from Hv_Cidlist")), kCalls);
        QStringList inOrder;
        for (int i = 0; i < kCalls; ++i) inOrder << QString::number(81230000 + i);
        QStringList logged;
        for (auto rows = database::query(QStringLiteral("select CallerID from Hv_Cidlist order by id")); !rows->eof();
             rows->moveNext())
            logged << rows->field(0).toText();
        EXPECT_EQ(logged, inOrder);
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile like '%-' || CallerID || '-0%.wav'")),
                  kCalls);
        EXPECT_EQ(monitor()->waitingCalls(), 0);
        ui::Windows::unloadAll();
        EXPECT_EQ(integrityCheck(path(QStringLiteral("hvcrm/hvcrm.hvd"))), QStringLiteral("ok"));
    }
}

} // namespace
