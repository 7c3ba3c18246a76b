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

// A mapping box: the customer column it feeds and the source field it names.
struct FieldMapping {
    QString column;
    QString field;
};

struct WriteCount {
    int written = 0;
    int failed = 0;
};

struct ImportOutcome {
    bool ownFormat = false;
    WriteCount customers;
    WriteCount contacts;
    WriteCount products;         // own format only
    WriteCount groups;           // own format only
    QStringList unreadTables;    // own format: "product" or "client_type" that could not be read
};

// Writes the rows of `table` into the main database `main`. Throws
// mdb::Error when that table cannot be read and db::Error when the customer
// or contact table cannot be opened; nothing is written then. A value that
// its column cannot take is left out of its row; a row the database refuses
// is counted as failed, and a refused customer gets no contact.
ImportOutcome importRecords(const mdb::Source& source, const QString& table,
                            const std::vector<FieldMapping>& mapping, db::Connection& main);

// The closing message: how the import went, with the counts of every kind of record.
QString outcomeMessage(const ImportOutcome& outcome);

} // namespace login
