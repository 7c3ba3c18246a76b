#pragma once
// Another workstation in the middle of a write: while it lives, a second
// connection holds the main database (or the SMS database beside it) and
// every other connection waits only briefly before it fails as busy. A write
// lock (Hold::Write, a colleague's save under way) still lets others read;
// Hold::Exclusive (a save committing, or BEGIN EXCLUSIVE) stops reads too.
#include "common/database.h"

class OtherWorkstationWriting {
public:
    enum class Hold { Write, Exclusive };
    enum class File { Main, Sms };

    explicit OtherWorkstationWriting(Hold hold = Hold::Write, File file = File::Main)
        : connection_(file == File::Main ? database::openMain() : database::openSms())
    {
        // The hold is taken with the usual wait: a read of the program's own
        // threads (the call monitor's) may be under way.
        if (hold == Hold::Exclusive)
            connection_->execute(QStringLiteral("BEGIN EXCLUSIVE"));
        else
            connection_->beginTrans();
        connection_->execute(file == File::Main ? QStringLiteral("update JSQ set LSH = LSH")
                                                : QStringLiteral("update sms set RecState = RecState"));
        db::setBusyWaitForTests(50);
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
