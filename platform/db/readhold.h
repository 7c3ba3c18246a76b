#pragma once
// Holds a database file for reading while it lives, for a short run of
// reads that must not each wait anew for other programs' writes, such as
// the handling of an incoming call and the window it pops up. Once it has
// its hold (waiting for it as any statement waits), every connection of this
// program to the file reads without waiting, and all of them see one state
// of the file: another program's write commits only once the hold ends, and
// meanwhile waits as it waits for any reader. No write of this program to
// the file can commit while it lives either, so it must not span one.
#include "platform/db/connection.h"

namespace db {

class ReadHold {
public:
    // db::Error (Busy when another program kept the file past the wait).
    explicit ReadHold(const QString& connectString);
    ~ReadHold();
    ReadHold(const ReadHold&) = delete;
    ReadHold& operator=(const ReadHold&) = delete;

private:
    Connection connection_;
};

} // namespace db
