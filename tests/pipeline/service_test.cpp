// The new-service and service editing windows: prefill, the seven checks in
// order, the two times (blank stores none, an edit keeps the stored one),
// the finished state apart from the end time, and edits that never
// overwrite what changed elsewhere.
#include "tests/pipeline/pipelinefixture.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace {

const QString kAdded = QStringLiteral("服务反馈已成功加入");
const QString kChanged = QStringLiteral("服务反馈已成功修改");
const QString kStale = QStringLiteral("服务反馈未能保存：该服务记录已在别处被修改或删除，请关闭后重新打开再修改");

class ServiceRecords : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
        setReferenceValues(QStringLiteral("servertype"), {QStringLiteral("维修"), QStringLiteral("投诉")});
        insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("打印机")}});
        insert(QStringLiteral("product"), {{QStringLiteral("product"), QStringLiteral("墨盒")}});
        customer = addCustomer(QStringLiteral("华东贸易"));
    }

    // A new-service window with the card's customer and every required box filled.
    ui::Form* newService()
    {
        Mymode::CurrentRecordId = customer;
        ui::Form* window = open(QStringLiteral("ServiceAdd"));
        type(window, QStringLiteral("service_title"), QStringLiteral("打印机卡纸"));
        type(window, QStringLiteral("service_connect"), QStringLiteral("张三"));
        pick(window, QStringLiteral("service_type"), QStringLiteral("维修"));
        return window;
    }

    int addService(const QMap<QString, QString>& columns)
    {
        QMap<QString, QString> all{{QStringLiteral("companyid"), QString::number(customer)},
                                   {QStringLiteral("service_title"), QStringLiteral("上门维修")},
                                   {QStringLiteral("service_connect"), QStringLiteral("李四")},
                                   {QStringLiteral("service_type"), QStringLiteral("维修")},
                                   {QStringLiteral("service_product"), QStringLiteral("打印机")},
                                   {QStringLiteral("service_Begintime"), QStringLiteral("2026-2-20 9:00:00")},
                                   {QStringLiteral("service_endtime"), QStringLiteral("2026-2-21 17:00:00")},
                                   {QStringLiteral("service_end"), QStringLiteral("已完成")},
                                   {QStringLiteral("field4"), QStringLiteral("第四")},
                                   {QStringLiteral("service_CZZ"), QStringLiteral("老王")}};
        all.insert(columns);
        return insert(QStringLiteral("service"), all);
    }

    QString stored(int id, const char* columnName) { return column(QStringLiteral("service"), id, QString::fromLatin1(columnName)); }

    int customer = 0;
};

TEST_F(ServiceRecords, NewServiceStartsWithTheCardsCustomerAndTheLists)
{
    Mymode::CurrentRecordId = customer;
    ui::Form* window = open(QStringLiteral("ServiceAdd"));
    EXPECT_EQ(window->caption(), QStringLiteral("增加服务反馈"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("service_Begintime")), QStringLiteral("2026-3-1 10:00:00"));
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QString());
    EXPECT_EQ(window->control<ui::ComboBox>(QStringLiteral("service_type"))->listCount(), 2);
    auto* products = window->control<ui::ComboBox>(QStringLiteral("service_product"));
    ASSERT_EQ(products->listCount(), 2);
    EXPECT_EQ(products->list(1), QStringLiteral("墨盒"));
    EXPECT_EQ(products->text(), QString());

    tick(window, QStringLiteral("service_end"), true);
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QStringLiteral("2026-3-1 10:00:00"));
    tick(window, QStringLiteral("service_end"), false);
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QString());
}

TEST_F(ServiceRecords, NewServiceChecksInOrderAndStoresNothing)
{
    const struct {
        const char* box;
        const char* value;
        const char* message;
    } cases[] = {
        {"service_title", " ", "服务概述不能为空"},
        {"CustName", "  ", "客户名不能为空"},
        {"service_connect", " ", "联系人不能为空"},
        {"service_type", "", "服务类型不能为空"},
        {"KH_ID", "", "公司名不存在"},
        {"service_Begintime", "上周", "反馈时间非法"},
        {"service_endtime", "明天", "服务结束时间非法"},
    };
    for (const auto& c : cases) {
        ui::Form* window = newService();
        const QString box = QString::fromLatin1(c.box);
        if (box == QLatin1String("service_type"))
            window->control<ui::ComboBox>(box)->setListIndex(-1);
        else
            type(window, box, QString::fromUtf8(c.value));
        // A bad end time is only reported once the feedback time is right.
        if (box == QLatin1String("service_Begintime")) type(window, QStringLiteral("service_endtime"), QStringLiteral("明天"));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.message));
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ServiceAdd")), window) << c.box;
        ui::Windows::unload(window);
    }
    // A customer deleted since the pick.
    ui::Form* window = newService();
    exec(QStringLiteral("delete from company"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("公司名不存在"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from service")), 0);
}

TEST_F(ServiceRecords, NewServiceIsStoredAndListedInTheMainGrid)
{
    ui::Form* mainWindow = open(QStringLiteral("frmMain"));
    const QString viewKey = mainWindow->control<ui::TextBox>(QStringLiteral("SelectFun"))->text();
    ui::Form* window = newService();
    type(window, QStringLiteral("service_title"), QStringLiteral(" O'Neil 的打印机 "));
    type(window, QStringLiteral("service_Begintime"), QStringLiteral("  "));
    type(window, QStringLiteral("service_endtime"), QStringLiteral(" 2026-3-2 9:30 "));   // finished box left unticked
    type(window, QStringLiteral("field4"), QStringLiteral("丁"));
    type(window, QStringLiteral("description"), QStringLiteral("换了搓纸轮"));
    click(window, QStringLiteral("command1"));

    expectOnly(kAdded);
    EXPECT_FALSE(isOpen(QStringLiteral("ServiceAdd")));
    ASSERT_EQ(count(QStringLiteral("select count(*) from service")), 1);
    const int id = scalar(QStringLiteral("select id from service")).toInt();
    const QMap<QString, QString> expected{
        {QStringLiteral("companyid"), QString::number(customer)},
        {QStringLiteral("service_title"), QStringLiteral(" O'Neil 的打印机 ")},
        {QStringLiteral("service_product"), QString()},
        {QStringLiteral("service_type"), QStringLiteral("维修")},
        {QStringLiteral("service_Begintime"), QString()},
        {QStringLiteral("service_endtime"), QStringLiteral("2026-3-2 9:30:00")},
        {QStringLiteral("service_end"), QStringLiteral("未完成")},
        {QStringLiteral("description"), QStringLiteral("换了搓纸轮")},
        {QStringLiteral("field4"), QStringLiteral("丁")},
        {QStringLiteral("service_gk"), QStringLiteral("0")},
        {QStringLiteral("service_CZZ"), QStringLiteral("system")}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("service"), id, it.key()), it.value()) << it.key().toStdString();

    auto* grid = mainWindow->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->cellText(0, 2), QStringLiteral(" O'Neil 的打印机 "));
    EXPECT_EQ(grid->columnCaption(2), QStringLiteral("服务概述"));
    EXPECT_EQ(mainWindow->control<ui::TextBox>(QStringLiteral("SelectFun"))->text(), viewKey);

    // Finished without an end time.
    window = newService();
    tick(window, QStringLiteral("service_end"), true);
    type(window, QStringLiteral("service_endtime"), QString());
    click(window, QStringLiteral("command1"));
    expectOnly(kAdded);
    const int finished = scalar(QStringLiteral("select max(id) from service")).toInt();
    EXPECT_EQ(stored(finished, "service_end"), QStringLiteral("已完成"));
    EXPECT_EQ(stored(finished, "service_endtime"), QString());
    EXPECT_EQ(stored(finished, "service_Begintime"), QStringLiteral("2026-3-1 10:00:00"));
}

TEST_F(ServiceRecords, EditorShowsTheRecord)
{
    const int done = addService({{QStringLiteral("service_gk"), QStringLiteral("1")}});
    ui::Form* window = openFor(QStringLiteral("ServiceDetal"), done);
    EXPECT_EQ(window->caption(), QStringLiteral("修改服务反馈"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("service_type")), QStringLiteral("维修"));
    EXPECT_EQ(text(window, QStringLiteral("service_product")), QStringLiteral("打印机"));
    EXPECT_EQ(text(window, QStringLiteral("service_Begintime")), QStringLiteral("2026-2-20 9:00:00"));
    EXPECT_TRUE(ticked(window, QStringLiteral("service_end")));
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QStringLiteral("2026-2-21 17:00:00"));
    EXPECT_EQ(text(window, QStringLiteral("field4")), QStringLiteral("老王"));
    EXPECT_EQ(window->control<ui::Label>(QStringLiteral("lbl_field4"))->caption(), QStringLiteral("操作者"));
    EXPECT_TRUE(ticked(window, QStringLiteral("GK")));
    ui::Windows::unload(window);

    const int open_ = addService({{QStringLiteral("service_end"), QStringLiteral("未完成")}});
    window = openFor(QStringLiteral("ServiceDetal"), open_);
    EXPECT_FALSE(ticked(window, QStringLiteral("service_end")));
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QString()) << "an unfinished record shows no end time";
}

TEST_F(ServiceRecords, EditorKeepsStoredTimesOwnerAndFourthField)
{
    const int id = addService({{QStringLiteral("service_end"), QStringLiteral("未完成")}});
    const int other = addService({{QStringLiteral("service_title"), QStringLiteral("别的记录")}});

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_serv=1;"), QStringLiteral("e_serv=0;")));
    ui::Form* window = openFor(QStringLiteral("ServiceDetal"), id);
    type(window, QStringLiteral("service_title"), QStringLiteral("改过"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("您无权修改服务资料"), ui::Icon::Error, QStringLiteral("修改资料"));
    EXPECT_EQ(stored(id, "service_title"), QStringLiteral("上门维修"));

    loginAs(QStringLiteral("clerk"), allRights());
    Mymode::CurrentRecordId = other;
    type(window, QStringLiteral("service_Begintime"), QString());
    tick(window, QStringLiteral("service_end"), true);   // touches no end time in the editor
    EXPECT_EQ(text(window, QStringLiteral("service_endtime")), QString());
    type(window, QStringLiteral("field4"), QStringLiteral("冒名"));
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(stored(id, "service_title"), QStringLiteral("改过"));
    EXPECT_EQ(stored(id, "service_Begintime"), QStringLiteral("2026-2-20 9:00:00"));
    EXPECT_EQ(stored(id, "service_endtime"), QStringLiteral("2026-2-21 17:00:00"));
    EXPECT_EQ(stored(id, "service_end"), QStringLiteral("已完成"));
    EXPECT_EQ(stored(id, "field4"), QStringLiteral("第四"));
    EXPECT_EQ(stored(id, "service_CZZ"), QStringLiteral("老王"));
    EXPECT_EQ(stored(other, "service_title"), QStringLiteral("别的记录"));
    EXPECT_EQ(Mymode::CurrentRecordId, customer);

    // New times replace the stored ones; a product no longer listed is kept.
    exec(QStringLiteral("update service set service_product = '旧产品' where id = %1").arg(id));
    window = openFor(QStringLiteral("ServiceDetal"), id);
    type(window, QStringLiteral("service_Begintime"), QStringLiteral("2026-2-25"));
    type(window, QStringLiteral("service_endtime"), QStringLiteral("2026-2-26 8:00"));
    type(window, QStringLiteral("CustName"), QStringLiteral("手输的名字"));
    Mymode::CurrentRecordId = 5;
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(stored(id, "service_Begintime"), QStringLiteral("2026-2-25"));
    EXPECT_EQ(stored(id, "service_endtime"), QStringLiteral("2026-2-26 8:00:00"));
    EXPECT_EQ(stored(id, "service_product"), QStringLiteral("旧产品"));
    EXPECT_EQ(stored(id, "companyid"), QString::number(customer));
    EXPECT_EQ(Mymode::CurrentRecordId, 5);

    window = openFor(QStringLiteral("ServiceDetal"), id);
    type(window, QStringLiteral("service_Begintime"), QStringLiteral("不知道"));
    type(window, QStringLiteral("service_endtime"), QStringLiteral("也不知道"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("反馈时间非法"));
}

TEST_F(ServiceRecords, EditOfARecordChangedOrDeletedElsewhereIsRefused)
{
    const int id = addService({});
    ui::Form* window = openFor(QStringLiteral("ServiceDetal"), id);
    exec(QStringLiteral("update service set description = '另一台' where id = %1").arg(id));
    type(window, QStringLiteral("service_title"), QStringLiteral("我的修改"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(stored(id, "service_title"), QStringLiteral("上门维修"));
    EXPECT_EQ(stored(id, "description"), QStringLiteral("另一台"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ServiceDetal")), window);
    ui::Windows::unload(window);

    window = openFor(QStringLiteral("ServiceDetal"), id);
    exec(QStringLiteral("delete from service"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(count(QStringLiteral("select count(*) from service")), 0);
}

TEST_F(ServiceRecords, FailedWriteIsReportedAndTheWindowKept)
{
    exec(QStringLiteral("create trigger refuse_service before insert on service begin select raise(abort, 'disk full'); end"));
    ui::Form* window = newService();
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("服务反馈未能保存：disk full"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ServiceAdd")), window);
    EXPECT_EQ(count(QStringLiteral("select count(*) from service")), 0);

    exec(QStringLiteral("drop trigger refuse_service"));
    const int id = addService({});
    exec(QStringLiteral("create trigger refuse_edits before update on service begin select raise(abort, 'disk full'); end"));
    window = openFor(QStringLiteral("ServiceDetal"), id);
    type(window, QStringLiteral("service_title"), QStringLiteral("我的修改"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("服务反馈未能保存：disk full"));
    EXPECT_EQ(stored(id, "service_title"), QStringLiteral("上门维修"));
}

} // namespace
