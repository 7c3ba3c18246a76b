#pragma once
// Another workstation in the middle of a write: while it lives, a second
// connection holds the main database and every other connection waits only
// briefly before it fails as busy. A write lock (Hold::Write, a colleague's
// save under way) still lets others read; Hold::Exclusive (a save committing,
// or BEGIN EXCLUSIVE) stops reads too.
#include "common/database.h"

class OtherWorkstationWriting {
public:
    enum class Hold { Write, Exclusive };

    explicit OtherWorkstationWriting(Hold hold = Hold::Write) : connection_(database::openMain())
    {
        db::setBusyWaitForTests(50);
        if (hold == Hold::Exclusive)
            connection_->execute(QStringLiteral("BEGIN EXCLUSIVE"));
        else
            connection_->beginTrans();
        connection_->execute(QStringLiteral("update JSQ set LSH = LSH"));
    }
    ~OtherWorkstationWriting()
    {
        connection_->rollbackTrans();
        db::setBusyWaitForTests(0);
    }
    OtherWorkstationWriting(const OtherWorkstationWriting&) = delete;
    OtherWorkstationWriting& operator=(const OtherWorkstationWriting&) = delete;

private:
    std::unique_ptr<db::Connection> connection_;
};
