// The poll tick: drains the box's queue and acts on each event by its
// channel's state; an answered call is recorded into WavFile/, and the
// recording's name waits to be filed with its call.
#include "callerid/gtmain.h"

#include "callerid/waitingcalls.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"

#include <QFile>
#include <QTimer>

namespace callerid {

namespace {

constexpr std::int16_t kIdle = 1;
constexpr std::int16_t kRecording = 2;
constexpr int kStatusColumn = 2;

// Clears the busy flag on every way out of a tick.
struct BusyFlag {
    int& flag;
    explicit BusyFlag(int& busy) : flag(busy) { flag = 1; }
    ~BusyFlag() { flag = 0; }
};

// A name is taken when its file is in the folder or a waiting link names it;
// the data file is asked only when it answers at once, since the recording
// must not wait for another workstation's hold.
bool recordingNameTaken(const waitingcalls::Store& store, const QString& name)
{
    if (QFile::exists(ui::programPath(QStringLiteral("WavFile/") + name))) return true;
    if (store.namesRecording(name)) return true;
    bool named = false;
    database::guarded([&] {
        const db::busywait::Limit atOnce(0);
        named = !database::query(QStringLiteral("select id from HV_Cidlist where WavFile=") + sqltext::quoted(name))->eof();
    });
    return named;
}

} // namespace

void GtMain::PollBoxEvents()
{
    // A tick that starts while another one runs (a window it showed lets
    // events through) returns at once.
    if (PollBusy == 1) return;
    const BusyFlag busy(PollBusy);
    GxMessage message;
    while (GX_GetMessageForWindows(10, message) == 0) {
        try {
            handleEvent(message);
        } catch (const std::exception&) {
            // The event's handling ends; the next event is still taken.
        }
    }
    // Today's calls are listed once for all the calls of the tick, when the
    // call-log writer has written their rows: read before, the list would
    // not hold them yet. The writer starts once the tick's pop-ups have read
    // what they show, so its commit never holds up their reads.
    if (dayListDue_) {
        dayListDue_ = false;
        todayDue_ = true;
    }
    if (writerDue_) {
        writerDue_ = false;
        writer_.wake();
    }
}

void GtMain::handleEvent(const GxMessage& message)
{
    const std::int16_t ch = message.Channel;
    // Events of channels the monitor does not keep are dropped.
    if (ch < 0 || ch >= ChCount) return;
    if (ChState[ch] == kRecording) {
        if (message.Event == gxevent::LineCut) lineCut(ch);
        return;
    }
    if (ChState[ch] != kIdle) return;
    switch (message.Event) {
    case gxevent::FskCallerId: readFskCallerId(ch); break;
    case gxevent::DtmfCallerId: readDtmfCallerId(ch); break;
    case gxevent::OffHook: offHook(ch); break;
    case gxevent::Ringing:
        ChCallIn[ch] = 1;   // an incoming call: the off-hook that follows answers it
        setMainLabel(QStringLiteral("Label7"), QStringLiteral("线路状态：震铃"));
        break;
    case gxevent::LineCut: lineCut(ch); break;
    case gxevent::LineConnected: setMainLabel(QStringLiteral("Label7"), QStringLiteral("线路状态：接线")); break;
    default: break;
    }
}

void GtMain::readFskCallerId(std::int16_t ch)
{
    QByteArray first(kCallerIdBufferLength, '\0');
    QByteArray second(kCallerIdBufferLength, '\0');
    QByteArray third(kCallerIdBufferLength, '\0');
    const std::int16_t result = GX_GetFskCallerID(ch, first.data(), second.data(), third.data());
    GX_StartDetectCallerID(ch);
    if (result != 0) return;
    takeCallerId(ch, second);
}

void GtMain::readDtmfCallerId(std::int16_t ch)
{
    QByteArray second(kCallerIdBufferLength, '\0');
    if (GX_GetDTMFCallerID(ch, second.data()) != 0) return;
    takeCallerId(ch, second);
}

// The caller ID of a line: the number and the call it became are the line's
// until its next caller ID.
void GtMain::takeCallerId(std::int16_t ch, const QByteArray& callerIdText)
{
    ChCallIn[ch] = 1;
    ChNumber[ch].clear();
    ChCallKey[ch].clear();
    lastCallKey_.clear();
    HandleCallerID(callerIdText);
    ChNumber[ch] = TelNo_;
    ChCallKey[ch] = lastCallKey_;
}

// The recording starts before anything is written: its name then waits in
// the store for the call-log writer, which files it in the row of the line's
// own call.
void GtMain::offHook(std::int16_t ch)
{
    setStatus(ch, ChCallIn[ch] != 0 ? QStringLiteral("Recording In") : QStringLiteral("Recording Out"));
    if (RecordFlag_ != QLatin1String("1")) return;

    const QString number = ChNumber[ch];
    const QString callKey = ChCallKey[ch];
    const QString name = recordingName(ch);
    TelNo_.clear();
    ChNumber[ch].clear();
    ChCallKey[ch].clear();
    const QByteArray path = QFile::encodeName(ui::programPath(QStringLiteral("WavFile/") + name));
    if (GX_StartRecordWaveFile(ch, path.constData(), 0, -1, 0) != 0) setStatus(ch, QStringLiteral("Record Error"));
    ChCallIn[ch] = 0;
    ChState[ch] = kRecording;
    // A caller ID too short to be logged has no row to name the recording.
    if (!callKey.isEmpty()) keep({0, Mymode::ConnectString, std::nullopt, {number, name, callKey}});
}

// The line is cut: a recording ends and its channel is idle again. An
// answered call that was not recorded also leaves its status behind, so the
// grid shows no call that has ended.
void GtMain::lineCut(std::int16_t ch)
{
    if (ChState[ch] == kRecording) {
        GX_StopRecordVoice(ch);
        ChState[ch] = kIdle;
    }
    setStatus(ch, QStringLiteral("Idle"));
    ChCallIn[ch] = 0;
    setMainLabel(QStringLiteral("Label7"), QStringLiteral("线路状态：断线"));
}

// "yymmddhhmmss-<number>-<channel>.wav"; a name already in use (the same
// second, or the clock set back) gets "-2", "-3"… before ".wav", so no
// recording is ever overwritten.
QString GtMain::recordingName(std::int16_t ch) const
{
    const QString stem = db::locale::now().toString(QStringLiteral("yyMMddHHmmss")) + QLatin1Char('-') + ChNumber[ch]
        + QLatin1Char('-') + QString::number(ch);
    QString name = stem + QStringLiteral(".wav");
    for (int n = 2; recordingNameTaken(store_, name); ++n) name = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".wav");
    return name;
}

void GtMain::setStatus(int channel, const QString& text)
{
    StatusGridV->setTextArray((channel + 1) * kGridColumns + kStatusColumn, text);
}

} // namespace callerid
