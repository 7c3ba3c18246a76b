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
    // The current row's cell as the engine stores it, as a few bytes equal for
    // two cells exactly when they hold the same stored value (its kind, then
    // its number's bits or its bytes), valid until the next call: field()
    // gives equal values for equal keys, so a long walk can keep what it makes
    // of a cell per distinct key without making a value per row.
    QByteArrayView storedKey(int index) const;
    // Whether the current row's cell is stored as text: then text() is its
    // stored text and field() reads that text.
    bool isStoredText(int index) const;

private:
    void requireField(int index) const;   // db::Error without a current row or such a field
    struct Data;
    std::unique_ptr<Data> d_;
};

} // namespace db
