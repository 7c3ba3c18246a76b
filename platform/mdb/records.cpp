#include "platform/mdb/records.h"

#include <QDataStream>
#include <QIODevice>
#include <cerrno>
#include <unistd.h>

namespace mdb::detail {
namespace {

enum Tag : quint8 { TableTag = 1, ColumnTag, RowTag, FailureTag, EndTag };

// Rows are sent in batches of about this size, so the program sees steady progress.
constexpr qsizetype kBatchBytes = 64 * 1024;

} // namespace

template <class... Items>
void RecordWriter::add(quint8 tag, const Items&... items)
{
    QDataStream out(&pending_, QIODevice::Append);
    out << tag;
    (out << ... << items);
    if (pending_.size() >= kBatchBytes) send();
}

void RecordWriter::send()
{
    const char* data = pending_.constData();
    qsizetype left = pending_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            break;   // the program stopped listening; the answer stays incomplete
        }
        data += written;
        left -= written;
    }
    pending_.clear();
}

void RecordWriter::table(const QString& name)
{
    add(TableTag, name);
}

void RecordWriter::column(const Column& column)
{
    add(ColumnTag, column.name, static_cast<qint32>(column.kind));
}

void RecordWriter::row(const QVariantList& values)
{
    add(RowTag, values);
}

void RecordWriter::failure(Error::Reason reason, const QString& detail)
{
    add(FailureTag, static_cast<qint32>(reason), detail);
}

void RecordWriter::end()
{
    add(EndTag);
    send();
}

Answer readAnswer(const QByteArray& bytes, const QString& path)
{
    Answer answer;
    QDataStream in(bytes);
    while (!in.atEnd()) {
        quint8 tag = 0;
        in >> tag;
        switch (tag) {
        case TableTag: {
            QString name;
            in >> name;
            answer.tables << name;
            break;
        }
        case ColumnTag: {
            Column column;
            qint32 kind = 0;
            in >> column.name >> kind;
            column.kind = static_cast<ValueKind>(kind);
            answer.rows.columns.push_back(column);
            break;
        }
        case RowTag: {
            QVariantList values;
            in >> values;
            answer.rows.rows.push_back(values);
            break;
        }
        case FailureTag: {
            qint32 reason = 0;
            QString detail;
            in >> reason >> detail;
            if (in.status() != QDataStream::Ok) break;
            throw Error(static_cast<Error::Reason>(reason), detail);
        }
        case EndTag:
            if (in.status() == QDataStream::Ok && in.atEnd()) return answer;
            break;
        default:
            in.setStatus(QDataStream::ReadCorruptData);
        }
        if (in.status() != QDataStream::Ok) break;
    }
    throw Error(Error::Reason::Damaged, path);
}

} // namespace mdb::detail
