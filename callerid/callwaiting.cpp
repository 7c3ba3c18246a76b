// The calls waiting to be logged: each call and recording link goes to the
// waiting store, the call-log writer takes them into the data file, and the
// monitor shows how many calls wait. An entry the store's file cannot take at
// once waits in memory and is offered again, so no call is dropped.
#include "callerid/gtmain.h"

#include "common/database.h"

#include <algorithm>

namespace callerid {

namespace {

const char* const kCallsWaiting = "有%1个来电等待记入数据文件，数据文件空出后自动记入";
const char* const kStoreRefused = "；来电暂时没能存入等待记入的文件，稍后再存：";

} // namespace

// What an earlier run left waiting is taken in and written from now on.
void GtMain::startWriter()
{
    database::guarded([this] { store_.open(); });
    writer_.start(store_);
    showWaiting();
}

// The entry waits from now on, on the disk unless the store's file refuses.
void GtMain::keep(waitingcalls::Entry entry)
{
    const bool call = entry.call.has_value();
    const QString key = store_.add(std::move(entry));
    if (call) lastCallKey_ = key;
    RetryTimer->setEnabled(true);
    writerDue_ = true;
    wakeWriterWhenFree();
    showWaiting();
}

// The writer's commit holds the data file for some milliseconds, and a read
// meanwhile waits for it: the writer starts once the tick is over and no
// caller's pop-up is still to read what it shows. What it writes is in the
// store meanwhile, and the retry tick wakes it whatever is pending.
void GtMain::wakeWriterWhenFree()
{
    if (!writerDue_ || PollBusy == 1 || popUpDue()) return;
    writerDue_ = false;
    writer_.wake();
}

// A caller's answer is still to come (or to be asked again) and a pop-up
// may follow it; one told as not looked up waits for a file that is held.
bool GtMain::popUpDue() const
{
    return isPop_ == QLatin1String("1")
        && std::any_of(pending_.begin(), pending_.end(), [](const PendingCaller& pending) { return !pending.noticeOpened; });
}

// The store's file is looked at again while calls wait: one that went
// missing or was spoilt meanwhile is made anew with them.
void GtMain::storeKept()
{
    if (store_.calls() == 0 && !store_.unstored()) return;
    database::guarded([this] { store_.retry(); });
    writer_.wake();
}

// The count and what the store had to say, beside the lines' caption.
void GtMain::showWaiting()
{
    const int waiting = store_.calls();
    QString text = QString::fromUtf8(kCallsWaiting).arg(waiting);
    if (store_.unstored()) text += QString::fromUtf8(kStoreRefused) + store_.failure();
    const QString notice = store_.notice();
    if (!notice.isEmpty()) text += QStringLiteral("；") + notice;
    WaitingLabel->setCaption(text);
    WaitingLabel->setVisible(waiting > 0 || store_.unstored() || !notice.isEmpty());
}

// Written: the shown day with the new rows (read meanwhile by the reader),
// and the count.
void GtMain::writer_wrote()
{
    refreshDayCalls();
    showWaiting();
}

void GtMain::RetryTimer_Timer()
{
    storeKept();
    showWaiting();
    RetryTimer->setEnabled(store_.calls() > 0 || store_.unstored());
}

} // namespace callerid
