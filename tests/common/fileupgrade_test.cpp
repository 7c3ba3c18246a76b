// The data files are sound SQLite databases for every tool: the stock sqlite3
// shell finds every index in order in the files the program makes, and a file
// made by an earlier build (its indexes ordered by another text order under
// the name NOCASE, or without the lookup indexes) is repaired when the program
// starts, its rows untouched.
#include "tests/support/earlierfile.h"
#include "tests/support/scratch.h"
#include "tests/support/sqliteshell.h"

#include "common/database.h"
#include "common/firststart.h"
#include "common/schema.h"
#include "common/sqltext.h"

#include <QFile>
#include <QRegularExpression>

namespace {

// Names that sort differently in every text order: accents, quotes, Chinese.
const QStringList kNames{QStringLiteral("Bon app'"), QStringLiteral("Crème brûlée"), QStringLiteral("Élan Vital"),
                         QStringLiteral("O'Brien Trading"), QStringLiteral("王记商行"), QStringLiteral("北京华信"),
                         QStringLiteral("abc"), QStringLiteral("ABD"), QStringLiteral("Zürich Öl")};

// A customer of each name with a contact, numbers and a product of that name.
QStringList customerRows()
{
    QStringList rows;
    for (int i = 0; i < kNames.size(); ++i) {
        const QString name = sqltext::quoted(kNames[i]);
        const QString number = sqltext::quoted(QStringLiteral("0755-8%1").arg(i, 6, 10, QLatin1Char('0')));
        rows << QStringLiteral("INSERT INTO company (company_name, company_tel, company_mobil) VALUES (%1, %2, '1390000000%3')")
                    .arg(name, number).arg(i)
             << QStringLiteral("INSERT INTO KH_LXR (companyid, Connect_name, tel, mobil) VALUES (%1, %2, %3, '1380000000%1')")
                    .arg(i + 1).arg(name, number)
             << QStringLiteral("INSERT INTO product (product, price) VALUES (%1, %2)").arg(name).arg(i);
    }
    return rows;
}

class DataFiles : public ScratchProgram {
protected:
    QString mainFile() const { return path(QStringLiteral("hvcrm/hvcrm.hvd")); }
    QString smsFile() const { return path(QStringLiteral("hvcrm/SMS.mdb")); }

    // Both files of the data folder as an earlier build made them, with customers.
    void makeEarlierFiles()
    {
        ASSERT_TRUE(QFile::remove(mainFile()));
        ASSERT_TRUE(QFile::remove(smsFile()));
        ASSERT_TRUE(makeEarlierBuildFile(mainFile(), schema::mainDatabase() + customerRows()));
        ASSERT_TRUE(makeEarlierBuildFile(smsFile(), schema::smsDatabase()));
    }
    // Every row of the tables the names went into, as the shell reads them.
    QString storedRows() const
    {
        return sqliteShell(mainFile(), QStringLiteral("select * from company order by id; select * from KH_LXR order by id; "
                                                      "select * from product order by id"));
    }
};

TEST_F(DataFiles, AnEarlierBuildsFileIsRepairedAtTheStartRowsUntouched)
{
    makeEarlierFiles();
    ASSERT_NE(integrityCheck(mainFile()), QStringLiteral("ok"));   // the fault being repaired
    const QString before = storedRows();
    ASSERT_TRUE(before.contains(QStringLiteral("王记商行")));

    firststart::ensureDatabases();

    EXPECT_EQ(integrityCheck(mainFile()), QStringLiteral("ok"));
    EXPECT_EQ(integrityCheck(smsFile()), QStringLiteral("ok"));
    EXPECT_EQ(storedRows(), before);
    EXPECT_EQ(sqliteShell(mainFile(), QStringLiteral("pragma user_version")), QStringLiteral("1"));
    EXPECT_EQ(sqliteShell(smsFile(), QStringLiteral("pragma user_version")), QStringLiteral("1"));
    // Prefix searches find what is stored, in the shell and through the program's layer.
    for (const QString& like : {QStringLiteral("Bon app%"), QStringLiteral("王%"), QStringLiteral("bon APP'%")}) {
        SCOPED_TRACE(like.toStdString());
        const QString sql = QStringLiteral("select count(*) from company where company_name like ") + sqltext::quoted(like);
        EXPECT_EQ(sqliteShell(mainFile(), sql), QStringLiteral("1"));
        EXPECT_EQ(count(sql), 1);
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from company where company_name = 'o''brien trading'")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_LXR where tel = '0755-8000004'")), 1);

    // A second start finds nothing to repair and changes nothing.
    firststart::ensureDatabases();
    EXPECT_EQ(integrityCheck(mainFile()), QStringLiteral("ok"));
    EXPECT_EQ(storedRows(), before);
}

TEST_F(DataFiles, EveryFileTheProgramMakesPassesTheStockShell)
{
    for (const QString& row : customerRows()) exec(row);
    database::openLocalSms()->execute(
        QStringLiteral("insert into sms (MobilNO, Content) values ('13900000001', 'Dear O''Brien, 你好')"));
    exec(QStringLiteral("update company set company_name = 'Bon appétit' where company_name = 'abc'"));
    exec(QStringLiteral("delete from company where company_name like 'Z%'"));

    EXPECT_EQ(integrityCheck(mainFile()), QStringLiteral("ok"));
    EXPECT_EQ(integrityCheck(smsFile()), QStringLiteral("ok"));
    EXPECT_EQ(integrityCheck(QStringLiteral(HALVEX_MOBILDB_FILE)), QStringLiteral("ok"));
    EXPECT_EQ(sqliteShell(mainFile(), QStringLiteral("select count(*) from company where company_name like 'Bon app%'")),
              QStringLiteral("2"));
    EXPECT_EQ(sqliteShell(mainFile(), QStringLiteral("select count(*) from company where company_name like '王%'")),
              QStringLiteral("1"));
    // The schema names only SQLite's own collations.
    EXPECT_EQ(sqliteShell(mainFile(), QStringLiteral("select count(*) from sqlite_master where sql like '%jet_%'")),
              QStringLiteral("0"));
}

// The lookups of the daily work, as the layer sends them, each answered from an index.
QStringList lookups()
{
    QStringList sql;
    for (const char* table : {"sales", "SalesMX", "chance", "chanceMX", "Jhd", "JhMX"})
        sql << QStringLiteral("select * from %1 where indexflag='2024031512'").arg(QLatin1String(table));
    for (const char* table : {"KH_LXR", "KH_ACT", "chance", "chanceMX", "sales", "SalesMX", "service"})
        sql << QStringLiteral("select * from %1 where companyid = 5  order by id desc").arg(QLatin1String(table));
    sql << QStringLiteral("select * from Hv_Cidlist where datetime>='2024-03-05 00:00:00' and "
                          "datetime<'2024-03-06 00:00:00' order by datetime desc")
        << QStringLiteral("select * from HV_Cidlist where CallerID='13800000000' order by id desc LIMIT 1")
        << QStringLiteral("select * from product where product='王记商行'")
        << QStringLiteral("select id from sales where orderno='SH240315-00001'")
        << QStringLiteral("select * from SalesMX where salesdate>='2024-03-01 00:00:00' order by salesdate desc, id desc");
    return sql;
}

TEST_F(DataFiles, AFileWithoutTheLookupIndexesGainsThemWhenOpenedRowsUntouched)
{
    const auto expectIndexed = [&] {
        for (const QString& sql : lookups())
            EXPECT_TRUE(sqliteShell(mainFile(), QStringLiteral("explain query plan ") + sql)
                            .contains(QRegularExpression(QStringLiteral("USING (COVERING )?INDEX"))))
                << sql.toStdString();
    };
    expectIndexed();   // the first start's file

    QStringList earlier;   // a fresh file of an earlier build: the tables, no lookup index
    const QStringList onOpen = schema::mainOnOpen();
    for (const QString& statement : schema::mainDatabase())
        if (!onOpen.contains(statement)) earlier << statement;
    ASSERT_TRUE(QFile::remove(mainFile()));
    ASSERT_TRUE(makeEarlierBuildFile(mainFile(), earlier + customerRows()));
    const QString indexes = QStringLiteral("select count(*) from sqlite_master where type='index'");
    ASSERT_EQ(sqliteShell(mainFile(), indexes), QStringLiteral("4"));
    const QString before = storedRows();

    firststart::ensureDatabases();

    // The open-time indexes, the call keys' key, and one per number column of contacts and customers.
    EXPECT_EQ(sqliteShell(mainFile(), indexes), QString::number(4 + onOpen.filter(QStringLiteral("CREATE INDEX")).size() + 1 + 7));
    expectIndexed();
    EXPECT_EQ(storedRows(), before);
    EXPECT_EQ(integrityCheck(mainFile()), QStringLiteral("ok"));
}

// A file of an earlier build that lacks columns (and a table) this build
// reads gains them when the program opens it, every row as it was; opened
// again, it is left as it is.
TEST_F(DataFiles, AFileWithoutColumnsThisBuildReadsGainsThemRowsUntouched)
{
    exec(QStringLiteral("insert into company (company_name, company_http) values ('华东贸易', 'www.hd.cn')"));
    const auto sql = [&](const QString& statement) { return sqliteShell(mainFile(), statement); };
    sql(QStringLiteral("alter table company drop column company_http; alter table KH_LXR drop column ah; "
                       "alter table company drop column KH_GK; drop table programstate"));
    ASSERT_FALSE(sql(QStringLiteral("select sql from sqlite_master")).contains(QLatin1String("company_http")));
    const QString kept = QStringLiteral("select id, company_name, KH_CZZ from company");
    const QString before = sql(kept);

    firststart::ensureDatabases();
    const QString layout = sql(QStringLiteral("select sql from sqlite_master order by name"));
    for (const char* gained : {"company_http", "KH_GK", " ah ", "programstate"})
        EXPECT_TRUE(layout.contains(QLatin1String(gained))) << gained;
    EXPECT_EQ(sql(QStringLiteral("select company_name, company_http, KH_GK from company")), QStringLiteral("华东贸易||"));
    EXPECT_EQ(sql(kept), before);
    exec(QStringLiteral("insert into company (company_http) values ('a')"));

    firststart::ensureDatabases();
    EXPECT_EQ(sql(QStringLiteral("select sql from sqlite_master order by name")), layout);
    EXPECT_EQ(integrityCheck(mainFile()), QStringLiteral("ok"));
}

} // namespace
