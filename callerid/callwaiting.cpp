// The calls waiting to be logged: each call and recording link goes to the
// waiting store, the call-log writer takes them into the data file, and the
// monitor shows how many calls wait. An entry the store cannot take at once
// is kept in order and offered again, so no call is dropped.
#include "callerid/gtmain.h"

#include "common/database.h"
#include "platform/db/busywait.h"

namespace callerid {

namespace {

const char* const kCallsWaiting = "有%1个来电等待记入数据文件，数据文件空出后自动记入";
const char* const kStoreRefused = "；来电暂时没能存入等待记入的文件，稍后再存：";

} // namespace

void GtMain::startWriter()
{
    std::optional<db::Error> failure;
    database::guarded([] { waitingcalls::ensure(); }, failure);
    storeFailure_ = failure ? failure->message() : QString();
    writer_.start(waitingcalls::connectString());
    showWaiting();
}

// The entry joins those the store could not take yet, so the order holds.
void GtMain::keep(waitingcalls::Entry entry)
{
    unstored_.push_back(std::move(entry));
    storeKept();
    showWaiting();
}

// The store is this installation's own file: only the writer holds it, for
// at most one attempt, so an entry waits for it as any statement waits. A
// store that refuses for another reason is made again where it went missing.
void GtMain::storeKept()
{
    std::optional<db::Error> failure;
    while (!unstored_.empty()) {
        const waitingcalls::Entry& entry = unstored_.front();
        const bool stored = database::guarded([&] {
            if (entry.call)
                waitingcalls::addCall(entry.dataFile, *entry.call);
            else
                waitingcalls::addRecording(entry.dataFile, entry.recording);
        }, failure);
        if (!stored) break;
        unstored_.pop_front();
    }
    storeFailure_ = failure ? failure->message() : QString();
    if (failure && failure->kind() != db::Error::Kind::Busy) database::guarded([] { waitingcalls::ensure(); });
    if (!unstored_.empty()) RetryTimer->setEnabled(true);
    writer_.wake();
}

// The store's count as last read, and the calls it could not take yet.
void GtMain::showWaiting()
{
    database::guarded([this] {
        const db::busywait::Limit brief(kBriefWaitMs);
        storedCalls_ = waitingcalls::calls();
    });
    waitingCalls_ = storedCalls_
        + static_cast<int>(std::count_if(unstored_.begin(), unstored_.end(), [](const auto& entry) { return entry.call.has_value(); }));
    QString text = QString::fromUtf8(kCallsWaiting).arg(waitingCalls_);
    if (!unstored_.empty()) text += QString::fromUtf8(kStoreRefused) + storeFailure_;
    WaitingLabel->setCaption(text);
    WaitingLabel->setVisible(waitingCalls_ > 0 || !unstored_.empty());
}

// Written: the count, and the shown day with the new rows.
void GtMain::writer_wrote()
{
    showWaiting();
    refreshDayCalls();
}

void GtMain::RetryTimer_Timer()
{
    storeKept();
    showWaiting();
    RetryTimer->setEnabled(!unstored_.empty());
}

} // namespace callerid
