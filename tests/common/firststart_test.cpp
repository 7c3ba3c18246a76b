// The first start's databases: every table in its file with its key, the
// delivered rows, existing files left alone, and every table writable through
// a recordset with the values converted to the column's kind.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "platform/db/connection.h"
#include "platform/ui/desktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using Kind = db::Variant::Type;

enum class File { Main, Sms };

class FirstStart : public ScratchProgram {
protected:
    std::unique_ptr<db::Connection> open(File file)
    {
        if (file == File::Main)
            return database::openMain();
        // The outbox is reached as the system reaches it: the main string with the file name replaced.
        QString connectString = Mymode::ConnectString;
        connectString.replace(QStringLiteral("hvcrm.hvd"), QStringLiteral("SMS.mdb"));
        auto connection = std::make_unique<db::Connection>();
        connection->open(connectString);
        return connection;
    }

    bool hasTable(File file, const QString& table)
    {
        auto connection = open(file);
        db::Recordset rows;
        try {
            rows.open(QStringLiteral("select * from ") + table, *connection);
            return true;
        } catch (const db::Error&) {
            return false;
        }
    }
};

struct TableKey {
    File file;
    const char* table;
    const char* key;   // nullptr: the table has no key of its own
};

const TableKey kTables[] = {
    {File::Main, "company", "id"},       {File::Main, "KH_LXR", "id"},        {File::Main, "KH_ACT", "id"},
    {File::Main, "chance", "id"},        {File::Main, "chanceMX", "id"},      {File::Main, "sales", "id"},
    {File::Main, "SalesMX", "id"},       {File::Main, "service", "id"},       {File::Main, "product", "id"},
    {File::Main, "GYS", "GYS_ID"},       {File::Main, "Jhd", nullptr},        {File::Main, "JhMX", nullptr},
    {File::Main, "JSQ", nullptr},        {File::Main, "sys_user", "User_id"}, {File::Main, "DriveInfo", nullptr},
    {File::Main, "Hv_Cidlist", "id"},    {File::Main, "client_type", "id"},   {File::Main, "clientsource", "id"},
    {File::Main, "industry", "id"},      {File::Main, "invoice", "id"},       {File::Main, "programstate", "id"},
    {File::Main, "regarding", "id"},     {File::Main, "servertype", "id"},    {File::Main, "moneytype", "id"},
    {File::Main, "client_status", "id"}, {File::Sms, "sms", nullptr},         {File::Sms, "SMSSET", nullptr},
};

TEST_F(FirstStart, EveryTableIsInItsOwnFileWithItsKey)
{
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("WavFile"))).isDir());
    for (const TableKey& t : kTables) {
        const QString table = QString::fromLatin1(t.table);
        const File other = t.file == File::Main ? File::Sms : File::Main;
        EXPECT_FALSE(hasTable(other, table)) << t.table << " is in the wrong file too";
        auto connection = open(t.file);
        db::Recordset rows;
        rows.open(QStringLiteral("select * from ") + table, *connection);
        if (t.key)
            EXPECT_GE(rows.fieldIndex(QString::fromLatin1(t.key)), 0) << t.table;
    }
}

// The call monitor's day list reads the call log by position.
TEST_F(FirstStart, CallLogColumnsStandInTheirOrder)
{
    auto rows = database::query(QStringLiteral("select * from Hv_Cidlist"));
    const QStringList expected{QStringLiteral("id"), QStringLiteral("DateTime"), QStringLiteral("CallerID"),
                               QStringLiteral("UserNO"), QStringLiteral("CidName"), QStringLiteral("Contant"),
                               QStringLiteral("WavFile"), QStringLiteral("CIDarea")};
    ASSERT_EQ(rows->fieldCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(rows->fieldName(i), expected[i]);
}

TEST_F(FirstStart, SettingsRowHasItsStartValues)
{
    EXPECT_EQ(count(QStringLiteral("select count(*) from DriveInfo")), 1);
    auto row = database::query(QStringLiteral("select * from DriveInfo"));
    const std::pair<const char*, const char*> expected[] = {
        {"WorkModel", "3"}, {"WorkPath", ""}, {"DelRecDay", "30"}, {"OutLine", ""}, {"FlterChar", ""},
        {"RecordFlag", "0"}, {"isPop", "1"}, {"Sys_alert", "0"}, {"alertpl", "1"}, {"StarSMS", "0"},
        {"KH_name", ""}, {"KH_add", ""}, {"KH_tel", ""}, {"des1", ""}, {"des2", ""}};
    for (const auto& [column, value] : expected)
        EXPECT_EQ(row->field(QString::fromLatin1(column)).toText(), QString::fromLatin1(value)) << column;
    // The login converts the recording age to a whole number of days.
    EXPECT_EQ(row->field(QStringLiteral("DelRecDay")).toLong(), 30);
}

TEST_F(FirstStart, SystemOperatorHasAnEmptyPasswordAndEveryRight)
{
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user")), 1);
    auto row = database::query(QStringLiteral("select * from sys_user where user_name='system'"));
    ASSERT_FALSE(row->eof());
    // An empty text, not Null: a Null password would admit any typed password.
    EXPECT_FALSE(row->field(QStringLiteral("user_pwd")).isNull());
    EXPECT_EQ(row->field(QStringLiteral("user_pwd")).toText(), QString());
    for (const char* column : {"permission", "Uright", "e_cust", "e_conn", "e_acti", "e_chan", "e_sals", "e_serv",
                               "d_cust", "d_conn", "d_acti", "d_chan", "d_sals", "d_serv", "b_rept", "b_work"})
        EXPECT_EQ(row->field(QString::fromLatin1(column)).toText(), QStringLiteral("1")) << column;
}

TEST_F(FirstStart, CounterStatusesAndGatewayAccountStartReady)
{
    auto counter = database::query(QStringLiteral("select * from JSQ"));
    ASSERT_FALSE(counter->eof());
    EXPECT_EQ(counter->field(QStringLiteral("LSH")).toLong(), 0);
    EXPECT_EQ(counter->field(QStringLiteral("Today")).toText(), QString());
    EXPECT_EQ(counter->field(QStringLiteral("PrintOpt")).toText(), QString());
    EXPECT_EQ(count(QStringLiteral("select count(*) from JSQ")), 1);

    EXPECT_EQ(count(QStringLiteral("select count(*) from client_status")), 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) from client_status where client_status='成交客户'")), 1);

    auto connection = open(File::Sms);
    db::Recordset account;
    account.open(QStringLiteral("select * from SMSSET"), *connection);
    ASSERT_FALSE(account.eof());
    EXPECT_EQ(account.field(QStringLiteral("RegNO")).toText(), QString());
    EXPECT_EQ(account.recordCount(), 1);
    db::Recordset outbox;
    outbox.open(QStringLiteral("select * from sms"), *connection);
    EXPECT_TRUE(outbox.eof());
}

// Every list a window requires a value from offers a few common entries on
// the first day, in the order the windows show them.
TEST_F(FirstStart, ReferenceListsStartWithCommonEntries)
{
    const std::pair<const char*, QStringList> firsts[] = {
        {"servertype", {QStringLiteral("咨询"), QStringLiteral("售后维修"), QStringLiteral("投诉"), QStringLiteral("退换货")}},
        {"regarding", {QStringLiteral("电话联系"), QStringLiteral("上门拜访"), QStringLiteral("发送资料"), QStringLiteral("会议")}},
        {"programstate", {QStringLiteral("初步接触"), QStringLiteral("需求确认"), QStringLiteral("方案报价"),
                          QStringLiteral("商务谈判"), QStringLiteral("成交")}},
        {"invoice", {QStringLiteral("普通发票"), QStringLiteral("增值税专用发票")}},
        {"moneytype", {QStringLiteral("人民币"), QStringLiteral("美元"), QStringLiteral("港币"), QStringLiteral("台币"),
                       QStringLiteral("欧元")}},
        {"client_type", {QStringLiteral("普通客户"), QStringLiteral("重要客户"), QStringLiteral("批发客户")}},
        {"clientsource", {QStringLiteral("电话咨询"), QStringLiteral("朋友介绍"), QStringLiteral("网络"), QStringLiteral("广告")}},
        {"industry", {QStringLiteral("个人"), QStringLiteral("商业零售"), QStringLiteral("制造业"), QStringLiteral("服务业")}},
    };
    for (const auto& [list, entries] : firsts) {
        const QString table = QString::fromLatin1(list);
        QStringList stored;
        auto rows = database::query(QStringLiteral("select * from ") + table);
        for (; !rows->eof(); rows->moveNext()) {
            EXPECT_GT(rows->field(QStringLiteral("id")).toLong(), 0) << list;
            stored << rows->field(table).toText();
        }
        EXPECT_EQ(stored, entries) << list;
    }
    // A customer group's notice number is left for the operator to set.
    EXPECT_EQ(count(QStringLiteral("select count(*) from client_type where py_code is not null")), 0);
}

// A database of an earlier start keeps its lists as they are: emptied, they stay empty.
TEST_F(FirstStart, AnExistingDatabaseGetsNoEntries)
{
    exec(QStringLiteral("delete from servertype"));
    exec(QStringLiteral("update regarding set regarding='上门' where regarding='上门拜访'"));
    firststart::ensureDatabases();
    EXPECT_EQ(count(QStringLiteral("select count(*) from servertype")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from regarding")), 4);
    EXPECT_EQ(count(QStringLiteral("select count(*) from regarding where regarding='上门拜访'")), 0);
}

TEST_F(FirstStart, ExistingDatabasesAreLeftAlone)
{
    exec(QStringLiteral("update DriveInfo set WorkModel='1', WorkPath='\\\\hvserver\\hvcrm$'"));
    exec(QStringLiteral("delete from sys_user"));
    QFile::remove(path(QStringLiteral("hvcrm/SMS.mdb")));

    firststart::ensureDatabases();

    EXPECT_EQ(scalar(QStringLiteral("select WorkModel from DriveInfo")), QStringLiteral("1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from DriveInfo")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user")), 0) << "no operator was added again";
    // The missing SMS database alone was made anew.
    EXPECT_TRUE(hasTable(File::Sms, QStringLiteral("SMSSET")));
}

TEST_F(FirstStart, DataFileWithoutTablesIsMadeAfreshAndOtherFilesAreKept)
{
    // An interrupted first start left a zero-byte main file.
    QFile::resize(path(QStringLiteral("hvcrm/hvcrm.hvd")), 0);
    // The outbox is some other file than a database: it is never touched.
    QFile sms(path(QStringLiteral("hvcrm/SMS.mdb")));
    ASSERT_TRUE(sms.open(QIODevice::WriteOnly | QIODevice::Truncate));
    sms.write("not a database at all");
    sms.close();

    firststart::ensureDatabases();

    EXPECT_EQ(count(QStringLiteral("select count(*) from sys_user where user_name='system'")), 1);
    EXPECT_TRUE(hasTable(File::Main, QStringLiteral("company")));
    EXPECT_EQ(QFileInfo(path(QStringLiteral("hvcrm/SMS.mdb"))).size(), 21);
}

TEST_F(FirstStart, AFolderThatCannotHoldTheDatabasesIsSkippedQuietly)
{
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    QFile blocker(other.filePath(QStringLiteral("hvcrm")));   // a file where the data folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    ui::setProgramFolderForTests(other.path());

    EXPECT_NO_THROW(firststart::ensureDatabases());
    EXPECT_TRUE(QFileInfo(other.filePath(QStringLiteral("hvcrm"))).isFile());
    EXPECT_EQ(QFileInfo(other.filePath(QStringLiteral("hvcrm"))).size(), 12);

    ui::setProgramFolderForTests(dir.path());
}

// One typed value per column kind, as a window hands a box's text to the
// layer, and what the column gives back.
struct Cell {
    const char* column;
    db::Variant written;
    Kind kind;
    const char* readBack;
};

struct Insert {
    File file;
    const char* table;
    const char* key;
    std::vector<Cell> cells;
};

std::vector<Insert> inserts()
{
    const QString indexflag = QStringLiteral("2024319153012345");
    return {
        {File::Main, "company", "id",
         {{"company_name", "O'Brien贸易", Kind::Text, "O'Brien贸易"},
          {"company_createtime", "2024-3-1", Kind::Date, "2024-3-1"},
          {"company_YJ", "500.5", Kind::Currency, "500.5"},
          {"company_Zsl", "3", Kind::Double, "3"},
          {"company_description", "长期合作客户\r\n每月初订货", Kind::Text, "长期合作客户\r\n每月初订货"},
          {"KH_GK", "1", Kind::Text, "1"}}},
        {File::Main, "KH_LXR", "id",
         {{"companyid", "7", Kind::Long, "7"},
          {"birthday", "1985-7-12", Kind::Date, "1985-7-12"},
          {"alert", "1", Kind::Text, "1"}}},
        {File::Main, "KH_ACT", "id",
         {{"companyid", "7", Kind::Long, "7"},
          {"BeginTime", "2024-3-1 9:30:00", Kind::Date, "2024-3-1 9:30:00"},
          {"endtime", "2024-3-2", Kind::Date, "2024-3-2"},
          {"public", "0", Kind::Text, "0"}}},
        {File::Main, "chance", "id",
         {{"totalmoney", "1234.56", Kind::Currency, "1234.56"},
          {"salesdate", "2024-4-1", Kind::Date, "2024-4-1"},
          {"chance_percent", "50%", Kind::Text, "50%"}}},
        {File::Main, "chanceMX", "id",
         {{"price", "12.5", Kind::Currency, "12.5"}, {"zk", "90", Kind::Double, "90"},
          {"num", "2", Kind::Double, "2"}, {"unitprice", "22.5", Kind::Currency, "22.5"},
          {"indexflag", indexflag, Kind::Text, "2024319153012345"}}},
        {File::Main, "sales", "id",
         {{"totlemoney", "100", Kind::Currency, "100"}, {"ckflag", 1, Kind::Long, "1"},
          {"TotalNum", "4", Kind::Double, "4"},
          {"invoicetype", "增值税专用发票", Kind::Text, "增值税专用发票"},
          {"salesdate", "2024-3-1 10:05:00", Kind::Date, "2024-3-1 10:05:00"}}},
        {File::Main, "SalesMX", "id",
         {{"productname", "激光打印机", Kind::Text, "激光打印机"}, {"price", "1280", Kind::Currency, "1280"},
          {"num", "1.5", Kind::Double, "1.5"}, {"unitprice", "1920", Kind::Currency, "1920"}}},
        {File::Main, "service", "id",
         {{"service_Begintime", "2024-3-1", Kind::Date, "2024-3-1"},
          {"service_end", "已完成", Kind::Text, "已完成"}}},
        {File::Main, "product", "id",
         {{"price", "22.5", Kind::Currency, "22.5"}, {"KCL", "400", Kind::Double, "400"},
          {"InPrice", "16.8", Kind::Currency, "16.8"}}},
        {File::Main, "GYS", "GYS_ID",
         {{"GYS_MC", "华信供应", Kind::Text, "华信供应"}, {"GYS_WFJE", "100", Kind::Currency, "100"},
          {"GYS_ZSL", "3", Kind::Double, "3"}}},
        {File::Main, "Jhd", nullptr,
         {{"JHD_DATE", "2024-3-5", Kind::Text, "2024-3-5"}, {"JHD_JE", "10", Kind::Currency, "10"}}},
        {File::Main, "JhMX", nullptr,
         {{"GYS_ID", "华信供应", Kind::Text, "华信供应"}, {"JH_DATE", "2024-3-5", Kind::Date, "2024-3-5"},
          {"Hpnum", "1", Kind::Double, "1"}}},
        {File::Main, "sys_user", "User_id", {{"user_name", "张三", Kind::Text, "张三"}, {"Uright", "2", Kind::Text, "2"}}},
        {File::Main, "Hv_Cidlist", "id",
         {{"DateTime", "2024-3-1 8:05:00", Kind::Date, "2024-3-1 8:05:00"},
          {"CallerID", "01062345678", Kind::Text, "01062345678"}}},
        {File::Main, "client_type", "id",
         {{"client_type", "VIP客户", Kind::Text, "VIP客户"}, {"py_code", "13800138000", Kind::Text, "13800138000"}}},
        {File::Main, "clientsource", "id", {{"clientsource", "电话营销", Kind::Text, "电话营销"}}},
        {File::Main, "industry", "id", {{"industry", "信息技术", Kind::Text, "信息技术"}}},
        {File::Main, "invoice", "id", {{"invoice", "普通发票", Kind::Text, "普通发票"}}},
        {File::Main, "programstate", "id", {{"programstate", "初步接触", Kind::Text, "初步接触"}}},
        {File::Main, "regarding", "id", {{"regarding", "电话回访", Kind::Text, "电话回访"}}},
        {File::Main, "servertype", "id", {{"servertype", "上门维修", Kind::Text, "上门维修"}}},
        {File::Main, "moneytype", "id", {{"moneytype", "人民币", Kind::Text, "人民币"}}},
        {File::Main, "client_status", "id", {{"client_status", "重点客户", Kind::Text, "重点客户"}}},
        {File::Sms, "sms", nullptr,
         {{"MobilNO", "13801012345;13912345678;", Kind::Text, "13801012345;13912345678;"},
          {"SendTime", "20240301093000", Kind::Text, "20240301093000"},
          {"LmtSend", "0", Kind::Text, "0"}}},
    };
}

TEST_F(FirstStart, EveryTableTakesARowThroughARecordset)
{
    for (const Insert& insert : inserts()) {
        SCOPED_TRACE(insert.table);
        const QString table = QString::fromLatin1(insert.table);
        const QString key = QString::fromLatin1(insert.key);
        auto connection = open(insert.file);
        QString storedRow = QStringLiteral("select * from ") + table;   // a keyless table holds this one row
        {
            db::Recordset rows;
            rows.open(QStringLiteral("select * from ") + table, *connection, db::CursorType::Static,
                      db::LockType::Optimistic);
            rows.addNew();
            for (const Cell& cell : insert.cells)
                rows.setField(QString::fromUtf8(cell.column), cell.written);
            rows.update();
            if (insert.key) {
                ASSERT_EQ(int(rows.field(key).type()), int(Kind::Long));
                const std::int64_t id = rows.field(key).toLong();
                EXPECT_GT(id, 0);
                storedRow += QStringLiteral(" where %1=%2").arg(key).arg(id);
            }
        }
        db::Recordset stored;
        stored.open(storedRow, *connection);
        ASSERT_FALSE(stored.eof());
        for (const Cell& cell : insert.cells) {
            const db::Variant value = stored.field(QString::fromUtf8(cell.column));
            EXPECT_EQ(int(value.type()), int(cell.kind)) << cell.column << " (kinds numbered as in db::Variant::Type)";
            EXPECT_EQ(value.toText(), QString::fromUtf8(cell.readBack)) << cell.column;
        }
    }
}

TEST_F(FirstStart, OneRowTablesAreEditedInPlace)
{
    auto main = open(File::Main);
    {
        // The caller-ID settings write the switches as numbers; the readers compare with the text "1".
        db::Recordset settings;
        settings.open(QStringLiteral("select * from DriveInfo"), *main, db::CursorType::Static, db::LockType::Optimistic);
        settings.setField(QStringLiteral("RecordFlag"), 1);
        settings.setField(QStringLiteral("DelRecDay"), QString());
        settings.update();
    }
    EXPECT_EQ(scalar(QStringLiteral("select RecordFlag from DriveInfo")), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select DelRecDay from DriveInfo")), QString());
    {
        db::Recordset counter;
        counter.open(QStringLiteral("select * from JSQ"), *main, db::CursorType::Static, db::LockType::Optimistic);
        counter.setField(QStringLiteral("Today"), QStringLiteral("2024-3-1"));
        counter.setField(QStringLiteral("LSH"), counter.field(QStringLiteral("LSH")).toLong() + 1);
        counter.update();
    }
    auto counter = database::query(QStringLiteral("select * from JSQ"));
    EXPECT_EQ(int(counter->field(QStringLiteral("LSH")).type()), int(Kind::Long));
    EXPECT_EQ(counter->field(QStringLiteral("LSH")).toLong(), 1);
    EXPECT_EQ(counter->field(QStringLiteral("Today")).toText(), QStringLiteral("2024-3-1"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from JSQ")), 1);

    auto sms = open(File::Sms);
    db::Recordset account;
    account.open(QStringLiteral("select * from SMSSET"), *sms, db::CursorType::Static, db::LockType::Optimistic);
    account.setField(QStringLiteral("RegNO"), QStringLiteral("hv8001"));
    account.update();
    db::Recordset stored;
    stored.open(QStringLiteral("select * from SMSSET"), *sms);
    EXPECT_EQ(stored.field(QStringLiteral("RegNO")).toText(), QStringLiteral("hv8001"));
}

} // namespace
