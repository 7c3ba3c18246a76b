// The customer picker: the list under the record scope, the search by one
// field, and the hand-back into the shown record windows only.
#include "tests/customers/customerfixture.h"

#include "platform/ui/windows.h"

#include <QTest>

namespace {

class Picker : public CustomerTest {
protected:
    void SetUp() override
    {
        CustomerTest::SetUp();
        alpha = addCustomer({{QStringLiteral("company_name"), QStringLiteral("alpha 商行")}, {QStringLiteral("KH_CZZ"), QStringLiteral("system")},
                             {QStringLiteral("KH_GK"), QStringLiteral("0")}, {QStringLiteral("company_mobil"), QStringLiteral("13900001111")}});
        beta = addCustomer({{QStringLiteral("company_name"), QStringLiteral("beta 贸易")}, {QStringLiteral("KH_CZZ"), QStringLiteral("clerk")},
                            {QStringLiteral("KH_GK"), QStringLiteral("1")}, {QStringLiteral("company_connect"), QStringLiteral("赵六")}});
        gamma = addCustomer({{QStringLiteral("company_name"), QStringLiteral("O'Neil gamma")}, {QStringLiteral("KH_CZZ"), QStringLiteral("clerk")},
                             {QStringLiteral("KH_GK"), QStringLiteral("0")}, {QStringLiteral("company_address"), QStringLiteral("北京市")},
                             {QStringLiteral("company_tel"), QStringLiteral("01066667777")}});
        for (const char* kind : {"ActionAdd", "SalesAdd", "ServiceAdd", "AddChance"}) defineReceivingWindow(QString::fromLatin1(kind));
    }
    ui::Form* openPicker() { return ui::Windows::open(QStringLiteral("frmSelectKH")); }
    // The picker as the window's customer button opens it.
    ui::Form* openPickerFrom(ui::Form* window)
    {
        const QString button = window->kind() == QLatin1String("SalesAdd") ? QStringLiteral("command5") : QStringLiteral("command2");
        QTest::mouseClick(window->control<ui::PictureButton>(button), Qt::LeftButton);
        return ui::Windows::loaded(QStringLiteral("frmSelectKH"));
    }
    static ui::DataGrid* list(ui::Form* picker) { return picker->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    static QStringList names(ui::Form* picker)
    {
        QStringList shown;
        for (int row = 0; row < list(picker)->rowCount(); ++row) shown << list(picker)->cellText(row, 1);
        return shown;
    }
    void search(ui::Form* picker, const QString& field, const QString& key)
    {
        picker->control<ui::ComboBox>(QStringLiteral("strField"))->setText(field);
        type(picker, QStringLiteral("strKey"), key);
        click(picker, QStringLiteral("command5"));
    }
    int alpha = 0, beta = 0, gamma = 0;
};

TEST_F(Picker, ListFollowsTheRecordScope)
{
    const struct {
        QString scope;
        QStringList names;
    } cases[] = {
        {QStringLiteral("1"), {QStringLiteral("O'Neil gamma"), QStringLiteral("beta 贸易"), QStringLiteral("alpha 商行")}},
        {QStringLiteral("2"), {QStringLiteral("beta 贸易"), QStringLiteral("alpha 商行")}},
        {QStringLiteral("3"), {QStringLiteral("alpha 商行")}},
    };
    for (const auto& c : cases) {
        loginAs(QStringLiteral("system"), allRights(c.scope));
        ui::Form* picker = openPicker();
        EXPECT_EQ(names(picker), c.names) << "scope " << c.scope.toStdString();
        EXPECT_EQ(list(picker)->columnCaption(10), QStringLiteral("操作者"));
        EXPECT_EQ(text(picker, QStringLiteral("strField")), QString());
        ui::Windows::unload(picker);
    }
}

TEST_F(Picker, SearchByOneFieldKeepsToTheRecordScope)
{
    const QStringList all{QStringLiteral("O'Neil gamma"), QStringLiteral("beta 贸易"), QStringLiteral("alpha 商行")};
    const struct {
        QString scope, field, key;
        QStringList names;
    } cases[] = {
        {QStringLiteral("1"), QStringLiteral("客户名称"), QStringLiteral(" a "), all},
        {QStringLiteral("1"), QStringLiteral("联系人"), QStringLiteral("赵"), {QStringLiteral("beta 贸易")}},
        {QStringLiteral("1"), QStringLiteral("客户地址"), QStringLiteral("北京"), {QStringLiteral("O'Neil gamma")}},
        {QStringLiteral("1"), QStringLiteral("电话"), QStringLiteral("6666"), {QStringLiteral("O'Neil gamma")}},
        {QStringLiteral("1"), QStringLiteral(" 手机 "), QStringLiteral("1390000"), {QStringLiteral("alpha 商行")}},
        {QStringLiteral("1"), QStringLiteral("操作者"), QStringLiteral("cler"), {QStringLiteral("O'Neil gamma"), QStringLiteral("beta 贸易")}},
        {QStringLiteral("1"), QStringLiteral("客户名称"), QStringLiteral("O'N"), {QStringLiteral("O'Neil gamma")}},
        // Another operator's private customer stays hidden, telephone and all.
        {QStringLiteral("2"), QStringLiteral("客户名称"), QStringLiteral(" a "), {QStringLiteral("beta 贸易"), QStringLiteral("alpha 商行")}},
        {QStringLiteral("3"), QStringLiteral("客户名称"), QStringLiteral(" a "), {QStringLiteral("alpha 商行")}},
        {QStringLiteral("3"), QStringLiteral("电话"), QStringLiteral("6666"), {}},
        {QStringLiteral("3"), QStringLiteral("联系人"), QStringLiteral("赵"), {}},
    };
    for (const auto& c : cases) {
        loginAs(QStringLiteral("system"), allRights(c.scope));
        ui::Form* picker = openPicker();
        search(picker, c.field, c.key);
        EXPECT_EQ(names(picker), c.names) << "scope " << c.scope.toStdString() << " " << c.field.toStdString() << " "
                                          << c.key.toStdString();
        ui::Windows::unload(picker);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Picker, SearchNeedsAFieldAndAKey)
{
    ui::Form* picker = openPicker();
    const std::pair<QString, QString> cases[] = {{QString(), QStringLiteral("a")}, {QStringLiteral("客户名称"), QStringLiteral("   ")}};
    for (const auto& [field, key] : cases) {
        messages.clear();
        search(picker, field, key);
        EXPECT_EQ(messages.lastText(), QStringLiteral("查询条件不足！"));
        EXPECT_EQ(list(picker)->rowCount(), 3);
    }
    search(picker, QStringLiteral("网址"), QStringLiteral("a"));   // no column of that caption: the list stays
    EXPECT_EQ(list(picker)->rowCount(), 3);
}

TEST_F(Picker, EnterInTheKeyBoxSearches)
{
    ui::Form* picker = openPicker();
    picker->control<ui::ComboBox>(QStringLiteral("strField"))->setText(QStringLiteral("客户名称"));
    type(picker, QStringLiteral("strKey"), QStringLiteral("beta"));
    picker->control<ui::TextBox>(QStringLiteral("strKey"))->typeKey(13);
    EXPECT_EQ(names(picker), QStringList{QStringLiteral("beta 贸易")});
}

// The pick goes to the window whose button opened the picker while it is
// shown (a minimised one counts); every other record window keeps its customer.
TEST_F(Picker, PickReachesOnlyTheWindowThatOpenedIt)
{
    enum class Then { StaysShown, Minimised, Hidden, Closed };
    for (const Then then : {Then::StaysShown, Then::Minimised, Then::Hidden, Then::Closed}) {
        SCOPED_TRACE(int(then));
        ui::Form* asking = ui::Windows::open(QStringLiteral("SalesAdd"));
        ui::Form* other = ui::Windows::open(QStringLiteral("ActionAdd"));
        type(other, QStringLiteral("CustName"), QStringLiteral("原来的客户"));
        ui::Form* picker = openPickerFrom(asking);
        ASSERT_NE(picker, nullptr);
        if (then == Then::Minimised) asking->showMinimized();
        if (then == Then::Hidden) asking->hide();
        if (then == Then::Closed) ui::Windows::unload(asking);
        list(picker)->doubleClickRow(1);

        if (then != Then::Closed)
            EXPECT_EQ(text(asking, QStringLiteral("KH_ID")), then == Then::Hidden ? QString() : QString::number(beta));
        EXPECT_EQ(text(other, QStringLiteral("CustName")), QStringLiteral("原来的客户"));
        EXPECT_EQ(text(other, QStringLiteral("KH_ID")), QString());
        EXPECT_FALSE(isOpen(QStringLiteral("ServiceAdd")));
        EXPECT_FALSE(isOpen(QStringLiteral("frmSelectKH")));
        ui::Windows::unloadAll();
    }

    // A second window's button takes the open picker over.
    ui::Form* first = ui::Windows::open(QStringLiteral("ActionAdd"));
    ui::Form* second = ui::Windows::open(QStringLiteral("ServiceAdd"));
    openPickerFrom(first);
    list(openPickerFrom(second))->doubleClickRow(1);
    EXPECT_EQ(text(second, QStringLiteral("CustName")), QStringLiteral("beta 贸易"));
    EXPECT_EQ(text(first, QStringLiteral("KH_ID")), QString());
}

TEST_F(Picker, PickWithoutAClickHandsBackTheNewestCustomer)
{
    ui::Form* action = ui::Windows::open(QStringLiteral("ActionAdd"));
    click(openPickerFrom(action), QStringLiteral("command1"));
    EXPECT_EQ(text(action, QStringLiteral("KH_ID")), QString::number(gamma));
    EXPECT_EQ(text(action, QStringLiteral("CustName")), QStringLiteral("O'Neil gamma"));
}

TEST_F(Picker, PickFromAnEmptyListWritesNothingAndCloses)
{
    loginAs(QStringLiteral("nobody"), allRights(QStringLiteral("3")));
    ui::Form* action = ui::Windows::open(QStringLiteral("ActionAdd"));
    type(action, QStringLiteral("CustName"), QStringLiteral("原来的客户"));
    ui::Form* picker = openPickerFrom(action);
    ASSERT_EQ(list(picker)->rowCount(), 0);
    click(picker, QStringLiteral("command1"));
    EXPECT_EQ(text(action, QStringLiteral("CustName")), QStringLiteral("原来的客户"));
    EXPECT_FALSE(isOpen(QStringLiteral("frmSelectKH")));
}

} // namespace
