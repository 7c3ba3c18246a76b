#pragma once
// Another workstation in the middle of a write: while it lives, the main
// database's write lock is held from a second connection and every other
// connection waits only briefly before its write fails as busy.
#include "common/database.h"

class OtherWorkstationWriting {
public:
    OtherWorkstationWriting() : connection_(database::openMain())
    {
        db::setBusyWaitForTests(50);
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
