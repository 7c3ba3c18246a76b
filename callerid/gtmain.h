#pragma once
// The call monitor: owns the caller-ID box, lists its channels, handles each
// caller ID (logs the call, pops up the caller's card or the unknown-caller
// window), records answered calls and lists the calls of one day.
//
// Another workstation may hold the data file at any time. This window
// thread never waits for it on the road of a call: the options, the caller
// and the day's calls are read by the monitor's reader thread and shown when
// they come; the calls and recording links wait in this installation's own
// store until the call-log writer's thread has written them, and the monitor
// shows how many wait.
#include "callerid/calllogwriter.h"
#include "callerid/mclcd.h"
#include "callerid/monitorreader.h"
#include "callerid/waitingcalls.h"
#include "common/callmonitor.h"
#include "platform/gxbox/gxvoice.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/form.h"
#include "platform/ui/listview.h"

#include <QDate>
#include <QPointer>
#include <array>
#include <optional>

namespace callerid {

class GtMain : public ui::Form, public CallMonitor {
    Q_OBJECT

public:
    // Channels 0 to 32: a box that reports more has those above 32 neither
    // opened nor listed.
    static constexpr int kMaxChannels = 33;
    // Each tick drains the box's queue.
    static constexpr int kPollMs = 20;
    // A call that could not be put in the store is tried again this often.
    static constexpr int kRetryMs = 1000;
    // The next caller's card is made this long after a card popped up (or the
    // options at the start turned pop-ups on), once the card shown has painted.
    static constexpr int kPrepareCardMs = 200;
    // The channel grid's columns; cell index = row × kGridColumns + column.
    static constexpr int kGridColumns = 6;

    GtMain();

    QString PhoneID() const override { return PhoneID_; }
    QString TelNo() const override { return TelNo_; }
    QString Openitem() const override { return Openitem_; }
    std::int32_t OpenitemId() const override { return OpenitemId_; }
    void clearOpenitem() override;
    QString RecordFlag() const override { return RecordFlag_; }

    // The call handling, the pump and the day list (public for tests and the pop-ups).
    void HandleCallerID(const QByteArray& callerIdText);
    void PollBoxEvents();
    void LoadDayCalls(const QString& dayText);
    QString AreaOfNumber(QString& number);
    // The calls waiting to be logged (the store's and those it could not take yet).
    int waitingCalls() const { return store_.calls(); }
    const CallLogWriter& writer() const { return writer_; }
    // Every read asked of the reader thread was answered and shown.
    bool readsAnswered() const { return reader_.idle(); }
    // The callers whose card, unknown-caller window or status text still
    // waits for the reader's answer.
    int callersPending() const { return static_cast<int>(pending_.size()); }

    void image12_Click();
    void image14_Click();
    void image16_Click();
    void command1_Click();
    void command2_Click();
    void ListView3_ColumnClick(int column);
    void ListView3_ItemClick(int row);
    void ListView3_DblClick();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    mcLCD yearDisplay;
    mcLCD monthDisplay;
    mcLCD dayDisplay;

    void addControls();
    void startBox();
    void closeBox();
    void unloadOtherWindows();
    void saveRectangle();

    // Incoming calls
    // A caller asked of the reader, until its answer is shown.
    struct PendingCaller {
        int call = 0;                 // its place among the calls of the run
        QString number;
        QString phoneId;
        QString telNo;
        QString time;                 // "来电时间:hh:mm"
        bool noticeOpened = false;    // the busy notice was shown for it
        QPointer<ui::Form> notice;    // no longer loaded: the operator closed it, nothing pops up
    };
    void readCallerIdOptions();
    void useOptions(const std::optional<MonitorReader::Options>& options, bool withRecordFlag);
    waitingcalls::Call thisCall();
    void callerAnswered(const MonitorReader::Caller& answer);
    void showKnownCaller(const callercontact::Customer& customer);
    void prepareNextCard();
    void showUnknownCaller(const QString& phoneId, const QString& telNo, const QString& time, bool popUp,
                           bool statusStrip);
    void showCallerNotLookedUp(PendingCaller& pending);
    bool fileAnswersNow();
    void writeStatusStrip(const QString& phoneId, const QString& time, const std::optional<QString>& customerOrArea);

    // The waiting store
    void startWriter();
    void keep(waitingcalls::Entry entry);
    void storeKept();
    void wakeWriterWhenFree();
    bool popUpDue() const;
    void showWaiting();
    void writer_wrote();
    void RetryTimer_Timer();

    // The pump
    void handleEvent(const GxMessage& message);
    void readFskCallerId(std::int16_t channel);
    void readDtmfCallerId(std::int16_t channel);
    void takeCallerId(std::int16_t channel, const QByteArray& callerIdText);
    void offHook(std::int16_t channel);
    void lineCut(std::int16_t channel);
    void setStatus(int channel, const QString& text);
    void setMainLabel(const QString& name, const QString& text);
    QString recordingName(std::int16_t channel) const;

    // The day list
    void listDay(const QDate& day, bool whole);
    void refreshDayCalls();
    void dayAnswered(const MonitorReader::Day& answer);
    void showDayCalls(const std::vector<DayCall>& calls);
    QDate shownDay() const;

    ui::ListView* ListView3 = nullptr;
    ui::FlexGrid* StatusGridV = nullptr;
    ui::TextBox* hvDay = nullptr;
    ui::TextBox* ldian = nullptr;
    ui::Timer* PollTimer = nullptr;
    ui::Timer* RetryTimer = nullptr;
    std::array<ui::Label*, 6> Label1{};
    ui::Label* WaitingLabel = nullptr;    // the calls waiting to be logged; hidden when none waits
    ui::Label* ListStateLabel = nullptr;  // why the day's list could not be read; hidden when it could

    QString PhoneID_;
    QString TelNo_;
    QString Openitem_;
    std::int32_t OpenitemId_ = 0;   // the call the day list's double-click left pending
    std::int32_t clickedId_ = 0;    // the call last clicked in the day list
    QString RecordFlag_;
    // The options as last read: a call that cannot read them uses these.
    QString outLine_;
    QString isPop_;

    int ChCount = 0;
    std::array<std::int16_t, kMaxChannels> ChType{};
    std::array<std::int16_t, kMaxChannels> ChState{};
    std::array<std::uint8_t, kMaxChannels> ChCallIn{};
    // The last caller's number and call per channel: each recording is named
    // by its own line's caller and filed with that call.
    std::array<QString, kMaxChannels> ChNumber{};
    std::array<QString, kMaxChannels> ChCallKey{};
    int PollBusy = 0;
    bool todayDue_ = false;     // a call came since today's list was last read
    bool writerDue_ = false;    // entries kept since the writer was last woken

    int calls_ = 0;                           // calls handled in the run
    std::vector<PendingCaller> pending_;      // oldest first
    waitingcalls::Store store_;               // outlives the writer, which writes from it
    QString lastCallKey_;                     // the key of the call last kept
    CallLogWriter writer_;
    MonitorReader reader_{this};
};

} // namespace callerid
