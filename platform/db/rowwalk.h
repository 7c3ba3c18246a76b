#pragma once
// The rows of a read-only query walked one by one as the engine gives them,
// none of them kept: for a report that adds up a long result. The statement,
// and the read it holds, last as long as the walk object.
#include "platform/db/connection.h"

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

private:
    struct Data;
    std::unique_ptr<Data> d_;
};

} // namespace db
