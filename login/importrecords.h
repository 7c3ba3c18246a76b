#pragma once
// Writing an import: every row of the chosen source table becomes a customer
// with one contact, owned by the operator at work. A source table in the
// system's own format (it has a field named exactly "company_client_type")
// also brings its extra customer columns, and the source's products and
// customer groups are copied as well.
#include "platform/db/connection.h"
#include "platform/mdb/accessfile.h"

#include <QStringList>
#include <vector>

namespace login {

// A mapping box: the customer column it feeds, the source field it names and
// its caption ("客户名称"), by which the messages name it.
struct FieldMapping {
    QString column;
    QString field;
    QString caption;
};

struct WriteCount {
    int written = 0;
    int failed = 0;
};

// A value of the source that its column could not take: the record was
// imported without it.
struct LeftOut {
    QString kind;      // "客户", or in own format "产品" or "客户分组"
    int record = 0;    // the row of that kind's source table, counted from 1
    QString reason;    // the refusal, naming the box by its caption (or the column an own-format field feeds)
};

struct ImportOutcome {
    // Set when a mapping box names a field the table lacks: the box and the
    // field, and nothing was written.
    QString refusal;
    bool ownFormat = false;
    WriteCount customers;
    WriteCount contacts;
    WriteCount products;         // own format only
    WriteCount groups;           // own format only
    QStringList unreadTables;    // own format: "product" or "client_type" that could not be read
    std::vector<LeftOut> leftOut;
};

// Writes the rows of `table` into the main database `main`, all in one
// transaction: a file another workstation holds, or any failure of the
// transaction itself, throws db::Error and leaves nothing written, so the
// same import can simply be tried again. Throws mdb::Error when that table
// cannot be read. A value that its column cannot take is left out of its row
// and listed; a row the database refuses is counted as failed, and a refused
// customer gets no contact.
ImportOutcome importRecords(const mdb::Source& source, const QString& table,
                            const std::vector<FieldMapping>& mapping, db::Connection& main);

// The closing message: how the import went, with the counts of every kind of
// record and the values left out.
QString outcomeMessage(const ImportOutcome& outcome);

} // namespace login
