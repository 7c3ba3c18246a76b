// The number indexes of contacts and customers: made with a fresh database,
// added to and filled for a file made without them, kept in step by every
// insert, change and delete, and left valid for the stock SQLite shell.
#include "common/callersearch.h"
#include "common/database.h"
#include "common/firststart.h"
#include "common/sqltext.h"
#include "tests/support/scratch.h"
#include "tests/support/sqliteshell.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

class CallerSearch : public ScratchProgram {
protected:
    // The ids of the table's rows the index names for the numbers, in id order.
    QString found(const QString& table, const QStringList& numbers)
    {
        return idsWhere(table, callersearch::candidates(table, numbers));
    }
    // The ids of the table's rows that meet the condition, in id order; "(no index)" without one.
    static QString idsWhere(const QString& table, const QString& condition)
    {
        if (condition.isEmpty()) return QStringLiteral("(no index)");
        QStringList ids;
        auto rows = database::query(QStringLiteral("select id from ") + table + QStringLiteral(" where ") + condition
                                    + QStringLiteral(" order by id"));
        for (; !rows->eof(); rows->moveNext()) ids << rows->field(0).toText();
        return ids.join(QLatin1Char(' '));
    }
    int contact(const QString& tel, const QString& fax = QString(), const QString& mobil = QString(),
                const QString& hometel = QString())
    {
        exec(QStringLiteral("insert into KH_LXR (companyid, Connect_name, tel, fax, mobil, hometel) values (1, '甲', %1, %2, %3, %4)")
                 .arg(sqltext::quoted(tel), sqltext::quoted(fax), sqltext::quoted(mobil), sqltext::quoted(hometel)));
        return count(QStringLiteral("select max(id) from KH_LXR"));
    }
    int customer(const QString& tel, const QString& fax = QString(), const QString& mobil = QString())
    {
        exec(QStringLiteral("insert into company (company_name, company_tel, company_fax, company_mobil) values ('乙', %1, %2, %3)")
                 .arg(sqltext::quoted(tel), sqltext::quoted(fax), sqltext::quoted(mobil)));
        return count(QStringLiteral("select max(id) from company"));
    }
    int schemaObjects() { return count(QStringLiteral("select count(*) from sqlite_master")); }
    // What the stock sqlite3 shell says of the main file ("" without the shell).
    QString integrity()
    {
        const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
        if (shell.isEmpty()) return QString();
        QProcess process;
        process.start(shell, {path(QStringLiteral("hvcrm/hvcrm.hvd")), QStringLiteral("pragma integrity_check")});
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    void expectValidFile()
    {
        const QString said = integrity();
        if (!said.isEmpty()) EXPECT_EQ(said, QStringLiteral("ok"));
    }
};

TEST_F(CallerSearch, EveryWriteKeepsTheIndexInStep)
{
    const int a = contact(QStringLiteral("0755-81234567"));
    const int b = contact(QString(), QStringLiteral("81234567"));
    const int c = contact(QString(), QString(), QStringLiteral("13800138000"), QStringLiteral("021-5555X"));
    const int d = contact(QStringLiteral("8123-4567"));
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("81234567")}), QStringLiteral("%1 %2").arg(a).arg(b));
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("5555x")}), QString::number(c));   // letters without case
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("4567"), QStringLiteral("138001")}),
              QStringLiteral("%1 %2 %3 %4").arg(a).arg(b).arg(c).arg(d));
    // A quote or a query word is looked for as text.
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("8'1\" OR 1")}), QString());

    exec(QStringLiteral("update KH_LXR set fax='99999999' where id=%1").arg(b));
    exec(QStringLiteral("delete from KH_LXR where id=%1").arg(a));
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("81234567")}), QString());
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("9999")}), QString::number(b));
    exec(QStringLiteral("update KH_LXR set Connect_name='丙' where id=%1").arg(b));
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("9999")}), QString::number(b));

    const int e = customer(QStringLiteral("010-65521234"), QString(), QStringLiteral("13912345678"));
    EXPECT_EQ(found(QStringLiteral("company"), {QStringLiteral("65521234")}), QString::number(e));
    EXPECT_EQ(found(QStringLiteral("company"), {QStringLiteral("1391234")}), QString::number(e));

    // Fewer than three characters, and tables without an index: the index cannot answer.
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("81"), QStringLiteral("81234567")}),
              QStringLiteral("(no index)"));
    EXPECT_EQ(found(QStringLiteral("GYS"), {QStringLiteral("81234567")}), QStringLiteral("(no index)"));
    expectValidFile();
}

// The rows holding a number whole, blanks around it aside and letters
// without case, are named from the held-number indexes (the stock shell's
// plan reads them, not the table); numbers with other letters, and a file
// without the indexes, are left to the other lookups.
TEST_F(CallerSearch, NumbersHeldWholeAreFoundFromTheirOwnIndexes)
{
    const int a = contact(QStringLiteral(" 13800138000\t"));
    const int b = contact(QString(), QString(), QString(), QStringLiteral("\u300013800138000"));
    contact(QStringLiteral("013800138000"), QStringLiteral("1380013800"));
    const int c = contact(QString(), QStringLiteral("021-5555X"));
    const int e = customer(QString(), QString(), QStringLiteral("13800138000 "));
    customer(QStringLiteral("13800138000-1"));
    const auto holding = [&](const QString& table, const QStringList& numbers) {
        return idsWhere(table, callersearch::holding(*database::openMain(), table, numbers));
    };
    EXPECT_EQ(holding(QStringLiteral("KH_LXR"), {QStringLiteral("13800138000"), QStringLiteral("021-5555x")}),
              QStringLiteral("%1 %2 %3").arg(a).arg(b).arg(c));
    EXPECT_EQ(holding(QStringLiteral("company"), {QStringLiteral("13800138000")}), QString::number(e));
    EXPECT_EQ(holding(QStringLiteral("KH_LXR"), {QStringLiteral("8'),('13800138000")}), QString());   // quoted as text
    const QString plan = sqliteShell(path(QStringLiteral("hvcrm/hvcrm.hvd")),
                                     QStringLiteral("explain query plan select id from KH_LXR where ")
                                         + callersearch::holding(*database::openMain(), QStringLiteral("KH_LXR"),
                                                                 {QStringLiteral("13800138000")}));
    for (const char* column : {"tel", "fax", "mobil", "hometel"})
        EXPECT_TRUE(plan.contains(QStringLiteral("USING INDEX KH_LXR_%1_whole").arg(QLatin1String(column)))) << plan.toStdString();

    EXPECT_TRUE(callersearch::heldWhole(QStringLiteral("0755-8123 4567X")));
    for (const char* other : {"", "12k45", "12s45", "王", "１３８"})
        EXPECT_FALSE(callersearch::heldWhole(QString::fromUtf8(other))) << other;
    EXPECT_EQ(holding(QStringLiteral("KH_LXR"), {QStringLiteral("12k45")}), QStringLiteral("(no index)"));
    EXPECT_EQ(holding(QStringLiteral("GYS"), {QStringLiteral("13800138000")}), QStringLiteral("(no index)"));
    exec(QStringLiteral("drop index KH_LXR_fax_whole"));
    EXPECT_EQ(holding(QStringLiteral("KH_LXR"), {QStringLiteral("13800138000")}), QStringLiteral("(no index)"));
    firststart::ensureDatabases();
    EXPECT_EQ(holding(QStringLiteral("KH_LXR"), {QStringLiteral("13800138000")}), QStringLiteral("%1 %2").arg(a).arg(b));
    expectValidFile();
}

// A file made before the indexes existed gets them, filled with its rows, when
// the program starts; starting again changes nothing.
TEST_F(CallerSearch, AnEarlierFileIsIndexedOnStart)
{
    for (const char* table : {"KH_LXR", "company"}) {
        const QString index = QString::fromLatin1(table) + QStringLiteral("_numbertext");
        for (const char* trigger : {"_insert", "_update", "_delete"})
            exec(QStringLiteral("drop trigger ") + index + QString::fromLatin1(trigger));
        exec(QStringLiteral("drop table ") + index);
    }
    const int objects = schemaObjects();
    const int a = contact(QStringLiteral("13800138000"));
    const int e = customer(QString(), QStringLiteral("0755-81234567"));

    firststart::ensureDatabases();
    EXPECT_GT(schemaObjects(), objects);
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("0013800")}), QString::number(a));
    EXPECT_EQ(found(QStringLiteral("company"), {QStringLiteral("81234567")}), QString::number(e));
    const int indexed = schemaObjects();
    firststart::ensureDatabases();
    EXPECT_EQ(schemaObjects(), indexed);
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("0013800")}), QString::number(a));
    const int b = contact(QStringLiteral("13800138001"));
    EXPECT_EQ(found(QStringLiteral("KH_LXR"), {QStringLiteral("0013800")}), QStringLiteral("%1 %2").arg(a).arg(b));
    expectValidFile();
}

} // namespace
