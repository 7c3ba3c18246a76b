#include "callerid/calllogwriter.h"

#include "callerid/callercontact.h"
#include "callerid/numberarea.h"
#include "callerid/waitingcalls.h"
#include "common/database.h"
#include "common/schema.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"

#include <QHash>
#include <QRegularExpression>
#include <chrono>

namespace callerid {

namespace {

// The call log of one data file inside the writer's transaction.
class CallLog {
public:
    explicit CallLog(db::Connection& connection) : connection_(connection)
    {
        // The widths of its text columns: a value longer than its column (a
        // noisy line's number, a long name) is logged cut to the column rather
        // than not at all. Read from the table's definition, so that a file
        // made with other widths is served too.
        static const QRegularExpression declared(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        db::Recordset columns;
        columns.open(QStringLiteral("select name, type from pragma_table_info('Hv_Cidlist')"), connection_);
        for (; !columns.eof(); columns.moveNext()) {
            const QRegularExpressionMatch width = declared.match(columns.field(1).toText());
            if (width.hasMatch()) widths_.insert(columns.field(0).toText().toLower(), width.captured(1).toInt());
        }
    }

    // The call's row and its key; a call whose key is there was logged.
    void add(const QString& key, const waitingcalls::Call& call)
    {
        if (rowOf(key)) return;
        std::optional<QString> contact = call.contact;
        if (!call.lookedUp)
            if (const auto found = callercontact::of(connection_, call.number.trimmed())) contact = found->name;
        db::Recordset log;
        log.open(QStringLiteral("select * from HV_Cidlist where 1=0"), connection_, db::CursorType::Keyset,
                 db::LockType::Optimistic);
        log.addNew();
        log.setField(QStringLiteral("DateTime"), call.when);
        log.setField(QStringLiteral("CallerID"), cut("CallerID", call.number));
        if (contact) log.setField(QStringLiteral("UserNO"), cut("UserNO", *contact));
        log.setField(QStringLiteral("CidName"), cut("CidName", call.operatorName));
        log.setField(QStringLiteral("CIDarea"), call.area.isNull() ? call.area : db::Variant(cut("CIDarea", call.area.toText())));
        log.update();
        connection_.execute(QStringLiteral("insert into Hv_CidKey (CallKey, CidId) values (%1, %2)")
                                .arg(sqltext::quoted(key), log.field(QStringLiteral("id")).toText()));
    }

    // The row of the recording's own call names it; a call no longer in the
    // log (deleted meanwhile) names nothing. A link without its call's key
    // (left by an earlier build) goes to the newest row of the number.
    void link(const waitingcalls::Recording& recording)
    {
        db::Recordset row;
        if (recording.callKey.isEmpty()) {
            row.open(QStringLiteral("select top 1 * from HV_Cidlist where CallerID=")
                         + sqltext::quoted(cut("CallerID", recording.number)) + QStringLiteral(" order by id desc"),
                     connection_, db::CursorType::Static, db::LockType::Optimistic);
        } else {
            const std::optional<std::int64_t> id = rowOf(recording.callKey);
            if (!id) return;
            row.open(QStringLiteral("select * from HV_Cidlist where id=%1").arg(*id), connection_, db::CursorType::Static,
                     db::LockType::Optimistic);
        }
        if (row.eof()) return;
        row.setField(QStringLiteral("WavFile"), recording.wavFile);
        row.update();
    }

private:
    std::optional<std::int64_t> rowOf(const QString& key)
    {
        db::Recordset row;
        row.open(QStringLiteral("select CidId from Hv_CidKey where CallKey=") + sqltext::quoted(key), connection_);
        if (row.eof()) return std::nullopt;
        return row.field(0).toLong();
    }

    QString cut(const char* column, const QString& text) const
    {
        const int width = widths_.value(QString::fromLatin1(column).toLower(), -1);
        return width < 0 ? text : text.left(width);
    }

    db::Connection& connection_;
    QHash<QString, int> widths_;
};

// The area of each call kept without one, from the number-area database.
// Read before the data file's transaction, which then holds the file no
// longer for it. A database that cannot be read (missing, damaged) leaves
// the row's area empty, never a wrong one, as the call was always logged;
// the call itself is not held back for it. Only areas read are kept: a
// failed read is tried again while the call waits.
void lookUpAreas(std::vector<waitingcalls::Entry>& entries, QHash<QString, db::Variant>& areaOfNumber)
{
    for (waitingcalls::Entry& entry : entries) {
        if (!entry.call || !entry.call->area.isNull()) continue;
        const QString& number = entry.call->number;
        if (!areaOfNumber.contains(number)) {
            QString lookedUp = number;
            const bool read = database::guarded([&] { areaOfNumber.insert(number, numberarea::AreaOfNumber(lookedUp)); });
            if (!read) continue;
        }
        entry.call->area = areaOfNumber.value(number);
    }
}

// The entries of one data file in one transaction of that file; db::Error
// when the file does not take them now (nothing is written then).
void writeFile(const QString& dataFile, const std::vector<waitingcalls::Entry>& entries)
{
    const db::busywait::Limit attempt(CallLogWriter::kAttemptMs);
    db::Connection connection;
    connection.open(dataFile);
    connection.beginTrans();
    try {
        // A file that has not been opened by this build yet gains the keys here.
        connection.execute(schema::callKeys());
        CallLog log(connection);
        for (const waitingcalls::Entry& entry : entries) {
            if (entry.call)
                log.add(entry.key, *entry.call);
            else
                log.link(entry.recording);
        }
        connection.commitTrans();
    } catch (const db::Error&) {
        try {
            connection.rollbackTrans();
        } catch (const db::Error&) {
            // The connection's close rolls back what is left.
        }
        throw;
    }
}

} // namespace

CallLogWriter::~CallLogWriter()
{
    stop();
}

void CallLogWriter::start(waitingcalls::Store& store)
{
    stop();
    store_ = &store;
    stopping_ = false;
    woken_ = true;
    idle_ = false;
    thread_ = std::thread([this] { run(); });
}

void CallLogWriter::stop()
{
    if (!thread_.joinable()) return;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wakeUp_.notify_all();
    thread_.join();
}

void CallLogWriter::wake()
{
    {
        const std::lock_guard lock(mutex_);
        woken_ = true;
        idle_ = false;
    }
    wakeUp_.notify_all();
}

void CallLogWriter::run()
{
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        woken_ = false;
        lock.unlock();
        const Outcome outcome = writeWaiting();
        lock.lock();
        if (stopping_ || woken_) continue;
        if (outcome == Outcome::Written) {
            idle_ = true;
            wakeUp_.wait(lock, [this] { return woken_ || stopping_; });
        } else {
            const int pause = outcome == Outcome::Busy ? kBusyPauseMs : kFailurePauseMs;
            wakeUp_.wait_for(lock, std::chrono::milliseconds(pause), [this] { return woken_ || stopping_; });
        }
    }
}

// Every data file's entries, each file in a transaction of its own: a file
// that does not take them holds up none of the others.
CallLogWriter::Outcome CallLogWriter::writeWaiting()
{
    std::vector<waitingcalls::Entry> entries = store_->waiting();
    // The areas looked up are kept while calls wait for a held file, which
    // may be tried many times.
    if (entries.empty()) areaOfNumber_.clear();
    lookUpAreas(entries, areaOfNumber_);
    QStringList files;
    QHash<QString, std::vector<waitingcalls::Entry>> ofFile;
    for (waitingcalls::Entry& entry : entries) {
        if (!ofFile.contains(entry.dataFile)) files << entry.dataFile;
        ofFile[entry.dataFile].push_back(std::move(entry));
    }
    Outcome outcome = Outcome::Written;
    bool wroteAny = false;
    std::vector<QString> writtenKeys;
    for (const QString& file : std::as_const(files)) {
        try {
            const std::vector<waitingcalls::Entry>& written = ofFile[file];
            writeFile(file, written);
            std::vector<QString> keys;
            for (const waitingcalls::Entry& entry : written) keys.push_back(entry.key);
            store_->remove(keys);
            writtenKeys.insert(writtenKeys.end(), keys.begin(), keys.end());
            wroteAny = true;
        } catch (const db::Error& error) {
            if (error.kind() != db::Error::Kind::Busy)
                outcome = Outcome::Failed;
            else if (outcome == Outcome::Written)
                outcome = Outcome::Busy;
        }
    }
    // The monitor lists what was written while the store's file lets the
    // entries go.
    if (wroteAny) emit wrote();
    store_->deleteStored(writtenKeys);
    return outcome;
}

} // namespace callerid
