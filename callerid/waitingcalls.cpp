#include "callerid/waitingcalls.h"

#include "common/database.h"
#include "common/sqltext.h"

#include <QFile>

namespace waitingcalls {

namespace {

enum Kind { kCall = 1, kRecording = 2 };

const QStringList kSchema = {
    QStringLiteral("create table entries (seq INTEGER PRIMARY KEY AUTOINCREMENT, kind INTEGER NOT NULL, "
                   "datafile LONGTEXT NOT NULL, calltime DATETIME, number LONGTEXT, contact LONGTEXT, "
                   "lookedup INTEGER, operator LONGTEXT, area LONGTEXT, wavfile LONGTEXT)")};

QString path()
{
    return database::localDataFolder() + QStringLiteral("/waitingcalls.hvd");
}

std::unique_ptr<db::Connection> open()
{
    auto store = std::make_unique<db::Connection>();
    store->open(connectString());
    return store;
}

// One entry in a commit of its own: the row is on the disk when update returns.
void add(const std::function<void(db::Recordset&)>& fill)
{
    auto store = open();
    db::Recordset entry;
    entry.open(QStringLiteral("select * from entries where 1=0"), *store, db::CursorType::Keyset, db::LockType::Optimistic);
    entry.addNew();
    try {
        fill(entry);
        entry.update();
    } catch (const db::Error&) {
        entry.cancelUpdate();
        throw;
    }
}

} // namespace

QString connectString()
{
    return QStringLiteral("dbq=") + path() + QLatin1Char(';');
}

void ensure()
{
    const QString file = path();
    if (db::holdsNoTables(file)) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-journal"));
    }
    if (!QFile::exists(file)) db::createDatabase(file, kSchema);
}

void addCall(const QString& dataFile, const Call& call)
{
    add([&](db::Recordset& entry) {
        entry.setField(QStringLiteral("kind"), kCall);
        entry.setField(QStringLiteral("datafile"), dataFile);
        entry.setField(QStringLiteral("calltime"), call.when);
        entry.setField(QStringLiteral("number"), call.number);
        if (call.contact) entry.setField(QStringLiteral("contact"), *call.contact);
        entry.setField(QStringLiteral("lookedup"), call.lookedUp ? 1 : 0);
        entry.setField(QStringLiteral("operator"), call.operatorName);
        entry.setField(QStringLiteral("area"), call.area);
    });
}

void addRecording(const QString& dataFile, const Recording& recording)
{
    add([&](db::Recordset& entry) {
        entry.setField(QStringLiteral("kind"), kRecording);
        entry.setField(QStringLiteral("datafile"), dataFile);
        entry.setField(QStringLiteral("number"), recording.number);
        entry.setField(QStringLiteral("wavfile"), recording.wavFile);
    });
}

std::vector<Entry> all(db::Connection& store)
{
    db::Recordset rows;
    rows.open(QStringLiteral("select * from entries order by seq"), store);
    std::vector<Entry> entries;
    for (; !rows.eof(); rows.moveNext()) {
        Entry entry;
        entry.seq = rows.field(QStringLiteral("seq")).toLong();
        entry.dataFile = rows.field(QStringLiteral("datafile")).toText();
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
            entry.recording = {number, rows.field(QStringLiteral("wavfile")).toText()};
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

int calls()
{
    db::Recordset rows;
    rows.open(QStringLiteral("select count(*) from entries where kind=%1").arg(kCall), *open());
    return static_cast<int>(rows.field(0).toLong());
}

bool namesRecording(const QString& wavFile)
{
    db::Recordset rows;
    rows.open(QStringLiteral("select seq from entries where wavfile=") + sqltext::quoted(wavFile), *open());
    return !rows.eof();
}

} // namespace waitingcalls
