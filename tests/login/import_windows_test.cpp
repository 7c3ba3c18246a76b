// The import driven as an operator does: the source chooser, the mapping
// window with the real Access test files, and what ends up in the database.
#include "tests/support/busyfile.h"
#include "tests/support/fixtures.h"
#include "tests/support/scratch.h"
#include "tests/support/sqliteshell.h"

#include "platform/ui/filedialog.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <optional>

namespace {

QString fixture(const QString& name)
{
    return importFixture(name);
}

const QString kSuccess = QStringLiteral("数据已成功导入，请重新启动程序");

class ImportWindows : public ScratchProgram {
protected:
    // The groups counted are the import's own: the first start's groups are removed.
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("delete from client_type"));
    }
    void TearDown() override
    {
        ui::setOpenFileChooser({});
        ScratchProgram::TearDown();
    }

    ui::Form* chooser() { return ui::Windows::loaded("inpordat"); }
    ui::Form* mapping() { return ui::Windows::loaded("inpordatnex"); }

    ui::TextBox* box(ui::Form* form, const QString& name) { return form->control<ui::TextBox>(name); }
    ui::ComboBox* combo(const QString& name) { return mapping()->control<ui::ComboBox>(name); }
    void click(ui::Form* form, const QString& name) { form->control<ui::PictureButton>(name)->click(); }

    // Types the path into the chooser and goes on to the mapping window.
    void choose(const QString& path)
    {
        ui::Form* form = ui::Windows::open("inpordat");
        box(form, "text1")->setText(path);
        click(form, "command2");
    }

    void pickTable(const QString& table)
    {
        ASSERT_TRUE(mapping());
        const int index = combo("Combo2")->findText(table);
        ASSERT_GE(index, 0) << table.toStdString();
        combo("Combo2")->pick(index);
    }

    // Focuses a mapping box and picks the field from the list laid over it.
    void mapField(const QString& boxName, const QString& field)
    {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(box(mapping(), boxName), &focusIn);
        const int index = combo("Combo1")->findText(field);
        ASSERT_GE(index, 0) << field.toStdString();
        combo("Combo1")->pick(index);
    }

    QStringList tableList()
    {
        QStringList tables;
        for (int i = 0; i < combo("Combo2")->listCount(); ++i) tables << combo("Combo2")->list(i);
        return tables;
    }
};

TEST_F(ImportWindows, ChooserTakesOnlyPathsEndingInLowerCaseMdb)
{
    for (const QString& path : {QString(), fixture("own-format.mdb").chopped(3) + "MDB", QStringLiteral("/tmp/客户.xls")}) {
        choose(path);
        EXPECT_EQ(messages.lastText(), "您选择的是非Access数据库文件!") << path.toStdString();
        EXPECT_FALSE(mapping());
        EXPECT_TRUE(chooser()->isVisible());
    }
    messages.clear();
    choose(fixture("own-format.mdb") + "  ");
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_TRUE(mapping());
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_EQ(tableList(), QStringList({"company", "KH_LXR", "product", "client_type"}));
    EXPECT_TRUE(combo("Combo1")->isHidden());
}

TEST_F(ImportWindows, BrowseOffersAccessFilesAndCancelKeepsThePath)
{
    ui::OpenFileRequest asked;
    QString answer = fixture("foreign.mdb");
    ui::setOpenFileChooser([&](const ui::OpenFileRequest& request) {
        asked = request;
        return answer;
    });
    ui::Form* form = ui::Windows::open("inpordat");
    form->control<ui::CommandButton>("Command1")->click();
    EXPECT_EQ(asked.filter, "All Files(*.*)|*.*|Access Files(*.mdb)|*.mdb");
    EXPECT_EQ(asked.preselected, 1);
    EXPECT_EQ(box(form, "text1")->text(), fixture("foreign.mdb"));

    answer.clear();
    form->control<ui::CommandButton>("Command1")->click();
    EXPECT_EQ(box(form, "text1")->text(), fixture("foreign.mdb"));
}

TEST_F(ImportWindows, OwnFormatFileBringsCustomersContactsProductsAndGroups)
{
    choose(fixture("own-format.mdb"));
    pickTable("company");
    mapField("text1", "company_name");
    mapField("text2", "company_address");
    mapField("Text3", "company_connect");
    mapField("Text5", "company_tel");
    mapField("Text6", "company_fax");
    mapField("Text7", "company_mobil");
    box(mapping(), "Text8")->setText("  company_name ");   // typed; own format puts the post code back
    mapField("Text10", "company_description");
    click(mapping(), "command1");

    EXPECT_EQ(messages.lastText(), kSuccess + "\n客户：导入 5 个，失败 0 个\n联系人：导入 5 个，失败 0 个\n"
                                              "产品：导入 4 个，失败 0 个\n客户分组：导入 3 个，失败 0 个");
    EXPECT_FALSE(mapping());
    ASSERT_TRUE(chooser());
    EXPECT_FALSE(chooser()->isVisible());

    EXPECT_EQ(count("select count(*) from company where KH_CZZ = 'system' and KH_GK = '0'"), 5);
    EXPECT_EQ(count("select count(*) from company where company_name = 'O''Brien贸易' and company_postcode = 'VIP1003' "
                    "and company_client_type = '批发客户' and company_http = 'www.obrien-trade.com'"), 1);
    EXPECT_EQ(scalar("select company_address from company where company_connect = '刘洋'"),
              QStringLiteral("  四川省成都市锦江区春熙路8号  "));
    EXPECT_EQ(scalar("select company_description from company where company_connect = '张伟'"),
              QStringLiteral("长期合作客户，每月初订货。\r\n需开增值税专用发票。"));
    EXPECT_EQ(scalar("select company_zje from company where company_connect = '张伟'"), "25680.5");
    // Every contact belongs to its own customer; the Null telephone stays Null.
    EXPECT_EQ(count("select count(*) from KH_LXR l inner join company c on c.id = l.companyid "
                    "where l.Connect_name = c.company_connect and l.mobil = c.company_mobil "
                    "and l.LXR_CZZ = 'system' and l.LXR_GK = '0'"), 5);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = '陈静' and tel is null"), 1);
    // The file stays sound for every SQLite tool.
    EXPECT_EQ(integrityCheck(path(QStringLiteral("hvcrm/hvcrm.hvd"))), QStringLiteral("ok"));

    EXPECT_EQ(count("select count(*) from product"), 4);
    EXPECT_EQ(count("select count(*) from product where product = '无线鼠标' and Product_no = 'P004' "
                    "and description = '罗技 M185' and price = 79.9 and InPrice = 55 and dw = '只' and KCL = 0"), 1);
    EXPECT_EQ(count("select count(*) from client_type"), 3);
    EXPECT_EQ(count("select count(*) from client_type where py_code is not null"), 0);
}

TEST_F(ImportWindows, ForeignTableWithChineseNamesIsMappedByHand)
{
    choose(fixture("foreign.mdb"));
    EXPECT_EQ(tableList(), QStringList({QStringLiteral("客户资料"), "Orders"}));
    pickTable("Orders");
    pickTable(QStringLiteral("客户资料"));   // the field list is refilled
    EXPECT_EQ(combo("Combo1")->listCount(), 6);
    mapField("text1", QStringLiteral("客户名称"));
    mapField("text2", QStringLiteral("地址"));
    mapField("Text3", QStringLiteral("联系人"));
    mapField("Text5", QStringLiteral("电话"));
    mapField("Text7", QStringLiteral("手机"));
    mapField("Text10", QStringLiteral("备注"));
    click(mapping(), "command1");

    EXPECT_EQ(messages.lastText(), kSuccess + "\n客户：导入 8 个，失败 0 个\n联系人：导入 8 个，失败 0 个");
    EXPECT_EQ(count("select count(*) from company where KH_CZZ = 'system'"), 8);
    EXPECT_EQ(count("select count(*) from company where company_name = '西安古城文化传播' and company_tel is null "
                    "and company_mobil = '18629000004' and company_description = '无电话号码'"), 1);
    EXPECT_EQ(count("select count(*) from KH_LXR where Connect_name = '郑浩' and mobil is null "
                    "and address = '湖北省武汉市江汉区建设大道500号'"), 1);
    EXPECT_EQ(count("select count(*) from product"), 0);
    EXPECT_EQ(count("select count(*) from client_type"), 0);
}

TEST_F(ImportWindows, FieldListStandsOverTheFocusedBox)
{
    choose(fixture("foreign.mdb"));
    pickTable(QStringLiteral("客户资料"));
    ui::ComboBox* fields = combo("Combo1");
    for (const QString& name : {QStringLiteral("text1"), QStringLiteral("Text5"), QStringLiteral("Text10")}) {
        mapField(name, QStringLiteral("电话"));
        ui::TextBox* focused = box(mapping(), name);
        EXPECT_TRUE(fields->isVisible());
        EXPECT_EQ(fields->y(), focused->y());
        EXPECT_EQ(fields->x(), focused->x() + (name == "Text10" ? ui::twipsToPixels(300) : 0));
        EXPECT_EQ(focused->text(), QStringLiteral("电话"));
    }
    EXPECT_EQ(box(mapping(), "text2")->text(), QString());
    // Another table refills the list; the boxes keep their fields.
    pickTable("Orders");
    EXPECT_EQ(fields->listCount(), 5);
    EXPECT_EQ(box(mapping(), "Text5")->text(), QStringLiteral("电话"));
}

TEST_F(ImportWindows, EmptyDatabaseHasNoTableToImport)
{
    choose(fixture("empty.mdb"));
    ASSERT_TRUE(mapping());
    EXPECT_EQ(combo("Combo2")->listCount(), 0);
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), "请先选择数据表");
    EXPECT_TRUE(mapping());
    EXPECT_EQ(count("select count(*) from company"), 0);
}

TEST_F(ImportWindows, SourceThatCannotBeReadIsReportedAndNothingWritten)
{
    QFile good(fixture("own-format.mdb"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    bytes[8247] = char(0xFF);   // crashes the reading library
    QFile damaged(path("damaged.mdb"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();
    QDir(dir.path()).mkdir("folder.mdb");

    const struct {
        QString path;
        QString message;
    } cases[] = {
        {fixture("not-access.mdb"), "您选择的是非Access数据库文件!"},
        {path("missing.mdb"), "找不到数据库文件：" + path("missing.mdb")},
        {path("folder.mdb"), "无法读取数据库文件：" + path("folder.mdb")},
        {path("damaged.mdb"), "数据库文件已损坏，无法读取：" + path("damaged.mdb")},
    };
    for (const auto& c : cases) {
        messages.clear();
        choose(c.path);
        ASSERT_EQ(messages.shown().size(), 1u) << c.path.toStdString();
        EXPECT_EQ(messages.lastText(), c.message);
        // Back at the chooser with the path, ready for another try.
        EXPECT_FALSE(mapping());
        EXPECT_TRUE(chooser()->isVisible());
        EXPECT_EQ(box(chooser(), "text1")->text(), c.path);
    }
    EXPECT_EQ(count("select count(*) from company"), 0);
}

// own-format.mdb with the data page that holds `text` zeroed.
QString zeroedPageCopy(const QString& target, const QString& text)
{
    QFile good(fixture("own-format.mdb"));
    EXPECT_TRUE(good.open(QIODevice::ReadOnly));
    QByteArray bytes = good.readAll();
    const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const qsizetype at = bytes.indexOf(utf16);
    EXPECT_GE(at, 0);
    const qsizetype page = at / 4096 * 4096;
    for (qsizetype i = page; i < page + 4096; ++i) bytes[i] = 0;
    QFile copy(target);
    EXPECT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    return target;
}

TEST_F(ImportWindows, DamagedTableIsReportedAndNothingOfItWritten)
{
    const QString noCustomers = zeroedPageCopy(path("customers.mdb"), QStringLiteral("北京华信"));
    choose(noCustomers);
    pickTable("company");
    mapField("text1", "company_name");
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), "数据库文件已损坏，无法读取：" + noCustomers);
    EXPECT_EQ(count("select count(*) from company"), 0);
    EXPECT_EQ(count("select count(*) from product"), 0);

    messages.clear();
    ui::Windows::unloadAll();
    choose(zeroedPageCopy(path("products.mdb"), QStringLiteral("无线鼠标")));
    pickTable("company");
    mapField("text1", "company_name");
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), "数据已部分导入，请重新启动程序\n客户：导入 5 个，失败 0 个\n联系人：导入 5 个，失败 0 个\n"
                                   "产品：导入 0 个，失败 0 个\n客户分组：导入 3 个，失败 0 个\n源文件中的数据表 product 无法读取");
    EXPECT_EQ(count("select count(*) from product"), 0);
}

TEST_F(ImportWindows, SourceGoneBeforeTheImportWritesNothing)
{
    QFile::copy(fixture("foreign.mdb"), path("copy.mdb"));
    choose(path("copy.mdb"));
    pickTable(QStringLiteral("客户资料"));
    mapField("text1", QStringLiteral("客户名称"));
    QFile::remove(path("copy.mdb"));
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), "找不到数据库文件：" + path("copy.mdb"));
    EXPECT_TRUE(mapping());
    EXPECT_EQ(count("select count(*) from company"), 0);
}

TEST_F(ImportWindows, TypedTableNameTheFileLacksWritesNothing)
{
    choose(fixture("foreign.mdb"));
    combo("Combo2")->setText("Customers");
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), "数据库文件中没有数据表：Customers");
    EXPECT_TRUE(mapping());
    EXPECT_EQ(count("select count(*) from company"), 0);
}

TEST_F(ImportWindows, ImportReadsTheFileItsListsCameFrom)
{
    choose(fixture("foreign.mdb"));
    pickTable(QStringLiteral("客户资料"));
    mapField("text1", QStringLiteral("客户名称"));
    // The chooser opened again from the menu now holds another file.
    box(ui::Windows::open("inpordat"), "text1")->setText(fixture("own-format.mdb"));
    click(mapping(), "command1");
    EXPECT_EQ(count("select count(*) from company"), 8);
    EXPECT_EQ(count("select count(*) from product"), 0);
}

// An import that cannot be made now writes nothing, says why and keeps the
// window with its mapping, so the same import can be tried again.
TEST_F(ImportWindows, AnImportRefusedKeepsTheMappingForAnotherTry)
{
    const QString busy = "数据没有导入。另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次";
    // typedField: into the contact box.
    const struct { const char* typedField; bool held; QString message; } cases[] = {
        {"联系人", true, busy},
        {"联络人", false, "“联系人”框中的“联络人”不是数据表 客户资料 的字段，数据没有导入，请改正后再导入"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typedField);
        messages.clear();
        ui::Windows::unloadAll();
        choose(fixture("foreign.mdb"));
        pickTable(QStringLiteral("客户资料"));
        mapField("text1", QStringLiteral("客户名称"));
        box(mapping(), "Text3")->setText(QString::fromUtf8(c.typedField));
        {
            std::optional<OtherWorkstationWriting> other;
            if (c.held) other.emplace(OtherWorkstationWriting::Hold::Write);
            click(mapping(), "command1");
        }
        EXPECT_EQ(messages.lastText(), c.message);
        ASSERT_TRUE(mapping());
        EXPECT_EQ(box(mapping(), "text1")->text(), QStringLiteral("客户名称"));
        EXPECT_EQ(box(mapping(), "Text3")->text(), QString::fromUtf8(c.typedField));
        EXPECT_EQ(count("select count(*) from company"), 0);
    }
    // Once the file is free and the box mended, the mapping imports every customer once.
    box(mapping(), "Text3")->setText(QStringLiteral("联系人"));
    click(mapping(), "command1");
    EXPECT_EQ(messages.lastText(), kSuccess + "\n客户：导入 8 个，失败 0 个\n联系人：导入 8 个，失败 0 个");
    EXPECT_EQ(count("select count(*) from company"), 8);
}

TEST_F(ImportWindows, BackAndCloseKeepTheChoosersPath)
{
    choose(fixture("foreign.mdb"));
    click(mapping(), "command2");
    EXPECT_FALSE(mapping());
    EXPECT_TRUE(chooser()->isVisible());
    EXPECT_EQ(box(chooser(), "text1")->text(), fixture("foreign.mdb"));

    click(chooser(), "command2");
    click(mapping(), "command3");
    EXPECT_FALSE(mapping());
    EXPECT_FALSE(chooser()->isVisible());
    EXPECT_EQ(box(ui::Windows::open("inpordat"), "text1")->text(), fixture("foreign.mdb"));

    click(chooser(), "command3");
    EXPECT_FALSE(chooser());
}

} // namespace
