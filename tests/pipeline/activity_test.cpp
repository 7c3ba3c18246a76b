// The new-activity and activity editing windows: prefill, the checks in
// order, the stored row, reminders as the reminder tick finds them, and edits
// that never overwrite what changed elsewhere.
#include "tests/pipeline/pipelinefixture.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/reminderlists.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace {

const QString kAdded = QStringLiteral("活动已成功加入");
const QString kChanged = QStringLiteral("活动已成功修改");
const QString kStale = QStringLiteral("活动资料未能保存：该活动已在别处被修改或删除，请关闭后重新打开再修改");

class Activities : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
        setReferenceValues(QStringLiteral("regarding"), {QStringLiteral("电话拜访"), QStringLiteral("上门")});
        customer = addCustomer(QStringLiteral("华东贸易"));
    }

    // A new-activity window with the customer of its card and a summary.
    ui::Form* newActivity(const QString& summary = QStringLiteral("回访"))
    {
        Mymode::CurrentRecordId = customer;
        ui::Form* window = open(QStringLiteral("ActionAdd"));
        type(window, QStringLiteral("ActionTitle"), summary);
        return window;
    }

    int addActivity(const QMap<QString, QString>& columns)
    {
        QMap<QString, QString> all{{QStringLiteral("companyid"), QString::number(customer)},
                                   {QStringLiteral("ActionTitle"), QStringLiteral("报价跟进")},
                                   {QStringLiteral("alert"), QStringLiteral("0")},
                                   {QStringLiteral("Action_CZZ"), QStringLiteral("老王")}};
        all.insert(columns);
        return insert(QStringLiteral("KH_ACT"), all);
    }

    // The operator's due activities as the reminder tick asks for them now.
    QList<int> dueActivities()
    {
        QList<int> ids;
        auto rows = database::query(reminderlists::dueActivitiesSql(Mymode::OperatorName, db::locale::now()));
        for (; !rows->eof(); rows->moveNext()) ids << rows->field(0).toText().toInt();
        return ids;
    }

    int customer = 0;
};

TEST_F(Activities, NewActivityStartsWithTheCardsCustomer)
{
    const int other = addCustomer(QStringLiteral("西南物流"));
    Mymode::CurrentRecordId = customer;
    ui::Windows::open(QStringLiteral("frmCustDetail"));
    Mymode::CurrentRecordId = other;   // the open card wins
    ui::Form* window = open(QStringLiteral("ActionAdd"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("BeginTime")), QStringLiteral("2026-3-1 10:00:00"));
    EXPECT_EQ(text(window, QStringLiteral("EndTime")), QStringLiteral("2026-3-1 10:00:00"));
    auto* types = window->control<ui::ComboBox>(QStringLiteral("ActionType"));
    EXPECT_EQ(types->listCount(), 2);
    EXPECT_EQ(types->text(), QString());
    auto* priority = window->control<ui::ComboBox>(QStringLiteral("action_Class"));
    ASSERT_EQ(priority->listCount(), 3);
    EXPECT_EQ(priority->list(0) + priority->list(1) + priority->list(2), QStringLiteral("高中低"));
    EXPECT_EQ(priority->text(), QString());
    EXPECT_FALSE(ticked(window, QStringLiteral("Tixin")));
    EXPECT_TRUE(window->control<ui::TextBox>(QStringLiteral("alerttime"))->isHidden());

    ui::Windows::unloadAll();
    Mymode::CurrentRecordId = other;   // no card open: it is loaded unseen for CurrentRecordId
    window = open(QStringLiteral("ActionAdd"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("西南物流"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(other));
    ASSERT_TRUE(isOpen(QStringLiteral("frmCustDetail")));
    EXPECT_FALSE(ui::Windows::loaded(QStringLiteral("frmCustDetail"))->isVisible());
}

TEST_F(Activities, NewActivityChecksInOrderAndStoresNothing)
{
    const int gone = addCustomer(QStringLiteral("已删客户"));
    Mymode::CurrentRecordId = 0;
    ui::Form* window = open(QStringLiteral("ActionAdd"));
    const struct {
        const char* summary;
        const char* name;
        QString id;
        bool reminder;
        const char* time;
        const char* message;
    } cases[] = {
        {"   ", "华东贸易", QString::number(customer), false, "", "活动概述不能为空"},
        {"回访", "  ", QString::number(customer), false, "", "客户名称不能为空"},
        {"回访", "手输客户", QString(), false, "", "公司名不存在"},
        {"回访", "已删客户", QString::number(gone), false, "", "公司名不存在"},
        {"回访", "华东贸易", QString::number(customer), true, "", "提醒时间非法"},
        {"回访", "华东贸易", QString::number(customer), true, "明天上午", "提醒时间非法"},
    };
    exec(QStringLiteral("delete from company where id = %1").arg(gone));
    for (const auto& c : cases) {
        type(window, QStringLiteral("ActionTitle"), QString::fromUtf8(c.summary));
        type(window, QStringLiteral("CustName"), QString::fromUtf8(c.name));
        type(window, QStringLiteral("KH_ID"), c.id);
        tick(window, QStringLiteral("Tixin"), c.reminder);
        type(window, QStringLiteral("alerttime"), QString::fromUtf8(c.time));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.message));
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ActionAdd")), window) << c.message;
        EXPECT_EQ(text(window, QStringLiteral("ActionTitle")), QString::fromUtf8(c.summary));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 0);
}

// A start or end time that is no date is refused naming the box, by the new
// and the editing window alike, before anything is written; the typed text
// stays for correcting.
TEST_F(Activities, TimesThatAreNoDatesAreRefusedAndKept)
{
    const int stored = addActivity({{QStringLiteral("BeginTime"), QStringLiteral("2026-2-27 14:30:00")}});
    const struct {
        const char* kind;
        const char* box;
        const char* typed;
        const char* message;
    } cases[] = {
        {"ActionAdd", "BeginTime", "下周一", "开始时间不是一个合法的日期"},
        {"ActionAdd", "EndTime", "2026-2-30", "结束时间不是一个合法的日期"},
        {"ActionDetal", "BeginTime", "不是时间", "开始时间不是一个合法的日期"},
        {"ActionDetal", "EndTime", "月底", "结束时间不是一个合法的日期"},
    };
    for (const auto& c : cases) {
        const QString kind = QString::fromLatin1(c.kind);
        ui::Form* window = kind == QLatin1String("ActionAdd") ? newActivity() : openFor(kind, stored);
        const QString box = QString::fromLatin1(c.box);
        type(window, box, QString::fromUtf8(c.typed));
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.message));
        EXPECT_EQ(ui::Windows::loaded(kind), window) << c.typed;
        EXPECT_EQ(text(window, box), QString::fromUtf8(c.typed));
        ui::Windows::unload(window);
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 1);
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), stored, QStringLiteral("BeginTime")), QStringLiteral("2026-2-27 14:30:00"));
}

TEST_F(Activities, NewActivityIsStoredAsTypedAndListedInTheMainGrid)
{
    ui::Form* mainWindow = open(QStringLiteral("frmMain"));
    const QString viewKey = mainWindow->control<ui::TextBox>(QStringLiteral("SelectFun"))->text();
    ui::Form* window = newActivity(QStringLiteral(" 回访 "));
    type(window, QStringLiteral("CustName"), QStringLiteral("随手改的名字"));   // the prefilled id still counts
    type(window, QStringLiteral("Action_Connect"), QStringLiteral("O'Brien"));
    type(window, QStringLiteral("BeginTime"), QStringLiteral("  "));
    type(window, QStringLiteral("EndTime"), QStringLiteral("2026-3-2 9:00"));
    type(window, QStringLiteral("field1"), QStringLiteral("甲"));
    type(window, QStringLiteral("field4"), QStringLiteral("丁"));
    type(window, QStringLiteral("Action_Discription"), QStringLiteral("第一行\n第二行"));
    tick(window, QStringLiteral("GK"), true);
    tick(window, QStringLiteral("Tixin"), true);
    tick(window, QStringLiteral("Tixin"), false);
    click(window, QStringLiteral("command1"));

    expectOnly(kAdded);
    EXPECT_FALSE(isOpen(QStringLiteral("ActionAdd")));
    ASSERT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 1);
    const int id = scalar(QStringLiteral("select id from KH_ACT")).toInt();
    const QMap<QString, QString> stored{
        {QStringLiteral("companyid"), QString::number(customer)},
        {QStringLiteral("ActionTitle"), QStringLiteral(" 回访 ")},
        {QStringLiteral("Action_Connect"), QStringLiteral("O'Brien")},
        {QStringLiteral("BeginTime"), QString()},
        {QStringLiteral("endtime"), QStringLiteral("2026-3-2 9:00:00")},
        {QStringLiteral("ActionType"), QString()},
        {QStringLiteral("action_Class"), QString()},
        {QStringLiteral("alert"), QStringLiteral("0")},
        {QStringLiteral("alerttime"), QString()},
        {QStringLiteral("field1"), QStringLiteral("甲")},
        {QStringLiteral("field4"), QStringLiteral("丁")},
        {QStringLiteral("Action_Discription"), QStringLiteral("第一行\n第二行")},
        {QStringLiteral("public"), QStringLiteral("1")},
        {QStringLiteral("Action_CZZ"), QStringLiteral("system")}};
    for (auto it = stored.begin(); it != stored.end(); ++it)
        EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, it.key()), it.value()) << it.key().toStdString();

    auto* grid = mainWindow->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    ASSERT_EQ(grid->rowCount(), 1);
    EXPECT_EQ(grid->cellText(0, 0), QString::number(id));
    EXPECT_EQ(grid->columnCaption(2), QStringLiteral("活动概述"));
    EXPECT_EQ(mainWindow->control<ui::TextBox>(QStringLiteral("SelectFun"))->text(), viewKey);
}

TEST_F(Activities, ChosenTypeAndPriorityAreStored)
{
    ui::Form* window = newActivity();
    pick(window, QStringLiteral("ActionType"), QStringLiteral("上门"));
    pick(window, QStringLiteral("action_Class"), QStringLiteral("中"));
    click(window, QStringLiteral("command1"));
    expectOnly(kAdded);
    EXPECT_EQ(scalar(QStringLiteral("select ActionType from KH_ACT")), QStringLiteral("上门"));
    EXPECT_EQ(scalar(QStringLiteral("select action_Class from KH_ACT")), QStringLiteral("中"));
}

TEST_F(Activities, DueReminderIsFoundByTheReminderTickUntilUnticked)
{
    ui::Form* window = newActivity(QStringLiteral("过去"));
    tick(window, QStringLiteral("Tixin"), true);
    EXPECT_FALSE(window->control<ui::TextBox>(QStringLiteral("alerttime"))->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("alerttime")), QStringLiteral("2026-3-1 10:00:00"));
    type(window, QStringLiteral("alerttime"), QStringLiteral("2026-3-1 9:59"));
    click(window, QStringLiteral("command1"));
    const int due = scalar(QStringLiteral("select max(id) from KH_ACT")).toInt();

    window = newActivity(QStringLiteral("将来"));
    tick(window, QStringLiteral("Tixin"), true);
    type(window, QStringLiteral("alerttime"), QStringLiteral("2026-3-1 10:05:00"));
    click(window, QStringLiteral("command1"));
    messages.clear();
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), due, QStringLiteral("alert")), QStringLiteral("1"));
    EXPECT_EQ(dueActivities(), QList<int>{due});

    setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 6)));
    EXPECT_EQ(dueActivities().size(), 2);

    window = openFor(QStringLiteral("ActionDetal"), due);
    EXPECT_TRUE(ticked(window, QStringLiteral("Tixin")));
    EXPECT_EQ(text(window, QStringLiteral("alerttime")), QStringLiteral("2026-3-1 9:59:00"));
    tick(window, QStringLiteral("Tixin"), false);
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), due, QStringLiteral("alert")), QStringLiteral("0"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), due, QStringLiteral("alerttime")), QString());
    EXPECT_EQ(dueActivities().size(), 1);
    EXPECT_FALSE(dueActivities().contains(due));
}

TEST_F(Activities, EditorShowsTheStoredActivity)
{
    const int reminded = addActivity({{QStringLiteral("ActionType"), QStringLiteral("上门")},
                                      {QStringLiteral("action_Class"), QStringLiteral("中")},
                                      {QStringLiteral("BeginTime"), QStringLiteral("2026-2-27 14:30:00")},
                                      {QStringLiteral("alert"), QStringLiteral("1")},
                                      {QStringLiteral("alerttime"), QStringLiteral("2026-3-2 8:00:00")},
                                      {QStringLiteral("field4"), QStringLiteral("第四")},
                                      {QStringLiteral("public"), QStringLiteral("1")}});
    ui::Form* window = openFor(QStringLiteral("ActionDetal"), reminded);
    EXPECT_EQ(window->caption(), QStringLiteral("修改活动"));
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString::number(customer));
    EXPECT_EQ(text(window, QStringLiteral("ActionTitle")), QStringLiteral("报价跟进"));
    EXPECT_EQ(text(window, QStringLiteral("ActionType")), QStringLiteral("上门"));
    EXPECT_EQ(text(window, QStringLiteral("action_Class")), QStringLiteral("中"));
    EXPECT_EQ(text(window, QStringLiteral("BeginTime")), QStringLiteral("2026-2-27 14:30:00"));
    EXPECT_EQ(text(window, QStringLiteral("EndTime")), QString());
    EXPECT_TRUE(ticked(window, QStringLiteral("Tixin")));
    EXPECT_FALSE(window->control<ui::TextBox>(QStringLiteral("alerttime"))->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("alerttime")), QStringLiteral("2026-3-2 8:00:00"));
    EXPECT_EQ(text(window, QStringLiteral("field4")), QStringLiteral("老王"));
    EXPECT_FALSE(window->control<ui::TextBox>(QStringLiteral("field4"))->isEnabled());
    EXPECT_EQ(window->control<ui::Label>(QStringLiteral("lbl_field4"))->caption(), QStringLiteral("操作者"));
    EXPECT_TRUE(ticked(window, QStringLiteral("GK")));
    ui::Windows::unload(window);

    // Reminder off and a customer that no longer exists.
    const int plain = addActivity({{QStringLiteral("companyid"), QStringLiteral("999")},
                                   {QStringLiteral("alerttime"), QStringLiteral("2026-3-2 8:00:00")}});
    window = openFor(QStringLiteral("ActionDetal"), plain);
    EXPECT_EQ(text(window, QStringLiteral("CustName")), QString());
    EXPECT_EQ(text(window, QStringLiteral("KH_ID")), QString());
    EXPECT_FALSE(ticked(window, QStringLiteral("Tixin")));
    EXPECT_TRUE(window->control<ui::TextBox>(QStringLiteral("alerttime"))->isHidden());
    tick(window, QStringLiteral("Tixin"), true);
    EXPECT_FALSE(window->control<ui::TextBox>(QStringLiteral("alerttime"))->isHidden());
    EXPECT_EQ(text(window, QStringLiteral("alerttime")), QString());
    type(window, QStringLiteral("CustName"), QStringLiteral("手输"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("提醒时间非法"));
}

TEST_F(Activities, EditorSavesTheLoadedActivityAndKeepsOwnerAndFourthField)
{
    const int edited = addActivity({{QStringLiteral("field4"), QStringLiteral("第四")},
                                    {QStringLiteral("BeginTime"), QStringLiteral("2026-2-27 14:30:00")}});
    const int other = addActivity({{QStringLiteral("ActionTitle"), QStringLiteral("别的活动")}});

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("e_acti=1;"), QStringLiteral("e_acti=0;")));
    ui::Form* window = openFor(QStringLiteral("ActionDetal"), edited);
    type(window, QStringLiteral("ActionTitle"), QStringLiteral("改过"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("您无权修改活动资料"), ui::Icon::Error, QStringLiteral("修改资料"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("ActionTitle")), QStringLiteral("报价跟进"));
    EXPECT_TRUE(isOpen(QStringLiteral("ActionDetal")));

    loginAs(QStringLiteral("clerk"), allRights());
    Mymode::CurrentRecordId = other;   // moves nothing: the window keeps its activity
    ui::Windows::open(QStringLiteral("ActionDetal"));
    type(window, QStringLiteral("BeginTime"), QString());
    type(window, QStringLiteral("field4"), QStringLiteral("冒名"));
    tick(window, QStringLiteral("GK"), true);
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_FALSE(isOpen(QStringLiteral("ActionDetal")));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("ActionTitle")), QStringLiteral("改过"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("BeginTime")), QStringLiteral("2026-2-27 14:30:00"))
        << "an empty time leaves the stored one";
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("public")), QStringLiteral("1"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("field4")), QStringLiteral("第四"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("Action_CZZ")), QStringLiteral("老王"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), other, QStringLiteral("ActionTitle")), QStringLiteral("别的活动"));
    EXPECT_EQ(Mymode::CurrentRecordId, customer) << "the customer of the exact name";

    // A hand-typed name keeps the activity's customer and CurrentRecordId.
    window = openFor(QStringLiteral("ActionDetal"), edited);
    type(window, QStringLiteral("CustName"), QStringLiteral("没有这个客户"));
    Mymode::CurrentRecordId = 77;
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(Mymode::CurrentRecordId, 77);
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), edited, QStringLiteral("companyid")), QString::number(customer));
}

TEST_F(Activities, EditorKeepsATypeNoLongerListed)
{
    const int id = addActivity({{QStringLiteral("ActionType"), QStringLiteral("旧类型")},
                                {QStringLiteral("action_Class"), QStringLiteral("紧急")}});
    click(openFor(QStringLiteral("ActionDetal"), id), QStringLiteral("command1"));
    expectOnly(kChanged);
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("ActionType")), QStringLiteral("旧类型"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("action_Class")), QStringLiteral("紧急"));

    ui::Form* window = openFor(QStringLiteral("ActionDetal"), id);
    pick(window, QStringLiteral("ActionType"), QStringLiteral("上门"));
    click(window, QStringLiteral("command1"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("ActionType")), QStringLiteral("上门"));
}

TEST_F(Activities, EditOfAnActivityChangedOrDeletedElsewhereIsRefused)
{
    const int id = addActivity({});
    ui::Form* window = openFor(QStringLiteral("ActionDetal"), id);
    exec(QStringLiteral("update KH_ACT set Action_Connect = '另一台' where id = %1").arg(id));
    type(window, QStringLiteral("ActionTitle"), QStringLiteral("我的修改"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ActionDetal")), window);
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("ActionTitle")), QStringLiteral("报价跟进"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("Action_Connect")), QStringLiteral("另一台"));
    ui::Windows::unload(window);

    window = openFor(QStringLiteral("ActionDetal"), id);
    exec(QStringLiteral("delete from KH_ACT where id = %1").arg(id));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 0);
    ui::Windows::unload(window);

    window = openFor(QStringLiteral("ActionDetal"), 4242);   // names no activity
    type(window, QStringLiteral("ActionTitle"), QStringLiteral("凭空"));
    type(window, QStringLiteral("CustName"), QStringLiteral("华东贸易"));
    click(window, QStringLiteral("command1"));
    expectOnly(kStale);
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 0);
}

TEST_F(Activities, FailedWriteIsReportedAndTheWindowKept)
{
    exec(QStringLiteral("create trigger refuse_activities before insert on KH_ACT begin select raise(abort, 'disk full'); end"));
    ui::Form* window = newActivity();
    click(window, QStringLiteral("command1"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("活动未能保存：disk full"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("ActionAdd")), window);
    EXPECT_EQ(text(window, QStringLiteral("ActionTitle")), QStringLiteral("回访"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from KH_ACT")), 0);
    exec(QStringLiteral("drop trigger refuse_activities"));
    messages.clear();

    const int id = addActivity({});
    exec(QStringLiteral("create trigger refuse_edits before update on KH_ACT begin select raise(abort, 'disk full'); end"));
    window = openFor(QStringLiteral("ActionDetal"), id);
    type(window, QStringLiteral("ActionTitle"), QStringLiteral("我的修改"));
    click(window, QStringLiteral("command1"));
    expectOnly(QStringLiteral("活动未能保存：disk full"));
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("ActionTitle")), QStringLiteral("报价跟进"));

    exec(QStringLiteral("drop trigger refuse_edits"));
    click(window, QStringLiteral("command1"));
    expectOnly(kChanged);   // once the fault is gone the same edit goes through
    EXPECT_EQ(column(QStringLiteral("KH_ACT"), id, QStringLiteral("ActionTitle")), QStringLiteral("我的修改"));
}

TEST_F(Activities, CustomerNameDoubleClickOpensTheCardOnlyForAPickedCustomer)
{
    ui::Form* window = newActivity();
    Mymode::CurrentRecordId = 0;
    type(window, QStringLiteral("KH_ID"), QString());
    window->control<ui::TextBox>(QStringLiteral("CustName"))->onDblClick();
    EXPECT_FALSE(isOpen(QStringLiteral("frmCustDetail")) && ui::Windows::loaded(QStringLiteral("frmCustDetail"))->isVisible());
    type(window, QStringLiteral("KH_ID"), QString::number(customer));
    window->control<ui::TextBox>(QStringLiteral("CustName"))->onDblClick();
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    ASSERT_TRUE(isOpen(QStringLiteral("frmCustDetail")));
    EXPECT_TRUE(ui::Windows::loaded(QStringLiteral("frmCustDetail"))->isVisible());
}

} // namespace
