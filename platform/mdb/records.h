#pragma once
// What the reading process sends back to the program: a stream of records
// (table names, columns, rows, a failure) closed by an end record. An answer
// without its end record comes from a reader that did not finish.
#include "platform/mdb/accessfile.h"

#include <QByteArray>

namespace mdb::detail {

class RecordWriter {
public:
    explicit RecordWriter(int fd) : fd_(fd) {}
    void table(const QString& name);
    void column(const Column& column);
    void row(const QVariantList& values);
    void failure(Error::Reason reason, const QString& detail);
    void end();   // also sends what is still pending

private:
    template <class... Items>
    void add(quint8 tag, const Items&... items);
    void send();

    int fd_;
    QByteArray pending_;
};

struct Answer {
    QStringList tables;
    TableRows rows;
};

// The records of a complete answer. Throws the failure it reports, or
// Error(Damaged, path) when the answer is incomplete or unreadable.
Answer readAnswer(const QByteArray& bytes, const QString& path);

} // namespace mdb::detail
