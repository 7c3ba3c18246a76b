#pragma once
// The rows of a read-only query walked one by one as the engine gives them,
// none of them kept: for a report that adds up a long result. The statement,
// and the read it holds, last as long as the walk object.
#include "platform/db/connection.h"

#include <QByteArrayView>
#include <memory>

namespace db {

class RowWalk {
public:
    // db::Error when the engine refuses the statement.
    RowWalk(Connection& connection, const QString& sql);
    ~RowWalk();
    RowWalk(const RowWalk&) = delete;
    RowWalk& operator=(const RowWalk&) = delete;

    bool next();                       // to the first row, then each next one; false after the last
    int fieldCount() const;
    Variant field(int index) const;    // of the current row, typed as a recordset types it
    // The current row's cell as the engine gives it as UTF-8 text ("" for
    // Null), valid until the walk moves on: for a text column exactly the
    // stored text, so a long walk can key on it without making a value per row.
    QByteArrayView text(int index) const;

private:
    void requireField(int index) const;   // db::Error without a current row or such a field
    struct Data;
    std::unique_ptr<Data> d_;
};

} // namespace db
