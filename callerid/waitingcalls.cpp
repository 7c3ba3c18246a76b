#include "callerid/waitingcalls.h"

#include "common/sqltext.h"
#include "platform/db/locale.h"

#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>

namespace waitingcalls {

namespace {

enum Kind { kCall = 1, kRecording = 2 };

const QStringList kSchema = {
    QStringLiteral("create table entries (seq INTEGER PRIMARY KEY AUTOINCREMENT, kind INTEGER NOT NULL, "
                   "datafile LONGTEXT NOT NULL, calltime DATETIME, number LONGTEXT, contact LONGTEXT, "
                   "lookedup INTEGER, operator LONGTEXT, area LONGTEXT, wavfile LONGTEXT, "
                   "entrykey LONGTEXT, callkey LONGTEXT)")};

const char* const kSetAside = "等待记入的来电文件已损坏，已改名为%1留存；已另建新文件，等待的来电都已存入";
const char* const kMadeAnew = "等待记入的来电文件不见了或被清空，已重新建立；等待的来电都已重新存入";

// "waitingcalls.hvd" -> "waitingcalls-damaged-yyyyMMddHHmmss.hvd", one not taken yet.
QString asideName(const QString& path)
{
    const QFileInfo file(path);
    const QString stem = file.path() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral("-damaged-")
        + db::locale::now().toString(QStringLiteral("yyyyMMddHHmmss"));
    QString aside = stem + QStringLiteral(".hvd");
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = stem + QStringLiteral("-%1.hvd").arg(n);
    return aside;
}

std::vector<Entry> readAll(db::Connection& file)
{
    db::Recordset rows;
    rows.open(QStringLiteral("select * from entries order by seq"), file);
    std::vector<Entry> entries;
    for (; !rows.eof(); rows.moveNext()) {
        Entry entry;
        entry.seq = rows.field(QStringLiteral("seq")).toLong();
        entry.dataFile = rows.field(QStringLiteral("datafile")).toText();
        entry.key = rows.field(QStringLiteral("entrykey")).toText();
        const QString number = rows.field(QStringLiteral("number")).toText();
        if (rows.field(QStringLiteral("kind")).toLong() == kCall) {
            const db::Variant contact = rows.field(QStringLiteral("contact"));
            entry.call = Call{rows.field(QStringLiteral("calltime")).toDate(),
                              number,
                              contact.isNull() ? std::nullopt : std::optional<QString>(contact.toText()),
                              rows.field(QStringLiteral("lookedup")).toLong() != 0,
                              rows.field(QStringLiteral("operator")).toText(),
                              rows.field(QStringLiteral("area"))};
        } else {
            entry.recording = {number, rows.field(QStringLiteral("wavfile")).toText(),
                               rows.field(QStringLiteral("callkey")).toText()};
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

// A store of an earlier build has no keys: its entries were never logged
// (they left it with their rows), so each gets a new one.
void addKeys(db::Connection& file)
{
    db::Recordset columns;
    columns.open(QStringLiteral("select name from pragma_table_info('entries') where name='entrykey'"), file);
    if (!columns.eof()) return;
    columns.close();
    file.execute(QStringLiteral("alter table entries add column entrykey LONGTEXT"));
    file.execute(QStringLiteral("alter table entries add column callkey LONGTEXT"));
}

} // namespace

QString newKey()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

Store::Store(const QString& path) : path_(path) {}

Store::~Store()
{
    close();
}

void Store::open()
{
    const std::lock_guard lock(mutex_);
    failure_.clear();
    try {
        openFile();
        storeUnstored();
    } catch (const db::Error& error) {
        failure_ = error.message();
        throw;
    }
}

void Store::close()
{
    const std::lock_guard lock(mutex_);
    file_.reset();
}

// The file at the path, as it is: a usable store is taken in (its entries
// join those in memory), a missing or empty one is made, and one that is no
// store (damaged, written over) is set aside and made anew.
void Store::openFile()
{
    file_.reset();
    // Entries that were in the file are now only in memory: the operator is told.
    const bool running = std::any_of(entries_.begin(), entries_.end(), [](const Entry& entry) { return entry.seq != 0; });
    if (!QFileInfo::exists(path_)) return makeAnew(running ? QString::fromUtf8(kMadeAnew) : QString());
    if (db::holdsNoTables(path_)) {
        db::removeDatabase(path_);
        return makeAnew(running ? QString::fromUtf8(kMadeAnew) : QString());
    }
    std::vector<Entry> kept;
    try {
        auto file = std::make_unique<db::Connection>();
        file->open(QStringLiteral("dbq=") + path_ + QLatin1Char(';'));
        file->useWriteAheadLog();
        addKeys(*file);
        kept = readAll(*file);
        for (Entry& entry : kept)
            if (entry.key.isEmpty()) {
                entry.key = newKey();
                file->execute(QStringLiteral("update entries set entrykey=%1 where seq=%2").arg(sqltext::quoted(entry.key)).arg(entry.seq));
            }
        file_ = std::move(file);
    } catch (const db::Error& error) {
        if (error.kind() == db::Error::Kind::Busy) throw;
        const QString aside = asideName(path_);
        db::renameDatabase(path_, aside);
        return makeAnew(QString::fromUtf8(kSetAside).arg(QFileInfo(aside).fileName()));
    }
    // What waits in the file and in memory, each once, the file's first.
    for (Entry& entry : entries_)
        if (std::none_of(kept.begin(), kept.end(), [&](const Entry& k) { return k.key == entry.key; })) {
            entry.seq = 0;
            kept.push_back(std::move(entry));
        }
    entries_ = std::move(kept);
}

void Store::makeAnew(const QString& notice)
{
    db::removeDatabase(path_);
    db::createDatabase(path_, kSchema);
    auto file = std::make_unique<db::Connection>();
    file->open(QStringLiteral("dbq=") + path_ + QLatin1Char(';'));
    file->useWriteAheadLog();
    file_ = std::move(file);
    for (Entry& entry : entries_) entry.seq = 0;
    if (!notice.isEmpty()) notice_ = notice;
}

// A file gone, replaced, written over or refusing: opened again as it now is.
void Store::recover()
{
    if (file_ && !file_->fileIntact()) file_->abandon();
    file_.reset();
    openFile();
}

// The entries not in the file yet go in, oldest first.
void Store::storeUnstored()
{
    if (!file_ || !file_->fileIntact()) recover();
    for (Entry& entry : entries_)
        if (entry.seq == 0) insert(entry);
}

// One entry in a commit of its own: the row is on the disk when update returns.
void Store::insert(Entry& entry)
{
    db::Recordset row;
    row.open(QStringLiteral("select * from entries where 1=0"), *file_, db::CursorType::Keyset, db::LockType::Optimistic);
    row.addNew();
    try {
        row.setField(QStringLiteral("datafile"), entry.dataFile);
        row.setField(QStringLiteral("entrykey"), entry.key);
        if (entry.call) {
            const Call& call = *entry.call;
            row.setField(QStringLiteral("kind"), kCall);
            row.setField(QStringLiteral("calltime"), call.when);
            row.setField(QStringLiteral("number"), call.number);
            if (call.contact) row.setField(QStringLiteral("contact"), *call.contact);
            row.setField(QStringLiteral("lookedup"), call.lookedUp ? 1 : 0);
            row.setField(QStringLiteral("operator"), call.operatorName);
            row.setField(QStringLiteral("area"), call.area);
        } else {
            row.setField(QStringLiteral("kind"), kRecording);
            row.setField(QStringLiteral("number"), entry.recording.number);
            row.setField(QStringLiteral("wavfile"), entry.recording.wavFile);
            row.setField(QStringLiteral("callkey"), entry.recording.callKey);
        }
        row.update();
    } catch (const db::Error&) {
        row.cancelUpdate();
        throw;
    }
    entry.seq = row.field(QStringLiteral("seq")).toLong();
}

QString Store::add(Entry entry)
{
    const std::lock_guard lock(mutex_);
    if (entry.key.isEmpty()) entry.key = newKey();
    entry.seq = 0;
    entries_.push_back(std::move(entry));
    const QString key = entries_.back().key;
    try {
        try {
            storeUnstored();
        } catch (const db::Error& error) {
            if (error.kind() == db::Error::Kind::Busy) throw;
            // The file refused: it is looked at again as it now is, once.
            recover();
            storeUnstored();
        }
        failure_.clear();
    } catch (const db::Error& error) {
        failure_ = error.message();
    }
    return key;
}

void Store::retry()
{
    const std::lock_guard lock(mutex_);
    try {
        storeUnstored();
        failure_.clear();
    } catch (const db::Error& error) {
        failure_ = error.message();
        throw;
    }
}

std::vector<Entry> Store::waiting() const
{
    const std::lock_guard lock(mutex_);
    return entries_;
}

void Store::remove(const std::vector<QString>& keys)
{
    const std::lock_guard lock(mutex_);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const Entry& entry) { return std::find(keys.begin(), keys.end(), entry.key) != keys.end(); }),
                   entries_.end());
}

// By their keys: the file may have been made anew meanwhile, its rows
// numbered afresh.
void Store::deleteStored(const std::vector<QString>& keys)
{
    const std::lock_guard lock(mutex_);
    // A file that refuses keeps them: they are logged, and the data file's
    // keys drop them when they are offered again.
    if (keys.empty() || !file_) return;
    QStringList quoted;
    for (const QString& key : keys) quoted << sqltext::quoted(key);
    try {
        file_->execute(QStringLiteral("delete from entries where entrykey in (%1)").arg(quoted.join(QLatin1Char(','))));
    } catch (const db::Error& error) {
        failure_ = error.message();
    }
}

int Store::calls() const
{
    const std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(entries_.begin(), entries_.end(), [](const Entry& entry) { return entry.call.has_value(); }));
}

bool Store::unstored() const
{
    const std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(), [](const Entry& entry) { return entry.seq == 0; });
}

bool Store::namesRecording(const QString& wavFile) const
{
    const std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return !entry.call && entry.recording.wavFile == wavFile; });
}

QString Store::notice() const
{
    const std::lock_guard lock(mutex_);
    return notice_;
}

QString Store::failure() const
{
    const std::lock_guard lock(mutex_);
    return failure_;
}

} // namespace waitingcalls
