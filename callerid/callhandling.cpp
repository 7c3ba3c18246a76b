// One caller ID: the number cleaned and published, the call-log row (left
// waiting for the call-log writer, which finds its contact), the caller asked
// of the reader thread; when its answer comes, the pop-up and the status
// strip, with the options read with it. A caller the file did not answer for
// is shown so until it is looked up. Today's calls are listed again once the
// writer has written the call.
#include "callerid/gtmain.h"
#include "callerid/gtbusyno.h"
#include "callerid/gtnewno.h"
#include "callerid/numberarea.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

#include <QTimer>

namespace callerid {

namespace {

constexpr int kShortNumber = 7;     // fewer digits get an "X"
constexpr int kShortestLogged = 5;  // characters, "X" included

// The status strip's customer while the caller cannot be looked up.
const char* const kNotLookedUp = "数据文件正忙，客户暂时查不到";

// The ASCII digits of the box's text, in their order; everything else
// (NULs, separators, letters, full-width digits) is dropped.
QString digitsOf(const QByteArray& text)
{
    QString digits;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits += QLatin1Char(c);
    return digits;
}

QString callTime()
{
    return QStringLiteral("来电时间:") + db::locale::now().toString(QStringLiteral("HH:mm"));
}

} // namespace

void GtMain::HandleCallerID(const QByteArray& callerIdText)
{
    // 1.-2. Clean-up and the short-number mark.
    TelNo_ = digitsOf(callerIdText);
    if (TelNo_.size() < kShortNumber) TelNo_ += QLatin1Char('X');

    // 3. Options, read here only when the file answers at once; else those
    // read last (at the start, or with an earlier caller). The reader reads
    // them again with the caller, and its answer decides the pop-up.
    readCallerIdOptions();

    // 4.-5. The outside-line prefix, then the number is published.
    if (!outLine_.isEmpty() && TelNo_.left(1) == outLine_) TelNo_.remove(0, 1);
    PhoneID_ = TelNo_;

    // 6. Too short to be a caller.
    if (TelNo_.trimmed().isEmpty() || TelNo_.size() < kShortestLogged) return;
    ++calls_;

    // 7.-8. The caller is looked up by the reader while the call is kept;
    // the pop-up follows the answer, so the call is kept before it.
    const waitingcalls::Call call = thisCall();
    pending_.push_back({calls_, TelNo_.trimmed(), PhoneID_, TelNo_, callTime()});
    reader_.lookUp(calls_, TelNo_.trimmed(), Mymode::ConnectString);
    keep({0, Mymode::ConnectString, call, {}});

    // 11. Today's calls, once the writer has written this one.
    todayDue_ = true;
}

void GtMain::readCallerIdOptions()
{
    std::optional<MonitorReader::Options> options;
    const db::busywait::Limit atOnce(0);
    if (database::guarded([&] { options = MonitorReader::optionsOf(*database::openMain()); }))
        useOptions(options, true);
}

// Options the file did not give (the row missing) are those read last;
// RecordFlag keeps its value as well. RecordFlag is the one read at the last
// caller ID: the options read at the start leave it as it is.
void GtMain::useOptions(const std::optional<MonitorReader::Options>& options, bool withRecordFlag)
{
    if (!options) return;
    outLine_ = options->outLine;
    isPop_ = options->isPop;
    if (withRecordFlag) RecordFlag_ = options->recordFlag;
}

// The call's row as it waits in the store: the number as cleaned and the
// operator; the writer finds its contact and its area as it writes the row,
// off this thread. A mobile number written with a leading "0" is published
// without it, as the area's lookup reads it.
waitingcalls::Call GtMain::thisCall()
{
    waitingcalls::Call call;
    call.when = db::locale::now();
    call.number = TelNo_;
    call.lookedUp = false;
    call.operatorName = Mymode::OperatorName;
    numberarea::dropMobileZero(PhoneID_);
    return call;
}

// The reader's answer for a caller. Not looked up: its notice shows until
// the next answer. Looked up: the notice closes and the caller's card or
// the unknown-caller window pops up (9., 10.), unless the operator closed
// the notice; the status strip shows the outcome only for the last call.
void GtMain::callerAnswered(const MonitorReader::Caller& answer)
{
    const auto found = std::find_if(pending_.begin(), pending_.end(),
                                    [&](const PendingCaller& pending) { return pending.call == answer.call; });
    if (found == pending_.end()) return;
    if (!answer.lookedUp) {
        showCallerNotLookedUp(*found);
        return;
    }
    useOptions(answer.options, true);
    const bool popUps = isPop_ == QLatin1String("1");
    const std::vector<ui::Form*> loaded = ui::Windows::all();
    const bool noticeOpen =
        found->notice && std::find(loaded.begin(), loaded.end(), found->notice.data()) != loaded.end();
    const bool popUp = popUps && (!found->noticeOpened || noticeOpen);
    // A file taken again since the answer would hold the card's own reads:
    // the caller is asked of the reader once more.
    if (popUp && answer.customer && !fileAnswersNow()) {
        reader_.lookUp(found->call, found->number, Mymode::ConnectString);
        return;
    }
    const PendingCaller pending = *found;
    pending_.erase(found);
    if (noticeOpen) ui::Windows::unload(pending.notice.data());
    const bool last = pending.call == calls_;
    if (answer.contact) {
        Label1[2]->setVisible(false);
        Label1[5]->setVisible(true);
        // A contact whose customer is not stored pops up nothing (the card
        // would show the customer of an earlier call).
        if (!answer.customer || !popUps) return;
        if (last) writeStatusStrip(pending.phoneId, pending.time, answer.customer->name);
        if (popUp) showKnownCaller(*answer.customer);
    } else {
        showUnknownCaller(pending.phoneId, pending.telNo, pending.time, popUp, last);
    }
}

// The caller's customer card pops up as a new window.
void GtMain::showKnownCaller(const callercontact::Customer& customer)
{
    Mymode::CurrentRecordId = customer.id;
    if (!ui::Windows::isDefined(QStringLiteral("frmCustDetail"))) return;
    ui::Windows::openNew(QStringLiteral("frmCustDetail"));
    prepareNextCard();
}

// With pop-ups on, the next caller's card is made ahead while the line is
// quiet: the card then pops up at the cost of reading its customer.
void GtMain::prepareNextCard()
{
    QTimer::singleShot(kPrepareCardMs, this, [this] {
        // A monitor unloaded meanwhile (the program ending) makes nothing.
        if (unloading() || isPop_ != QLatin1String("1")) return;
        if (ui::Windows::isDefined(QStringLiteral("frmCustDetail")))
            ui::Windows::prepareNew(QStringLiteral("frmCustDetail"));
    });
}

// The unknown-caller window, showing the call's own number (a caller looked
// up late is not the monitor's last caller), and the number's area in the
// status strip.
void GtMain::showUnknownCaller(const QString& phoneId, const QString& telNo, const QString& time, bool popUp,
                               bool statusStrip)
{
    if (popUp && ui::Windows::isDefined(QStringLiteral("GtNewNo")))
        if (auto* window = dynamic_cast<GtNewNo*>(ui::Windows::openNew(QStringLiteral("GtNewNo"))))
            if (phoneId != PhoneID_ || telNo != TelNo_) window->showCaller(phoneId, telNo);
    if (!statusStrip) return;
    QString areaOf = phoneId;
    QString area;
    const bool named = database::guarded([&] { area = AreaOfNumber(areaOf); });
    writeStatusStrip(areaOf, time, named ? std::optional<QString>(area) : std::nullopt);
}

// The file did not answer for the caller (held by another workstation, or
// out of reach): with pop-ups on, the number is shown with the notice that
// its customer could not be looked up, in place of the card or the
// unknown-caller window, which follow once it is; the status strip says so
// for the last call. With pop-ups off the strip waits for the answer, as a
// known caller then leaves it alone.
void GtMain::showCallerNotLookedUp(PendingCaller& pending)
{
    if (pending.noticeOpened || isPop_ != QLatin1String("1")) return;
    pending.noticeOpened = true;
    if (ui::Windows::isDefined(QStringLiteral("GtBusyNo")))
        if (auto* notice = dynamic_cast<GtBusyNo*>(ui::Windows::openNew(QStringLiteral("GtBusyNo")))) {
            notice->showCaller(pending.phoneId);
            pending.notice = notice;
        }
    if (pending.call == calls_) writeStatusStrip(pending.phoneId, pending.time, QString::fromUtf8(kNotLookedUp));
}

// Whether the file answers a read at once.
bool GtMain::fileAnswersNow()
{
    const db::busywait::Limit atOnce(0);
    return database::guarded([] { database::query(QStringLiteral("select id from company where 1=0"))->eof(); });
}

// The caller in the main window's status strip (only a loaded main window);
// without a text, the customer-or-area label keeps what it showed.
void GtMain::writeStatusStrip(const QString& phoneId, const QString& time, const std::optional<QString>& customerOrArea)
{
    setMainLabel(QStringLiteral("RecTel"), phoneId);
    setMainLabel(QStringLiteral("Label15"), time);
    if (customerOrArea) setMainLabel(QStringLiteral("Label14"), *customerOrArea);
}

void GtMain::setMainLabel(const QString& name, const QString& text)
{
    ui::Form* mainWindow = ui::Windows::loaded(QStringLiteral("frmMain"));
    if (!mainWindow || !mainWindow->hasControl(name)) return;
    mainWindow->control<ui::Label>(name)->setCaption(text);
}

} // namespace callerid
