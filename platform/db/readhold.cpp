#include "platform/db/readhold.h"

#include "platform/db/connectionstate.h"

namespace db {

// A read transaction: the first read takes the file's shared lock and keeps
// it until the transaction ends. The lock is the program's (the operating
// system's locks are a process's), so the program's other connections share
// it without asking again, and no other program can take the file for
// writing meanwhile.
ReadHold::ReadHold(const QString& connectString)
{
    connection_.open(connectString);
    connection_.execute(QStringLiteral("BEGIN"));
    Statement read(*connection_.state(), QStringLiteral("SELECT count(*) FROM sqlite_master"));
    read.step();
}

ReadHold::~ReadHold()
{
    // The close ends the transaction; the handle is kept for reuse as any other.
    connection_.close();
}

} // namespace db
