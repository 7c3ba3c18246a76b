// A kept row with the rows kept beside it: a save is refused when either
// changed since the load, the kept rows follow a save of their own, and an
// exception out of the save's steps leaves every table as it was.
#include "tests/support/scratch.h"

#include "tests/support/busyfile.h"

#include "common/keptrow.h"
#include "common/readfailure.h"

namespace {

class KeptRows : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("insert into sales (orderno, indexflag) values ('SH1', 'k1')"));
        id = scalar(QStringLiteral("select max(id) from sales")).toInt();
        exec(QStringLiteral("insert into SalesMX (productname, num, indexflag) values ('Nut', 3, 'k1')"));
        order.load(QStringLiteral("sales"), id);
        order.keepAlso(QStringLiteral("select * from SalesMX where indexflag='k1' order by id"));
    }

    keptrow::Outcome renumber(const QString& number)
    {
        return order.save([&](db::Recordset& row) { row.setField(QStringLiteral("orderno"), db::Variant(number)); },
                          {}, nullptr);
    }

    void keep()
    {
        order.load(QStringLiteral("sales"), id);
        order.keepAlso(QStringLiteral("select * from SalesMX where indexflag='k1' order by id"));
    }

    keptrow::KeptRow order;
    int id = 0;
};

TEST_F(KeptRows, ASaveIsRefusedWhenTheKeptRowsChangedAndFollowsItsOwnWrites)
{
    ASSERT_TRUE(order.holds());
    exec(QStringLiteral("update SalesMX set num=5"));
    EXPECT_EQ(renumber(QStringLiteral("SH2")), keptrow::Outcome::Stale);
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH1"));

    // Loaded again: its own save rewrites the lines and a second save still passes.
    order.load(QStringLiteral("sales"), id);
    order.keepAlso(QStringLiteral("select * from SalesMX where indexflag='k1' order by id"));
    const keptrow::Outcome outcome = order.save(
        [](db::Recordset& row) { row.setField(QStringLiteral("orderno"), db::Variant("SH2")); },
        [](db::Connection& connection) {
            connection.execute(QStringLiteral("delete from SalesMX where indexflag='k1'"));
            connection.execute(QStringLiteral("insert into SalesMX (productname, num, indexflag) values ('Nut', 4, 'k1')"));
        },
        nullptr);
    EXPECT_EQ(outcome, keptrow::Outcome::Saved);
    EXPECT_EQ(renumber(QStringLiteral("SH3")), keptrow::Outcome::Saved);
    EXPECT_EQ(scalar(QStringLiteral("select orderno || num from sales, SalesMX")), QStringLiteral("SH34"));
}

TEST_F(KeptRows, AnExceptionOutOfTheStepsRollsEverythingBack)
{
    struct Refused {};
    EXPECT_THROW(order.save([](db::Recordset& row) { row.setField(QStringLiteral("orderno"), db::Variant("SH9")); },
                            [](db::Connection& connection) {
                                connection.execute(QStringLiteral("delete from SalesMX"));
                                throw Refused{};
                            },
                            nullptr),
                 Refused);
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from SalesMX")), 1);
    // The window's row is still the stored one: the next save passes.
    EXPECT_EQ(renumber(QStringLiteral("SH2")), keptrow::Outcome::Saved);
    EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH2"));
}

} // namespace

// What the load could not read (the row, or the rows kept beside it) is no
// change made elsewhere: the read says why, and every save is
// refused with that reason and writes nothing, until the editor loads again.
TEST_F(KeptRows, WhatCouldNotBeReadRefusesEverySaveSayingWhy)
{
    for (const bool rowUnread : {true, false}) {
        messages.clear();
        if (!rowUnread) keep();
        {
            OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
            if (rowUnread) keep();
            else order.keepAlso(QStringLiteral("select * from SalesMX where indexflag='k1' order by id"));
        }
        EXPECT_EQ(messages.shown().size(), 1u) << rowUnread;
        EXPECT_EQ(messages.lastText(), QString::fromUtf8(readfailure::kBusyText)) << rowUnread;
        std::optional<db::Error> failure;
        const auto outcome = order.save(
            [](db::Recordset& row) { row.setField(QStringLiteral("orderno"), db::Variant("SH9")); }, {}, &failure);
        EXPECT_EQ(outcome, keptrow::Outcome::Failed) << rowUnread;
        ASSERT_TRUE(failure) << rowUnread;
        EXPECT_EQ(failure->kind(), db::Error::Kind::Busy) << rowUnread;
        EXPECT_EQ(scalar(QStringLiteral("select orderno from sales")), QStringLiteral("SH1")) << rowUnread;

        keep();
        EXPECT_EQ(renumber(QStringLiteral("SH1")), keptrow::Outcome::Saved) << rowUnread;
    }
}
