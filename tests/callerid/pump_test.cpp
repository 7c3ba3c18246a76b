// The poll tick against the simulated box: a burst in one tick, a nested
// tick, a throwing step, line states, and recordings: their names, rows,
// files, errors, collisions, the end of a recording and two lines at once.
#include "callerid_fixture.h"

#include "callerid/windows.h"
#include "common/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <functional>

namespace {

// The unknown-caller window of these tests: runs a hook when it loads.
class UnknownCallerProbe : public ui::Form {
public:
    UnknownCallerProbe() : ui::Form(QStringLiteral("GtNewNo")) {}
    static inline std::function<void()> onLoad;

protected:
    void Form_Load() override
    {
        if (onLoad) onLoad();
    }
};

class BoxPump : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        ui::Windows::define(QStringLiteral("GtNewNo"), [] { return std::make_unique<UnknownCallerProbe>(); });
        makeAreaDatabase();
        settings(QString(), QStringLiteral("0"), QStringLiteral("1"));
        QDir().mkpath(path(QStringLiteral("WavFile")));
    }
    void TearDown() override
    {
        UnknownCallerProbe::onLoad = nullptr;
        qunsetenv("HALVEX_CIDBOX");
        CallerIdTest::TearDown();
        callerid::defineWindows();   // the program's own windows again for the tests that follow
    }
    QString wav(const QString& name) { return path(QStringLiteral("WavFile/") + name); }
    QString wavOf(const QString& number) { return scalar(QStringLiteral("select top 1 WavFile from Hv_Cidlist where CallerID='%1' order by id desc").arg(number)); }
    QString label7(ui::Form* mainWindow) { return mainWindow->control<ui::Label>(QStringLiteral("Label7"))->caption(); }
};

TEST_F(BoxPump, BurstInOneTickAndLineStates)
{
    loadMonitor({1});
    ui::Form* mainWindow = ui::Windows::open(QStringLiteral("frmMain"));
    settings(QString(), QStringLiteral("0"), QStringLiteral("0"));
    lineEvent(0, gxevent::Ringing);
    ring(0, "13800138000");
    ring(0, "81234567", gxevent::DtmfCallerId);
    lineEvent(0, gxevent::LineConnected);
    tick();
    EXPECT_EQ(box().pending(), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 2);
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("81234567"));
    EXPECT_EQ(label7(mainWindow), QStringLiteral("线路状态：接线"));
    // Caller-ID detection is armed again after an FSK read only.
    EXPECT_EQ(box().calls().count(QStringLiteral("GX_StartDetectCallerID(0)")), 2);
    lineEvent(0, gxevent::Ringing);
    tick();
    EXPECT_EQ(label7(mainWindow), QStringLiteral("线路状态：震铃"));
    lineEvent(0, gxevent::LineCut);
    tick();
    EXPECT_EQ(label7(mainWindow), QStringLiteral("线路状态：断线"));
}

TEST_F(BoxPump, NestedTickReturnsAtOnceAndAThrowingStepEndsOnlyItsEvent)
{
    loadMonitor({1});
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    int pendingInNestedTick = -1;
    UnknownCallerProbe::onLoad = [&] {
        monitor()->PollBoxEvents();
        pendingInNestedTick = box().pending();
    };
    ring(0, "81234567");
    ring(0, "81234568");
    ring(0, "81234569");
    tick();
    EXPECT_EQ(pendingInNestedTick, 0);   // the last call's window: nothing was left for it to take
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 3);

    UnknownCallerProbe::onLoad = [] { throw std::runtime_error("window failed"); };
    ring(0, "82234567");
    ring(0, "82234568");
    tick();
    EXPECT_EQ(box().pending(), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 5);
    // The busy flag was cleared: the next tick works.
    UnknownCallerProbe::onLoad = nullptr;
    ring(0, "83234567");
    tick();
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("83234567"));
}

TEST_F(BoxPump, OffHookBeforeAnyCallerIdOnlyShowsTheStatus)
{
    loadMonitor({1});
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(status(0), QStringLiteral("Recording Out"));
    EXPECT_TRUE(QDir(path(QStringLiteral("WavFile"))).isEmpty());
    EXPECT_FALSE(box().isRecording(0));
    // The hang-up shows the line idle, though nothing was recorded.
    lineEvent(0, gxevent::LineCut);
    tick();
    EXPECT_EQ(status(0), QStringLiteral("Idle"));
}

TEST_F(BoxPump, AnsweredCallIsRecordedUntilHangUp)
{
    loadMonitor({1});
    ring(0, "13800138000");
    lineEvent(0, gxevent::OffHook);
    tick();
    const QString name = QStringLiteral("260310093015-13800138000-0.wav");
    EXPECT_EQ(wavOf(QStringLiteral("13800138000")), name);
    EXPECT_EQ(monitor()->TelNo(), QString());
    EXPECT_EQ(status(0), QStringLiteral("Recording In"));
    EXPECT_TRUE(box().isRecording(0));
    QFile file(wav(name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), "RIFF");

    // While recording, a caller ID is not handled; the hang-up ends the recording.
    ring(0, "13911112222");
    lineEvent(0, gxevent::LineCut);
    ring(0, "13933334444");
    tick();
    EXPECT_FALSE(box().isRecording(0));
    EXPECT_EQ(status(0), QStringLiteral("Idle"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where CallerID='13911112222'")), 0);
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("13933334444"));

    // A second off-hook takes this call; then one without a caller between.
    lineEvent(0, gxevent::OffHook);
    lineEvent(0, gxevent::LineCut);
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(wavOf(QStringLiteral("13933334444")), QStringLiteral("260310093015-13933334444-0.wav"));
    EXPECT_TRUE(QFile::exists(wav(QStringLiteral("260310093015--0.wav"))));
    EXPECT_EQ(status(0), QStringLiteral("Recording Out"));
}

TEST_F(BoxPump, NamesNeverCollideAndEachLineKeepsItsCaller)
{
    loadMonitor({1, 1});
    ring(0, "13800138000");
    ring(1, "075581234567");
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(wavOf(QStringLiteral("13800138000")), QStringLiteral("260310093015-13800138000-0.wav"));
    EXPECT_EQ(wavOf(QStringLiteral("075581234567")), QString());
    lineEvent(1, gxevent::OffHook);
    tick();
    EXPECT_EQ(wavOf(QStringLiteral("075581234567")), QStringLiteral("260310093015-075581234567-1.wav"));

    // The same caller again within the same second: a new name, the old file kept.
    lineEvent(0, gxevent::LineCut);
    ring(0, "13800138000");
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(wavOf(QStringLiteral("13800138000")), QStringLiteral("260310093015-13800138000-0-2.wav"));
    EXPECT_TRUE(QFile::exists(wav(QStringLiteral("260310093015-13800138000-0.wav"))));
    EXPECT_TRUE(QFile::exists(wav(QStringLiteral("260310093015-13800138000-0-2.wav"))));
}

// A recording goes into the row of the call it belongs to, whatever rows of
// the same number came since: another workstation of a hunt group logging
// the same caller, or the caller on the second line.
TEST_F(BoxPump, ARecordingIsFiledWithItsOwnCall)
{
    loadMonitor({1, 1});
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"another workstation logged the caller since",
         [this] { addCall(QDateTime(QDate(2026, 3, 10), QTime(9, 30, 16)), QStringLiteral("13800138000")); }},
        {"the caller rang the second line since", [this] {
             ring(1, "13800138000");
             tick();
         }},
    };
    for (const auto& [name, since] : cases) {
        SCOPED_TRACE(name);
        exec(QStringLiteral("delete from Hv_Cidlist"));
        ring(0, "13800138000");
        tick();
        const int own = count(QStringLiteral("select max(id) from Hv_Cidlist"));
        since();
        lineEvent(0, gxevent::OffHook);
        tick();
        EXPECT_TRUE(scalar(QStringLiteral("select WavFile from Hv_Cidlist where id=%1").arg(own))
                        .startsWith(QStringLiteral("260310093015-13800138000-0")));
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>''")), 1);
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 2);
        lineEvent(0, gxevent::LineCut);
        lineEvent(1, gxevent::LineCut);
        tick();
    }
}

TEST_F(BoxPump, RefusedRecordingShowsRecordErrorAndKeepsTheName)
{
    loadMonitor({1});
    QDir(path(QStringLiteral("WavFile"))).removeRecursively();
    ring(0, "13800138000");
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(status(0), QStringLiteral("Record Error"));
    EXPECT_EQ(wavOf(QStringLiteral("13800138000")), QStringLiteral("260310093015-13800138000-0.wav"));
    lineEvent(0, gxevent::LineCut);
    tick();
    EXPECT_EQ(status(0), QStringLiteral("Idle"));
}

// A person rings the box from its script: the call is logged with its area,
// the answered call recorded, and the hang-up frees the line.
TEST_F(BoxPump, ScriptedCallFromTheEnvironment)
{
    QFile::remove(path(QStringLiteral("MobilDB.mdb")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(HALVEX_MOBILDB_FILE), path(QStringLiteral("MobilDB.mdb"))));
    const QString script = path(QStringLiteral("box.txt"));
    qputenv("HALVEX_CIDBOX", QFile::encodeName(script));
    ui::Windows::get(QStringLiteral("GtMain"));
    auto* gt = ui::Windows::loaded<callerid::GtMain>(QStringLiteral("GtMain"));
    ASSERT_NE(gt, nullptr);
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("0 ring\n0 cid 13800138000\n0 offhook\n");
    file.flush();
    gt->PollBoxEvents();
    settle();
    EXPECT_EQ(newestCall("CIDarea"), QStringLiteral("北京--中国移动"));
    const QString name = newestCall("WavFile");
    EXPECT_EQ(name, QStringLiteral("260310093015-13800138000-0.wav"));
    EXPECT_TRUE(QFile::exists(wav(name)));
    file.write("0 hangup\n");
    file.flush();
    gt->PollBoxEvents();
    EXPECT_EQ(gt->control<ui::FlexGrid>(QStringLiteral("StatusGridV"))->textMatrix(1, 2), QStringLiteral("Idle"));
}

} // namespace

// A caller ID longer than the call log's number column (a noisy line) is
// logged cut to the column, listed, and its recording filed in that row; the
// monitor keeps the whole number for the pop-ups and the status strip.
TEST_F(BoxPump, OverlongCallerIdIsLoggedCutToTheColumnAndRecorded)
{
    const QByteArray noisy = QByteArray("13800138000").repeated(6);   // 66 digits
    const QString logged = QString::fromLatin1(noisy.left(50));
    loadMonitor({1});
    ring(0, noisy);
    lineEvent(0, gxevent::OffHook);
    tick();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 1);
    EXPECT_EQ(newestCall("CallerID"), logged);
    EXPECT_EQ(monitor()->PhoneID(), QString::fromLatin1(noisy));
    EXPECT_EQ(wavOf(logged), QStringLiteral("260310093015-%1-0.wav").arg(QString::fromLatin1(noisy)));
    QCoreApplication::processEvents();   // the day list is filled after the tick
    ASSERT_EQ(list()->itemCount(), 1);
    EXPECT_EQ(list()->text(0, 1), logged);
}

// Each data file's call log cuts the number to its own column: a workstation
// whose shared file was made with a narrower number column logs its calls
// cut to that width, and the local file again to its own.
TEST_F(BoxPump, TheNumberIsCutToTheColumnOfTheFileInUse)
{
    const QString shared = path(QStringLiteral("shared"));
    QDir().mkpath(shared);
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + QStringLiteral("/hvcrm.hvd")));
    const QString local = Mymode::ConnectString;
    Mymode::ConnectString = database::connectStringFor(shared);
    exec(QStringLiteral("drop table Hv_Cidlist"));
    exec(QStringLiteral("create table Hv_Cidlist (id INTEGER PRIMARY KEY AUTOINCREMENT, DateTime DATETIME, "
                        "CallerID TEXT(8) COLLATE NOCASE, UserNO TEXT(50) COLLATE NOCASE, CidName TEXT(50) COLLATE NOCASE, "
                        "Contant TEXT(255) COLLATE NOCASE, WavFile TEXT(255) COLLATE NOCASE, CIDarea TEXT(100) COLLATE NOCASE)"));
    Mymode::ConnectString = local;
    loadMonitor({1});
    const auto call = [&](const QString& connectString) {
        Mymode::ConnectString = connectString;
        ring(0, "13800138000");
        tick();
        return newestCall("CallerID");
    };
    EXPECT_EQ(call(local), QStringLiteral("13800138000"));
    EXPECT_EQ(call(database::connectStringFor(shared)), QStringLiteral("13800138"));
    EXPECT_EQ(call(local), QStringLiteral("13800138000"));
    Mymode::ConnectString = local;
}
