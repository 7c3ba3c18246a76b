// Writing an import from a source given in memory: the mapping, the owner,
// the contact tied to its own customer, the own-format extras and the counts.
#include "tests/support/scratch.h"
#include "tests/support/sqliteshell.h"

#include "common/database.h"
#include "login/importrecords.h"

#include <map>

namespace {

using mdb::ValueKind;

class FakeSource : public mdb::Source {
public:
    void add(const QString& name, mdb::TableRows rows)
    {
        names_ << name;
        tables_[name] = std::move(rows);
    }
    QStringList tables() const override { return names_; }
    std::vector<mdb::Column> columns(const QString& table) const override { return rows(table).columns; }
    mdb::TableRows rows(const QString& table) const override
    {
        const auto found = tables_.find(table);
        if (found == tables_.end()) throw mdb::Error(mdb::Error::Reason::NoSuchTable, table);
        return found->second;
    }

private:
    QStringList names_;
    std::map<QString, mdb::TableRows> tables_;
};

mdb::TableRows textTable(const QStringList& names, const std::vector<QVariantList>& rows)
{
    mdb::TableRows table;
    for (const QString& name : names) table.columns.push_back({name, ValueKind::Text});
    table.rows = rows;
    return table;
}

const QVariant kNull;

class ImportRecords : public ScratchProgram {
protected:
    // The groups counted are the import's own: the first start's groups are removed.
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("delete from client_type"));
    }
    login::ImportOutcome import(const QString& table, const std::vector<login::FieldMapping>& mapping)
    {
        const auto main = database::openMain();
        return login::importRecords(source, table, mapping, *main);
    }
    // Every contact whose companyid is the customer with that contact name.
    int contactsOfTheirOwnCustomer()
    {
        return count("select count(*) from KH_LXR l inner join company c on c.id = l.companyid "
                     "where l.Connect_name = c.company_connect");
    }

    FakeSource source;
};

const std::vector<login::FieldMapping> kNameContactPhone{
    {"company_name", "名称"}, {"company_connect", "人"}, {"company_tel", "电话"}, {"company_address", "地址"}};

TEST_F(ImportRecords, MappedFieldsMakeCustomersEachWithItsContact)
{
    exec("insert into company (company_name) values ('已有客户')");
    source.add("客户", textTable({"名称", "人", "电话", "地址"},
                                 {{"甲公司", "张三", "010-1", "  北京  "}, {"O'Brien", "李四", kNull, "上海"}}));
    const login::ImportOutcome outcome = import("客户", kNameContactPhone);
    EXPECT_FALSE(outcome.ownFormat);
    EXPECT_EQ(outcome.customers.written, 2);
    EXPECT_EQ(outcome.contacts.written, 2);

    EXPECT_EQ(scalar("select company_address from company where company_name = '甲公司'"), "  北京  ");
    EXPECT_EQ(count("select count(*) from company where company_name = 'O''Brien' and company_tel is null "
                    "and company_fax is null and KH_CZZ = 'system' and KH_GK = '0'"), 1);
    EXPECT_EQ(contactsOfTheirOwnCustomer(), 2);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = '张三' and tel = '010-1' "
                    "and address = '  北京  ' and LXR_CZZ = 'system' and LXR_GK = '0'"), 1);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = '李四' and tel is null"), 1);
}

TEST_F(ImportRecords, AccentedAndQuotedNamesLeaveAFileEveryToolReads)
{
    source.add("客户", textTable({"名称", "人", "电话", "地址"},
                                 {{"Bon app'", "Zoë", "020-1", "Rue d'Italie"},
                                  {"Crème brûlée", "Ångström", "020-2", kNull},
                                  {"王记商行", "王五", "13800000000", "上海"}}));
    EXPECT_EQ(import("客户", kNameContactPhone).customers.written, 3);

    const QString file = path(QStringLiteral("hvcrm/hvcrm.hvd"));
    EXPECT_EQ(integrityCheck(file), QStringLiteral("ok"));
    EXPECT_EQ(sqliteShell(file, QStringLiteral("select count(*) from company where company_name like 'Bon app%'")),
              QStringLiteral("1"));
    EXPECT_EQ(count("select count(*) from company where company_name like '王%'"), 1);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = 'Zoë'"), 1);
}

TEST_F(ImportRecords, RefusedCustomerGetsNoContactAndTheNextKeepsItsOwn)
{
    exec("CREATE TRIGGER refuse BEFORE INSERT ON company WHEN NEW.company_name = '拒绝' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    source.add("客户", textTable({"名称", "人", "电话", "地址"},
                                 {{"甲", "张三", "1", "a"}, {"拒绝", "李四", "2", "b"}, {"丙", "王五", "3", "c"}}));

    const login::ImportOutcome outcome = import("客户", kNameContactPhone);
    EXPECT_EQ(outcome.customers.written, 2);
    EXPECT_EQ(outcome.customers.failed, 1);
    EXPECT_EQ(outcome.contacts.written, 2);
    EXPECT_EQ(count("select count(*) from KH_LXR"), 2);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = '李四'"), 0);
    EXPECT_EQ(contactsOfTheirOwnCustomer(), 2);
    EXPECT_EQ(login::outcomeMessage(outcome),
              "数据已部分导入，请重新启动程序\n客户：导入 2 个，失败 1 个\n联系人：导入 2 个，失败 0 个");
}

// A value its column cannot take leaves the customer without it, and the
// closing message names the record, the box and why; only the first ten are
// listed.
TEST_F(ImportRecords, ValueItsColumnCannotTakeIsLeftOutAndNamed)
{
    std::vector<QVariantList> rows{{QString(101, QChar(u'长')), "张三"}, {"乙", QString(51, QChar(u'人'))}};
    for (int i = 0; i < 10; ++i) rows.push_back({QString(101, QChar(u'长')), "王五"});
    source.add("t", textTable({"名称", "人"}, rows));
    const login::ImportOutcome outcome =
        import("t", {{"company_name", "名称", "客户名称"}, {"company_connect", "人", "联系人"}});
    EXPECT_EQ(outcome.customers.written, 12);
    EXPECT_EQ(count("select count(*) from company where company_name is null and company_connect = '张三'"), 1);
    EXPECT_EQ(count("select count(*) from company where company_name = '乙' and company_connect is null"), 1);
    QStringList lines{"数据已部分导入，请重新启动程序", "客户：导入 12 个，失败 0 个", "联系人：导入 12 个，失败 0 个",
                      "没有导入的值 12 个：", "客户第 1 行：客户名称太长，最多100个字", "客户第 2 行：联系人太长，最多50个字"};
    for (int row = 3; row <= 10; ++row) lines << QStringLiteral("客户第 %1 行：客户名称太长，最多100个字").arg(row);
    EXPECT_EQ(login::outcomeMessage(outcome), (lines << "……另有 2 个没有列出").join('\n'));
}

// A box naming a field the table lacks is refused before anything is written.
TEST_F(ImportRecords, BoxNamingNoFieldOfTheTableWritesNothing)
{
    source.add("客户", textTable({"名称", "人", "电话", "地址"}, {{"甲公司", "张三", "010-1", "北京"}}));
    std::vector<login::FieldMapping> mapping = kNameContactPhone;
    mapping.push_back({"company_fax", "没有这个字段", "传真"});
    EXPECT_EQ(import("客户", mapping).refusal, "“传真”框中的“没有这个字段”不是数据表 客户 的字段，数据没有导入，请改正后再导入");
    EXPECT_EQ(count("select count(*) from company"), 0);
    EXPECT_EQ(count("select count(*) from KH_LXR"), 0);
}

// An own-format customer table: the extra columns come from the fields of the same name.
mdb::TableRows ownCustomers(const QString& typeField)
{
    mdb::TableRows table = textTable({"company_name", typeField, "company_postcode", "company_dute", "company_area"},
                                     {{"甲", "VIP客户", "VIP1001", "KH0001", "1200"}});
    table.columns.push_back({"company_zje", ValueKind::Money});
    table.columns.push_back({"company_Zsl", ValueKind::Number});
    table.rows[0] << 25680.5 << 86.0;
    return table;
}

TEST_F(ImportRecords, OwnFormatOnlyForTheExactFieldName)
{
    for (const QString& typeField : {QStringLiteral("company_client_type"), QStringLiteral("Company_Client_Type")}) {
        exec("delete from company");
        exec("delete from product");
        FakeSource file;
        file.add("company", ownCustomers(typeField));
        file.add("product", textTable({"product"}, {{"纸"}}));
        file.add("client_type", textTable({"client_type"}, {{"VIP客户"}}));
        const auto main = database::openMain();
        // The mapping puts the name into the post code; own format puts the post code back.
        const login::ImportOutcome outcome =
            login::importRecords(file, "company", {{"company_name", "company_name"}, {"company_postcode", "company_name"}}, *main);

        const bool own = typeField == QLatin1String("company_client_type");
        EXPECT_EQ(outcome.ownFormat, own) << typeField.toStdString();
        EXPECT_EQ(scalar("select company_postcode from company"), own ? "VIP1001" : "甲");
        EXPECT_EQ(scalar("select company_client_type from company"), own ? "VIP客户" : "");
        EXPECT_EQ(scalar("select company_dute from company"), own ? "KH0001" : "");
        EXPECT_EQ(scalar("select company_zje from company"), own ? "25680.5" : "");
        EXPECT_EQ(scalar("select company_Zsl from company"), own ? "86" : "");
        EXPECT_EQ(count("select count(*) from product"), own ? 1 : 0);
    }
}

TEST_F(ImportRecords, OwnFormatCopiesProductsAndGroupsAndReportsAMissingTable)
{
    exec("insert into client_type (client_type) values ('VIP客户')");
    source.add("company", ownCustomers("company_client_type"));
    mdb::TableRows products = textTable({"product", "Product_no", "dw", "kps"}, {{"激光打印机", "P001", "台", kNull}});
    products.columns.push_back({"price", ValueKind::Money});
    products.columns.push_back({"KCL", ValueKind::Number});
    products.rows[0] << 1280.0 << 25.0;
    source.add("product", products);

    const login::ImportOutcome outcome = import("company", {});
    EXPECT_EQ(outcome.products.written, 1);
    EXPECT_EQ(count("select count(*) from product where product = '激光打印机' and Product_no = 'P001' "
                    "and dw = '台' and price = 1280 and KCL = 25"), 1);
    EXPECT_EQ(outcome.unreadTables, QStringList{"client_type"});
    EXPECT_EQ(count("select count(*) from client_type"), 1);
    EXPECT_EQ(login::outcomeMessage(outcome),
              "数据已部分导入，请重新启动程序\n客户：导入 1 个，失败 0 个\n联系人：导入 1 个，失败 0 个\n"
              "产品：导入 1 个，失败 0 个\n客户分组：导入 0 个，失败 0 个\n源文件中的数据表 client_type 无法读取");
}

TEST_F(ImportRecords, TableThatCannotBeReadWritesNothing)
{
    EXPECT_THROW(import("没有的表", kNameContactPhone), mdb::Error);
    EXPECT_EQ(count("select count(*) from company"), 0);
}

TEST(ImportOutcomeMessage, HeadlineSaysHowItWent)
{
    login::ImportOutcome allWritten;
    allWritten.customers = {3, 0};
    allWritten.contacts = {3, 0};
    login::ImportOutcome noneWritten;
    noneWritten.customers = {0, 2};
    login::ImportOutcome emptySource;
    const struct {
        login::ImportOutcome outcome;
        const char* message;
    } cases[] = {
        {allWritten, "数据已成功导入，请重新启动程序\n客户：导入 3 个，失败 0 个\n联系人：导入 3 个，失败 0 个"},
        {noneWritten, "数据没有导入\n客户：导入 0 个，失败 2 个\n联系人：导入 0 个，失败 0 个"},
        {emptySource, "数据已成功导入，请重新启动程序\n客户：导入 0 个，失败 0 个\n联系人：导入 0 个，失败 0 个"},
    };
    for (const auto& c : cases) EXPECT_EQ(login::outcomeMessage(c.outcome), QString::fromUtf8(c.message));
}

} // namespace
