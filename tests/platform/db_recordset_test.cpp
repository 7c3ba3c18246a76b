// Connections and recordsets over a real database file: opening, typed
// writes, keys of new rows, optimistic locking between connections, and
// recordsets that outlive what they were opened on.
#include "db_testdatabase.h"

#include "platform/db/error.h"
#include "platform/db/rowwalk.h"

#include <QFile>

using namespace db;

namespace {

using ConnectionOpen = TestDatabase;

TEST_F(ConnectionOpen, AcceptsBothConnectionStringShapes)
{
    const QString shapes[] = {
        connectString(),
        QStringLiteral("dbq=") + file() + QStringLiteral(";defaultdir=;driver={Microsoft Access Driver (*.mdb)};"),
        QStringLiteral("DBQ = ") + file() + QStringLiteral(" ;Driver={Microsoft Access Driver (*.mdb)};PWD=secret"),
        QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;DATA SOURCE=") + file()
            + QStringLiteral(";Jet OLEDB:Database Password=x"),
    };
    for (const QString& shape : shapes) {
        EXPECT_EQ(dataSourceOf(shape), file()) << shape.toStdString();
        Connection connection;
        EXPECT_NO_THROW(connection.open(shape)) << shape.toStdString();
        EXPECT_TRUE(connection.isOpen());
    }
    EXPECT_EQ(dataSourceOf(QStringLiteral("driver={x};")), QString());
}

TEST(ConnectionString, DataSourceRunsToTheStringsFixedTail)
{
    EXPECT_EQ(dataSourceOf(QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;"
                                          "Data source =/opt/a;b/hvcrm/hvcrm.hvd;Jet OLEDB:Database")),
              QStringLiteral("/opt/a;b/hvcrm/hvcrm.hvd"));
    EXPECT_EQ(dataSourceOf(QStringLiteral("dbq=C:\\x;y\\hvcrm.hvd;defaultdir=;driver={Microsoft Access Driver (*.mdb)};")),
              QStringLiteral("C:/x;y/hvcrm.hvd"));
    EXPECT_EQ(dataSourceOf(QStringLiteral("dbq=/a;b.hvd;")), QStringLiteral("/a;b.hvd"));
    EXPECT_EQ(dataSourceOf(QStringLiteral("provider=x;Persist Security Info=False")), QString());
}

TEST_F(ConnectionOpen, MissingFileFailsAndCreatesNothing)
{
    const QString missing = dir.filePath(QStringLiteral("hvcrm/none.hvd"));
    Connection connection;
    EXPECT_THROW(connection.open(QStringLiteral("dbq=") + missing + QStringLiteral(";")), Error);
    EXPECT_FALSE(connection.isOpen());
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_THROW(connection.open(QStringLiteral("driver={Microsoft Access Driver (*.mdb)};")), Error);
}

TEST_F(ConnectionOpen, FileThatIsNoDatabaseFails)
{
    QFile junk(dir.filePath(QStringLiteral("junk.mdb")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    Connection connection;
    EXPECT_THROW(connection.open(QStringLiteral("dbq=") + junk.fileName()), Error);
}

TEST_F(ConnectionOpen, UsesARollbackJournal)
{
    EXPECT_EQ(scalar(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
}

TEST_F(ConnectionOpen, CreateDatabaseRefusesAnExistingFileAndLeavesNoHalfFile)
{
    EXPECT_THROW(createDatabase(file(), {QStringLiteral("CREATE TABLE x (a LONG)")}), Error);
    const QString broken = dir.filePath(QStringLiteral("broken.hvd"));
    EXPECT_THROW(createDatabase(broken, {QStringLiteral("CREATE TABLE x (a LONG)"), QStringLiteral("CREATE TABLE oops (")}),
                 Error);
    EXPECT_FALSE(QFile::exists(broken));
}

TEST_F(ConnectionOpen, ExecuteCountsChangedRowsAndTransactionsRollBack)
{
    auto connection = connect();
    EXPECT_EQ(connection->execute(QStringLiteral("insert into customer (name) values ('a')")), 1);
    EXPECT_EQ(connection->execute(QStringLiteral("insert into customer (name) values ('b')")), 1);
    EXPECT_EQ(connection->execute(QStringLiteral("update customer set visits=1")), 2);
    EXPECT_EQ(connection->execute(QStringLiteral("create table t2 (a LONG)")), 0);
    connection->beginTrans();
    connection->execute(QStringLiteral("delete from customer"));
    connection->rollbackTrans();
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("2"));
    EXPECT_THROW(connection->execute(QStringLiteral("select * from nowhere")), Error);
}

using RecordsetWrite = TestDatabase;

TEST_F(RecordsetWrite, NewRowShowsItsKeyAndDefaultsAfterUpdate)
{
    auto connection = connect();
    auto other = connect();
    auto rows = query(*connection, QStringLiteral("customer"));
    rows->addNew();
    EXPECT_TRUE(rows->editPending());
    rows->setField(QStringLiteral("name"), Variant("alice"));
    // Another workstation adds rows meanwhile: our key comes from our insert.
    other->execute(QStringLiteral("insert into customer (id, name) values (50, 'bob')"));
    rows->update();
    EXPECT_FALSE(rows->editPending());
    const Variant key = rows->field(QStringLiteral("ID"));
    EXPECT_EQ(key.type(), Variant::Type::Long);
    EXPECT_EQ(scalar(QStringLiteral("select name from customer where id=") + key.toText()), QStringLiteral("alice"));
    EXPECT_EQ(rows->field(QStringLiteral("flag")), Variant("0"));          // the column's default
    EXPECT_TRUE(rows->field(QStringLiteral("visits")).isNull());
    EXPECT_EQ(rows->recordCount(), 1);

    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant("carol"));
    other->execute(QStringLiteral("insert into customer (id, name) values (900, 'dave')"));
    rows->update();
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("carol"));
    EXPECT_NE(rows->field(QStringLiteral("id")), Variant(std::int64_t{900}));
    EXPECT_EQ(scalar(QStringLiteral("select name from customer where id=") + rows->field(QStringLiteral("id")).toText()),
              QStringLiteral("carol"));
}

TEST_F(RecordsetWrite, ValuesAreConvertedToTheColumnsType)
{
    auto connection = connect();
    auto rows = query(*connection, QStringLiteral("select * from customer"));
    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant(12.5));
    rows->setField(QStringLiteral("visits"), Variant(" 2.5 "));
    rows->setField(QStringLiteral("score"), Variant("1e3"));
    rows->setField(QStringLiteral("balance"), Variant(" 12.34567 "));
    rows->setField(QStringLiteral("created"), Variant("2026/3/1 8:05"));
    rows->update();

    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("12.5"));
    EXPECT_EQ(rows->field(QStringLiteral("visits")), Variant(2));
    EXPECT_EQ(rows->field(QStringLiteral("score")), Variant(1000.0));
    EXPECT_EQ(rows->field(QStringLiteral("balance")), Variant(Currency::fromTicks(123457)));
    EXPECT_EQ(rows->field(QStringLiteral("created")), Variant(QDateTime(QDate(2026, 3, 1), QTime(8, 5))));
    EXPECT_EQ(scalar(QStringLiteral("select typeof(balance) || ' ' || balance || ' ' || created from customer")),
              QStringLiteral("real 12.3457 2026-03-01 08:05:00"));
}

TEST_F(RecordsetWrite, EveryCurrencyValueReadsBackUnchanged)
{
    const std::int64_t amounts[] = {std::numeric_limits<std::int64_t>::max(), std::numeric_limits<std::int64_t>::min(),
                                    9'999'999'999'999'999, 1, -5, 123'456'789'012'345, 10'000};
    auto connection = connect();
    for (const std::int64_t ticks : amounts) {
        SCOPED_TRACE(ticks);
        auto rows = query(*connection, QStringLiteral("select * from customer"));
        rows->addNew();
        rows->setField(QStringLiteral("balance"), Variant(Currency::fromTicks(ticks)));
        rows->update();
        const QString id = rows->field(QStringLiteral("id")).toText();
        auto again = query(*connection, QStringLiteral("select * from customer where id=") + id);
        EXPECT_EQ(again->field(QStringLiteral("balance")), Variant(Currency::fromTicks(ticks)));
        // The row read back can be saved again: its stored value compares equal.
        again->setField(QStringLiteral("name"), Variant("x"));
        EXPECT_NO_THROW(again->update());
    }
    // Ordinary amounts stay numbers that SQL compares and adds.
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer where balance > 0 and balance < 1")), QStringLiteral("1"));
}

TEST_F(RecordsetWrite, ValueThatDoesNotFitFailsAndStoresNothing)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits, created) values ('alice', 3, '2024-03-01 00:00:00')"));
    auto rows = query(*connection, QStringLiteral("select * from customer"));
    const std::pair<const char*, Variant> refused[] = {
        {"visits", Variant("abc")},  {"visits", Variant("")},       {"score", Variant("12abc")},
        {"balance", Variant("1,5")}, {"created", Variant("abc")},   {"created", Variant("2024-2-30")},
        {"name", Variant("12345678901")},                           // TEXT(10)
        {"flag", Variant("10")},                                     // TEXT(1)
    };
    for (const auto& [field, value] : refused) {
        EXPECT_THROW(rows->setField(QString::fromUtf8(field), value), Error) << field;
        EXPECT_FALSE(rows->editPending()) << field;
    }
    rows->setField(QStringLiteral("name"), Variant("一二三四五六七八九十"));   // ten characters fit
    rows->update();
    EXPECT_EQ(scalar(QStringLiteral("select visits || '/' || created || '/' || name from customer")),
              QStringLiteral("3/2024-03-01 00:00:00/一二三四五六七八九十"));
    EXPECT_THROW(rows->setField(QStringLiteral("nosuchfield"), Variant(1)), Error);
}

TEST_F(RecordsetWrite, NullStaysApartFromEmptyText)
{
    auto connection = connect();
    auto rows = query(*connection, QStringLiteral("customer"));
    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant(""));
    rows->setField(QStringLiteral("note"), Variant::null());
    rows->update();
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant(""));
    EXPECT_TRUE(rows->field(QStringLiteral("note")).isNull());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer where name = '' and note is null")), QStringLiteral("1"));
}

TEST_F(RecordsetWrite, ChangedRowsWriteBackAndMovesSaveThePendingEdit)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits) values ('a', 1), ('b', 2)"));
    auto rows = query(*connection, QStringLiteral("select id, name, visits*10 as tens from customer order by id"));
    rows->setField(QStringLiteral("name"), Variant("A"));
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("A"));
    rows->moveNext();                                          // saves the edit, as the system's recordsets do
    rows->setField(QStringLiteral("name"), Variant("B"));
    rows->update();
    rows->setField(QStringLiteral("name"), Variant("B2"));     // a second edit of the same row is no conflict
    rows->update();
    EXPECT_EQ(rows->field(QStringLiteral("tens")), Variant(20));
    EXPECT_THROW(rows->setField(QStringLiteral("tens"), Variant(5)), Error);
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name) from customer")), QStringLiteral("A,B2"));

    rows->setField(QStringLiteral("name"), Variant("x"));
    rows->cancelUpdate();
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("B2"));
}

TEST_F(RecordsetWrite, ReadOnlyAndJoinedRowsRefuseWrites)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a')"));
    connection->execute(QStringLiteral("insert into settings (mode) values ('1')"));
    auto readOnly = query(*connection, QStringLiteral("select * from customer"), LockType::ReadOnly);
    EXPECT_THROW(readOnly->setField(QStringLiteral("name"), Variant("b")), Error);
    EXPECT_THROW(readOnly->addNew(), Error);
    EXPECT_THROW(readOnly->deleteRow(), Error);
    EXPECT_THROW(readOnly->updateCell(0, 1, Variant("b")), Error);
    auto joined = query(*connection, QStringLiteral("select a.id, a.name, b.mode from customer a, settings b"));
    EXPECT_THROW(joined->setField(QStringLiteral("name"), Variant("b")), Error);
    auto grouped = query(*connection, QStringLiteral("select name, count(*) as n from customer group by name"));
    EXPECT_THROW(grouped->setField(QStringLiteral("name"), Variant("b")), Error);
    EXPECT_EQ(scalar(QStringLiteral("select name from customer")), QStringLiteral("a"));
}

TEST_F(RecordsetWrite, TableWithoutKeyColumnIsEditedByItsRow)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into settings (mode, path) values ('0', 'x'), ('0', 'y')"));
    auto rows = query(*connection, QStringLiteral("select * from settings where path='y'"));
    rows->setField(QStringLiteral("mode"), Variant("1"));
    rows->update();
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(mode || path) from settings")), QStringLiteral("0x,1y"));
}

TEST_F(RecordsetWrite, UpdateCellWritesOneCellByKey)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits) values ('a', 1), ('b', 2)"));
    auto rows = query(*connection, QStringLiteral("select id, name, visits from customer order by id desc"));
    rows->updateCell(1, 2, Variant("7"));
    EXPECT_EQ(rows->value(1, 2), Variant(7));
    EXPECT_EQ(scalar(QStringLiteral("select visits from customer where name='a'")), QStringLiteral("7"));
    EXPECT_EQ(rows->absolutePosition(), 0);                    // the current row did not move
    EXPECT_THROW(rows->updateCell(1, 2, Variant("seven")), Error);
    EXPECT_THROW(rows->updateCell(5, 2, Variant(1)), Error);
}

// What a column refuses is told without writing, by the rule the writes use.
TEST_F(TestDatabase, AColumnTellsWhatItRefusesWithoutWriting)
{
    auto connection = connect();
    auto rows = query(*connection, QStringLiteral("select * from customer"));
    using Why = ColumnRefusal::Why;
    const struct {
        const char* column;
        QString value;
        std::optional<Why> why;   // none: taken
        int width = 0;
        QString largest;
    } cases[] = {
        {"name", QStringLiteral("0123456789")},           {"name", QStringLiteral("01234567890"), Why::TooLong, 10},
        {"note", QString(5000, QLatin1Char('x'))},        {"balance", QStringLiteral("abc"), Why::NotNumber},
        {"balance", QStringLiteral("1,000.50"), Why::NotNumber},
        {"balance", QStringLiteral("1E+16"), Why::TooLarge, 0, QStringLiteral("922337203685477.5807")},
        {"balance", QString(), Why::NotNumber},           {"score", QStringLiteral("1O0"), Why::NotNumber},
        {"visits", QStringLiteral("12")},                 {"created", QStringLiteral("下个月"), Why::NotDate},
        {"created", QStringLiteral("2026-4-1")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " " + c.value.left(20).toStdString());
        const auto refused = rows->refusal(QString::fromLatin1(c.column), Variant(c.value));
        ASSERT_EQ(refused.has_value(), c.why.has_value());
        if (refused) {
            EXPECT_EQ(refused->why, *c.why);
            EXPECT_EQ(refused->width, c.width);
            EXPECT_EQ(refused->largest, c.largest);
            rows->addNew();
            EXPECT_THROW(rows->setField(QString::fromLatin1(c.column), Variant(c.value)), Error);
            rows->cancelUpdate();
        }
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("0"));
}

using OptimisticLocking = TestDatabase;

TEST_F(OptimisticLocking, RowChangedElsewhereIsNotOverwritten)
{
    auto mine = connect();
    auto theirs = connect();
    mine->execute(QStringLiteral("insert into customer (name, balance) values ('a', 10)"));
    auto rows = query(*mine, QStringLiteral("select * from customer"));
    ASSERT_EQ(rows->field(QStringLiteral("balance")), Variant(Currency::fromTicks(100000)));   // read
    theirs->execute(QStringLiteral("update customer set balance = 99"));
    rows->setField(QStringLiteral("name"), Variant("mine"));
    EXPECT_THROW(rows->update(), Error);
    EXPECT_FALSE(rows->editPending());                         // the failed save is not retried by a move
    EXPECT_EQ(scalar(QStringLiteral("select name || ' ' || balance from customer")), QStringLiteral("a 99"));

    // A cell written on its own is refused only when that cell changed; the
    // row then holds what is stored.
    const int name = rows->fieldIndex(QStringLiteral("name")), balance = rows->fieldIndex(QStringLiteral("balance"));
    EXPECT_THROW(rows->updateCell(0, balance, Variant(7)), Error);
    EXPECT_EQ(rows->value(0, balance), Variant(Currency::fromTicks(990000)));
    rows->updateCell(0, name, Variant("x"));
    EXPECT_EQ(scalar(QStringLiteral("select name || ' ' || balance from customer")), QStringLiteral("x 99"));
}

TEST_F(OptimisticLocking, CaseOnlyChangeElsewhereIsAConflictToo)
{
    auto mine = connect();
    auto theirs = connect();
    mine->execute(QStringLiteral("insert into customer (name) values ('acme')"));
    auto rows = query(*mine, QStringLiteral("select id, name, visits from customer"));
    ASSERT_FALSE(rows->eof());   // read
    theirs->execute(QStringLiteral("update customer set name = 'ACME'"));
    rows->setField(QStringLiteral("visits"), Variant(1));
    EXPECT_THROW(rows->update(), Error);
}

TEST_F(OptimisticLocking, RowDeletedElsewhereCannotBeChangedOrDeleted)
{
    auto mine = connect();
    auto theirs = connect();
    mine->execute(QStringLiteral("insert into customer (name) values ('a'), ('b')"));
    auto rows = query(*mine, QStringLiteral("select * from customer order by id"));
    ASSERT_EQ(rows->field(QStringLiteral("name")), Variant("a"));   // read
    theirs->execute(QStringLiteral("delete from customer where name='a'"));
    rows->setField(QStringLiteral("name"), Variant("x"));
    EXPECT_THROW(rows->update(), Error);
    EXPECT_THROW(rows->deleteRow(), Error);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("1"));
}

using RecordsetAddOnly = TestDatabase;

// A query whose rows cannot be read: InStr with a start below 1 fails on the row with visits 0.
constexpr const char* kUnreadable = "select * from customer where instr(visits, name, 'x') = 0";

TEST_F(RecordsetAddOnly, AddingToAFreshRecordsetReadsNoRow)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits) values ('bad', 0)"));
    auto rows = query(*connection, QString::fromUtf8(kUnreadable));
    EXPECT_EQ(rows->fieldCount(), 8);
    EXPECT_EQ(rows->fieldName(1), QStringLiteral("name"));
    for (const char* name : {"a", "b"}) {
        rows->addNew();
        EXPECT_FALSE(rows->eof());
        rows->setField(QStringLiteral("name"), Variant(name));
        rows->setField(QStringLiteral("visits"), Variant(1));
        rows->update();
        EXPECT_FALSE(rows->eof());
        EXPECT_FALSE(rows->bof());
        EXPECT_EQ(rows->field(QStringLiteral("name")), Variant(name));
        EXPECT_EQ(rows->field(QStringLiteral("flag")), Variant("0"));
    }
    // The added row can be changed again before anything is read.
    rows->setField(QStringLiteral("visits"), Variant(2));
    rows->update();
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name || visits) from customer where id > 1")),
              QStringLiteral("a1,b2"));
    // The first look at the other rows reads them, and meets the row that cannot be read.
    EXPECT_THROW(rows->recordCount(), Error);
}

TEST_F(RecordsetAddOnly, RowsReadAfterAddingAreTheTablesRowsThenTheAddedOnes)
{
    auto connection = connect();
    auto other = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a'), ('b')"));
    auto rows = query(*connection, QStringLiteral("select * from customer"));
    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant("c"));
    rows->update();
    other->execute(QStringLiteral("insert into customer (name) values ('later')"));   // after it opened: not a row of it
    EXPECT_EQ(rows->absolutePosition(), 2);
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("c"));
    EXPECT_EQ(rows->recordCount(), 3);
    QStringList names;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) names << rows->field(QStringLiteral("name")).toText();
    EXPECT_EQ(names, QStringList({"a", "b", "c"}));
    EXPECT_TRUE(rows->eof());
    rows->movePrevious();
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("c"));
}

TEST_F(RecordsetAddOnly, FilteredRecordsetKeepsEachAddedRowOnce)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a'), ('b')"));
    auto rows = query(*connection, QStringLiteral("select * from customer where name = 'a'"));
    for (const char* name : {"z", "a"}) {
        rows->addNew();
        rows->setField(QStringLiteral("name"), Variant(name));
        rows->update();
    }
    EXPECT_EQ(rows->recordCount(), 3);
    QStringList names;
    for (rows->moveFirst(); !rows->eof(); rows->moveNext()) names << rows->field(QStringLiteral("name")).toText();
    EXPECT_EQ(names, QStringList({"a", "z", "a"}));
}

TEST_F(RecordsetAddOnly, CancelledOrFailedAddLeavesTheRecordsetAtItsStart)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (id, name) values (7, 'a')"));
    auto rows = query(*connection, QStringLiteral("customer"));
    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant("never"));
    rows->cancelUpdate();
    rows->addNew();
    rows->setField(QStringLiteral("id"), Variant(7));   // the key is taken
    EXPECT_THROW(rows->update(), Error);
    EXPECT_FALSE(rows->editPending());
    EXPECT_FALSE(rows->eof());
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("a"));
    EXPECT_EQ(rows->recordCount(), 1);

    auto empty = query(*connection, QStringLiteral("select * from customer where id = 0"));
    EXPECT_THROW(empty->setField(QStringLiteral("name"), Variant("x")), Error);   // no current row
    empty->addNew();
    empty->cancelUpdate();
    EXPECT_TRUE(empty->eof());
    EXPECT_TRUE(empty->bof());
    EXPECT_EQ(empty->absolutePosition(), -1);
}

using Walk = TestDatabase;

TEST_F(Walk, GivesEachRowTypedAsARecordsetDoes)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits, balance, created) values "
                                       "('a', 1, 12.5, '2026-03-01 08:05:00'), ('b', null, 3, null)"));
    const QString sql = QStringLiteral("select name, visits, balance, created, visits + 1 as more from customer order by id");
    auto rows = query(*connection, sql, LockType::ReadOnly);
    db::RowWalk walk(*connection, sql);
    EXPECT_EQ(walk.fieldCount(), 5);
    EXPECT_THROW(walk.field(0), Error);   // before the first row
    int count = 0;
    while (walk.next()) {
        for (int column = 0; column < 5; ++column) EXPECT_EQ(walk.field(column), rows->field(column)) << column;
        EXPECT_THROW(walk.field(5), Error);
        rows->moveNext();
        ++count;
    }
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(walk.next());
    EXPECT_THROW(walk.field(0), Error);
    EXPECT_THROW(walk.text(0), Error);

    // The stored text as bytes, "" for Null.
    db::RowWalk texts(*connection, QStringLiteral("select name, created from customer order by id"));
    ASSERT_TRUE(texts.next());
    EXPECT_EQ(texts.text(0), QByteArrayView("a"));
    EXPECT_EQ(texts.text(1), QByteArrayView("2026-03-01 08:05:00"));
    EXPECT_THROW(texts.text(2), Error);
    ASSERT_TRUE(texts.next());
    EXPECT_TRUE(texts.text(1).isEmpty());
    EXPECT_THROW(db::RowWalk(*connection, QStringLiteral("select * from nowhere")), Error);

    // Stored keys: equal exactly for equal stored values, whatever the values compare equal as;
    // taking one changes nothing field() reads.
    db::RowWalk cells(*connection, QStringLiteral("select 1, 1.0, '1', x'31', null, '', 1, 2.5, '2026-03-01 08:05:00'"));
    ASSERT_TRUE(cells.next());
    std::vector<QByteArray> keys;
    for (int column = 0; column < cells.fieldCount(); ++column) {
        const Variant before = cells.field(column);
        keys.push_back(cells.storedKey(column).toByteArray());
        EXPECT_EQ(cells.field(column), before) << column;
        EXPECT_EQ(cells.isStoredText(column), column == 2 || column == 5 || column == 8) << column;
    }
    for (std::size_t a = 0; a < keys.size(); ++a)
        for (std::size_t b = 0; b < keys.size(); ++b)
            EXPECT_EQ(keys[a] == keys[b], a == b || (a == 0 && b == 6) || (a == 6 && b == 0)) << a << " " << b;
    EXPECT_THROW(cells.storedKey(9), Error);
}

using RecordsetLife = TestDatabase;

TEST_F(RecordsetLife, ClientSnapshotSurvivesWritesAndBlocksNoWriter)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a'), ('b'), ('c')"));
    auto snapshot = query(*connection, QStringLiteral("select * from customer order by id"), LockType::ReadOnly);
    auto writer = connect();
    EXPECT_EQ(writer->execute(QStringLiteral("delete from customer")), 3);   // no read lock stands in the way
    writer->execute(QStringLiteral("insert into customer (name) values ('z')"));
    EXPECT_EQ(snapshot->recordCount(), 3);
    snapshot->moveLast();
    EXPECT_EQ(snapshot->field(QStringLiteral("name")), Variant("c"));
}

TEST_F(RecordsetLife, RecordsetOutlivesItsConnectionObject)
{
    std::unique_ptr<Recordset> rows;
    {
        auto connection = connect();
        connection->execute(QStringLiteral("insert into customer (name) values ('a')"));
        rows = query(*connection, QStringLiteral("select * from customer"));
    }
    EXPECT_EQ(rows->field(QStringLiteral("name")), Variant("a"));
    rows->setField(QStringLiteral("name"), Variant("b"));
    rows->update();
    rows->addNew();
    rows->setField(QStringLiteral("name"), Variant("c"));
    rows->update();
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name) from customer")), QStringLiteral("b,c"));
}

TEST_F(RecordsetLife, UncommittedTransactionEndsWithItsConnection)
{
    auto rows = std::unique_ptr<Recordset>();
    {
        auto connection = connect();
        connection->beginTrans();
        rows = query(*connection, QStringLiteral("customer"));
        rows->addNew();
        rows->setField(QStringLiteral("name"), Variant("a"));
        rows->update();
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from customer")), QStringLiteral("0"));
    auto writer = connect();
    EXPECT_EQ(writer->execute(QStringLiteral("insert into customer (name) values ('b')")), 1);
}

using RecordsetNavigation = TestDatabase;

TEST_F(RecordsetNavigation, EmptyResultIsAtBothEnds)
{
    auto connection = connect();
    auto rows = query(*connection, QStringLiteral("select * from customer"));
    EXPECT_TRUE(rows->eof());
    EXPECT_TRUE(rows->bof());
    EXPECT_EQ(rows->recordCount(), 0);
    EXPECT_EQ(rows->absolutePosition(), -1);
    EXPECT_THROW(rows->field(QStringLiteral("name")), Error);
    EXPECT_THROW(rows->moveNext(), Error);
}

TEST_F(RecordsetNavigation, MovesAndFieldsByNameOrPosition)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a'), ('b'), ('c')"));
    auto rows = query(*connection, QStringLiteral("select id, name as Label from customer order by id"));
    EXPECT_EQ(rows->fieldCount(), 2);
    EXPECT_EQ(rows->fieldName(1), QStringLiteral("Label"));
    EXPECT_EQ(rows->fieldIndex(QStringLiteral("LABEL")), 1);
    EXPECT_EQ(rows->fieldIndex(QStringLiteral("missing")), -1);
    EXPECT_THROW(rows->field(QStringLiteral("missing")), Error);
    QStringList seen;
    for (; !rows->eof(); rows->moveNext()) seen << (*rows)[QStringLiteral("label")].toText();
    EXPECT_EQ(seen, QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(rows->absolutePosition(), -1);
    rows->movePrevious();
    EXPECT_EQ(rows->field(1), Variant("c"));
    rows->moveFirst();
    rows->movePrevious();
    EXPECT_TRUE(rows->bof());
    EXPECT_THROW(rows->movePrevious(), Error);
    rows->setAbsolutePosition(1);
    EXPECT_EQ(rows->field(1), Variant("b"));
    EXPECT_THROW(rows->setAbsolutePosition(3), Error);
}

TEST_F(RecordsetNavigation, DeleteThenMoveNextVisitsEveryRow)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name) values ('a'), ('b'), ('c'), ('d')"));
    auto rows = query(*connection, QStringLiteral("select * from customer where name <> 'c'"));
    while (!rows->eof()) {
        rows->deleteRow();
        EXPECT_THROW(rows->field(QStringLiteral("name")), Error);   // the deleted row is gone
        rows->moveNext();
    }
    EXPECT_EQ(rows->recordCount(), 0);
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(name) from customer")), QStringLiteral("c"));
}

using TypedReads = TestDatabase;

TEST_F(TypedReads, DeclaredTypesAndStorageClassesGiveTheValueTypes)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, visits, score, balance, created) "
                                       "values ('a', 3, 2.5, 12, #2024-3-1 8:05#)"));
    auto rows = query(*connection,
                      QStringLiteral("select name, visits, score, balance, created, count(*) over () as n, "
                                     "1.5 as d, 'x' as t, null as z from customer"),
                      LockType::ReadOnly);
    const std::pair<const char*, Variant::Type> types[] = {
        {"name", Variant::Type::Text}, {"visits", Variant::Type::Long},  {"score", Variant::Type::Double},
        {"balance", Variant::Type::Currency}, {"created", Variant::Type::Date}, {"n", Variant::Type::Long},
        {"d", Variant::Type::Double},  {"t", Variant::Type::Text},      {"z", Variant::Type::Null},
    };
    for (const auto& [field, type] : types) EXPECT_EQ(rows->field(QString::fromUtf8(field)).type(), type) << field;
    EXPECT_EQ(rows->field(QStringLiteral("balance")).toText(), QStringLiteral("12"));
    EXPECT_EQ(rows->field(QStringLiteral("created")).toText(), QStringLiteral("2024-3-1 8:05:00"));
}

// Rows read in bulk keep every cell as stored: NULL apart from empty text,
// non-ASCII text, texts longer than a block and rows spread over many blocks,
// the extreme integers, doubles and currency.
TEST_F(TypedReads, BulkReadKeepsEveryCellAsStored)
{
    constexpr int kRows = 150;
    const QString piece = QStringLiteral("王记商行 Bon app'");
    const auto nameOf = [](int i) { return i % 3 == 0 ? Variant::null() : Variant(i % 3 == 1 ? QString() : QString::number(i)); };
    const auto noteOf = [&](int i) { return piece.repeated(i * 53 % 4000); };   // up to 84 KB each, 6 MB in all
    const auto visitsOf = [](int i) {
        return i % 2 ? std::numeric_limits<std::int64_t>::min() + i : std::numeric_limits<std::int64_t>::max() - i;
    };
    auto connection = connect();
    connection->beginTrans();
    for (int i = 0; i < kRows; ++i) {
        const Variant name = nameOf(i);
        connection->execute(QStringLiteral("insert into customer (name, note, visits, score, balance) values (%1, '%2', %3, %4, %5)")
                                .arg(name.isNull() ? QStringLiteral("null") : QLatin1Char('\'') + name.toText() + QLatin1Char('\''),
                                     QString(noteOf(i)).replace(QLatin1Char('\''), QStringLiteral("''")),
                                     QString::number(visitsOf(i)), QString::number(i + 0.25), QString::number(i * 100 + 7)));
    }
    connection->commitTrans();
    for (const LockType lock : {LockType::ReadOnly, LockType::Optimistic}) {
        auto rows = query(*connection, QStringLiteral("select name, note, visits, score, balance from customer order by id"), lock);
        ASSERT_EQ(rows->recordCount(), kRows);
        for (int i = 0; i < kRows; ++i) {
            EXPECT_EQ(rows->value(i, 0), nameOf(i)) << i;
            EXPECT_EQ(rows->value(i, 0).isNull(), i % 3 == 0) << i;
            EXPECT_EQ(rows->value(i, 1), Variant(noteOf(i))) << i;
            EXPECT_EQ(rows->value(i, 2), Variant(visitsOf(i))) << i;
            EXPECT_EQ(rows->value(i, 3), Variant(i + 0.25)) << i;
            EXPECT_EQ(rows->value(i, 4).type(), Variant::Type::Currency) << i;
            EXPECT_EQ(rows->value(i, 4).toText(), QString::number(i * 100 + 7)) << i;
        }
    }
}

TEST_F(TypedReads, DateLiteralsAndTextComparisonsWork)
{
    auto connection = connect();
    connection->execute(QStringLiteral("insert into customer (name, created) values "
                                       "('Alice', '2024-03-01 08:05:00'), ('bob', '2024-03-02 00:00:00'), ('Carl', '2024-02-29 23:59:59')"));
    const std::pair<const char*, const char*> counts[] = {
        {"select count(*) from customer where created >= #2024-3-1# and created < #2024-3-2#", "1"},
        {"select count(*) from customer where created <= #2024-3-2#", "3"},
        {"select count(*) from customer where name = 'ALICE'", "1"},
        {"select count(*) from customer where name like '%LIC%'", "1"},
        {"select count(*) from customer where Month(created)=3 AND Day(created)=1", "1"},
        {"select top 2 name from customer order by id desc", "Carl"},
    };
    for (const auto& [sql, expected] : counts) EXPECT_EQ(scalar(QString::fromUtf8(sql)), QString::fromUtf8(expected)) << sql;
}

} // namespace
