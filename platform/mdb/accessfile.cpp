#include "platform/mdb/accessfile.h"

#include "platform/mdb/isolation.h"
#include "platform/mdb/jetreader.h"

#include <QFile>
#include <QFileInfo>

namespace mdb {
namespace {

// A reader that sends nothing for this long is taken to be stuck in a damaged file.
constexpr int kReaderSilenceMs = 20000;

// Every Jet database starts with this: a page type and "Standard Jet DB".
const QByteArray& jetSignature()
{
    static const QByteArray signature = QByteArray("\x00\x01\x00\x00", 4) + QByteArray("Standard Jet DB");
    return signature;
}
constexpr int kVersionOffset = 0x14;   // 0: Jet 3 with 2 KiB pages; later versions 4 KiB pages

// Checks what can be checked without the reading library: the file is there,
// readable, starts as a Jet database and is made of whole pages.
void checkFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists()) throw Error(Error::Reason::Missing, path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) throw Error(Error::Reason::Unreadable, path);
    const QByteArray header = file.read(kVersionOffset + 1);
    if (header.size() <= kVersionOffset || !header.startsWith(jetSignature()))
        throw Error(Error::Reason::NotAccess, path);
    const qint64 pageSize = header[kVersionOffset] == 0 ? 2048 : 4096;
    // The header page and the catalogue's pages at least.
    if (file.size() < 3 * pageSize || file.size() % pageSize != 0) throw Error(Error::Reason::Damaged, path);
}

// Runs one request in a reading process of its own and reads its answer.
detail::Answer ask(const QString& path, const std::function<void(detail::RecordWriter&)>& request)
{
    const std::optional<QByteArray> bytes = detail::runIsolated([&](int fd) {
        detail::RecordWriter out(fd);
        request(out);
    }, kReaderSilenceMs);
    if (!bytes) throw Error(Error::Reason::Damaged, path);
    return detail::readAnswer(*bytes, path);
}

class AccessFile : public Source {
public:
    explicit AccessFile(const QString& path)
        : path_(path)
    {
        checkFile(path_);
        tables_ = ask(path_, [&](detail::RecordWriter& out) { detail::answerTables(path_, out); }).tables;
    }

    QStringList tables() const override { return tables_; }

    std::vector<Column> columns(const QString& table) const override { return read(table, false).columns; }

    TableRows rows(const QString& table) const override { return read(table, true); }

private:
    TableRows read(const QString& table, bool withRows) const
    {
        return ask(path_, [&](detail::RecordWriter& out) { detail::answerTable(path_, table, withRows, out); }).rows;
    }

    QString path_;
    QStringList tables_;
};

QString reasonText(Error::Reason reason)
{
    switch (reason) {
    case Error::Reason::Missing: return QStringLiteral("no such file");
    case Error::Reason::Unreadable: return QStringLiteral("cannot be read");
    case Error::Reason::NotAccess: return QStringLiteral("not an Access database");
    case Error::Reason::Damaged: return QStringLiteral("damaged Access database");
    case Error::Reason::NoSuchTable: return QStringLiteral("no such table");
    }
    return {};
}

} // namespace

Error::Error(Reason reason, const QString& detail)
    : std::runtime_error((reasonText(reason) + QStringLiteral(": ") + detail).toStdString()), reason_(reason),
      detail_(detail)
{
}

int TableRows::columnIndex(const QString& name) const
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

std::unique_ptr<Source> openAccessFile(const QString& path)
{
    return std::make_unique<AccessFile>(path);
}

} // namespace mdb
