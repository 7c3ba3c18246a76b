// One caller ID: the number cleaned and published, the caller-ID options, the
// contact match, the call-log row (left waiting for the call-log writer), the
// pop-up and the status strip, then today's calls listed again. A caller that
// the held file kept from being looked up is shown so, and looked up again.
#include "callerid/gtmain.h"
#include "callerid/gtnewno.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

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

    // The options and the caller wait for another workstation's hold only
    // briefly in all: the caller's window must not wait for the file. The
    // window itself then reads as any window does, the file having just
    // answered; a card that waited its fill would stop the tick with its box.
    Caller caller;
    {
        const db::busywait::Limit brief(kBriefWaitMs);

        // 3. Options; the filter characters are read with them and not applied.
        readCallerIdOptions();

        // 4.-5. The outside-line prefix, then the number is published.
        if (!outLine_.isEmpty() && TelNo_.left(1) == outLine_) TelNo_.remove(0, 1);
        PhoneID_ = TelNo_;

        // 6. Too short to be a caller.
        if (TelNo_.trimmed().isEmpty() || TelNo_.size() < kShortestLogged) return;
        ++calls_;

        // 8. The caller.
        caller = lookUpCaller(TelNo_.trimmed());
    }
    // The call waits to be logged (9.1, 10.1).
    keepCall(caller);
    const bool popUp = isPop_ == QLatin1String("1");
    switch (caller.lookup) {
    case Lookup::Known:
        // 9. A known caller.
        Label1[2]->setVisible(false);
        Label1[5]->setVisible(true);
        if (popUp) showKnownCaller(caller, true, true);
        break;
    case Lookup::Unknown:
        // 10. An unknown caller.
        showUnknownCaller(PhoneID_, TelNo_, callTime(), popUp, true);
        break;
    case Lookup::NotLookedUp:
        showCallerNotLookedUp(popUp);
        break;
    }

    // 11. Today's calls. Within a tick the list is filled once the tick has
    // ended, so the caller's card shows without waiting for it.
    if (PollBusy == 1)
        dayListDue_ = true;
    else
        listToday();
}

// Options that cannot be read now (the file held, the row missing) are those
// read last; RecordFlag keeps its value as well.
void GtMain::readCallerIdOptions()
{
    database::guarded([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        // FlterChar is kept with these options but filters nothing.
        outLine_ = settings->field(QStringLiteral("OutLine")).toText();
        isPop_ = settings->field(QStringLiteral("isPop")).toText();
        RecordFlag_ = settings->field(QStringLiteral("RecordFlag")).toText();
    });
}

// The contact holding the number and its customer. A file held past the
// brief wait leaves the caller not looked up, which is not "no match"; a
// query that fails otherwise counts as no match.
GtMain::Caller GtMain::lookUpCaller(const QString& number)
{
    Caller caller;
    std::optional<db::Error> failure;
    database::guarded([&] {
        auto connection = database::openMain();
        caller.contact = callercontact::of(*connection, number);
        if (caller.contact) caller.customer = callercontact::customerOf(*connection, caller.contact->companyId);
    }, failure);
    if (failure)
        caller = Caller{failure->kind() == db::Error::Kind::Busy ? Lookup::NotLookedUp : Lookup::Unknown, {}, {}};
    else
        caller.lookup = caller.contact ? Lookup::Known : Lookup::Unknown;
    return caller;
}

// The call's row waits in the store: the number as cleaned, the contact (or
// that it is still to be found), the operator and the area. An area that
// cannot be looked up is left empty.
void GtMain::keepCall(const Caller& caller)
{
    waitingcalls::Call call;
    call.when = db::locale::now();
    call.number = TelNo_;
    if (caller.contact) call.contact = caller.contact->name;
    call.lookedUp = caller.lookup != Lookup::NotLookedUp;
    call.operatorName = Mymode::OperatorName;
    if (PhoneID_.startsWith(QLatin1String("010")))
        call.area = QStringLiteral("北京市");
    else
        database::guarded([&] { call.area = AreaOfNumber(PhoneID_); });
    keep({0, Mymode::ConnectString, call, {}});
}

// The caller's customer card pops up as a new window. A contact whose
// customer cannot be read pops up nothing (the card would otherwise show the
// customer of an earlier call).
void GtMain::showKnownCaller(const Caller& caller, bool popUp, bool statusStrip)
{
    if (!caller.customer) return;
    if (statusStrip) writeStatusStrip(PhoneID_, callTime(), caller.customer->name);
    if (!popUp) return;
    Mymode::CurrentRecordId = caller.customer->id;
    if (ui::Windows::isDefined(QStringLiteral("frmCustDetail"))) ui::Windows::openNew(QStringLiteral("frmCustDetail"));
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

// The file was held past the brief wait: the number is shown with the
// notice that its customer could not be looked up, in place of the card or
// the unknown-caller window, which follow once the file can be read.
void GtMain::showCallerNotLookedUp(bool popUp)
{
    PendingCaller pending{calls_, TelNo_.trimmed(), PhoneID_, TelNo_, callTime(), popUp, nullptr};
    if (popUp && ui::Windows::isDefined(QStringLiteral("GtBusyNo")))
        pending.notice = ui::Windows::openNew(QStringLiteral("GtBusyNo"));
    writeStatusStrip(PhoneID_, pending.time, QString::fromUtf8(kNotLookedUp));
    pending_.push_back(pending);
    RetryTimer->setEnabled(true);
}

// The callers not looked up yet, oldest first, each once the file can be
// read: its notice closes and its card or unknown-caller window follows, as
// when the call came; a notice the operator closed pops up nothing. The
// status strip shows the outcome only for the last call.
void GtMain::retryLookUps()
{
    while (!pending_.empty()) {
        Caller caller;
        {
            const db::busywait::Limit brief(kBriefWaitMs);
            caller = lookUpCaller(pending_.front().number);
        }
        if (caller.lookup == Lookup::NotLookedUp) return;
        const PendingCaller pending = pending_.front();
        pending_.erase(pending_.begin());
        const std::vector<ui::Form*> loaded = ui::Windows::all();
        const bool noticeOpen = pending.notice && std::find(loaded.begin(), loaded.end(), pending.notice.data()) != loaded.end();
        if (noticeOpen) ui::Windows::unload(pending.notice.data());
        const bool popUp = pending.popUp && noticeOpen;
        const bool last = pending.call == calls_;
        if (caller.lookup == Lookup::Known) {
            Label1[2]->setVisible(false);
            Label1[5]->setVisible(true);
            if (caller.customer && last) writeStatusStrip(pending.phoneId, pending.time, caller.customer->name);
            showKnownCaller(caller, popUp, false);
        } else {
            showUnknownCaller(pending.phoneId, pending.telNo, pending.time, popUp, last);
        }
    }
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
