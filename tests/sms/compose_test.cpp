// The compose window: its customer list under the record scope, the search,
// moving numbers into the number box, the count, the length limit and the
// send options.
#include "smsfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

namespace {

// A one-line box's frame and inner margins, both sides.
constexpr int kTextBoxMargins = 8;

class Compose : public SmsTest {
protected:
    ui::DataGrid* grid() { return ctl<ui::DataGrid>("DataGrid1"); }
    ui::TextArea* numbers() { return ctl<ui::TextArea>("text1"); }
    ui::TextArea* content() { return ctl<ui::TextArea>("text2"); }
    ui::CheckBox* selectAll() { return ctl<ui::CheckBox>("Check1"); }

    QStringList shownNames()
    {
        QStringList names;
        for (int row = 0; row < grid()->rowCount(); ++row) names << grid()->cellText(row, 1);
        return names;
    }
    void search(const QString& field, const QString& text)
    {
        ctl<ui::ComboBox>("Combo1")->setText(field);
        ctl<ui::TextBox>("Text4")->setText(text);
        click("command5");
    }
    // Makes the customer's row current and clicks ">>".
    void append(const QString& name)
    {
        const int row = shownNames().indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        grid()->setCurrentRow(row);
        ctl<ui::CommandButton>("Command4")->click();
    }
};

TEST_F(Compose, ListsTheScopeNewestFirstWithTheGridsColumns)
{
    addCustomer(QStringLiteral("own"), QStringLiteral("1"), QStringLiteral("amy"));
    addCustomer(QStringLiteral("public"), QStringLiteral("2"), QStringLiteral("bob"), QStringLiteral("1"));
    addCustomer(QStringLiteral("other"), QStringLiteral("3"), QStringLiteral("bob"));
    addCustomer(QStringLiteral("O'Brien"), QStringLiteral("4"), QStringLiteral("amy"));
    loginAs(QStringLiteral("amy"), allRights(QStringLiteral("2")));
    open("SMSsend");

    EXPECT_EQ(shownNames(), (QStringList{"O'Brien", "public", "own"}));
    ASSERT_EQ(grid()->columnCount(), 21);
    EXPECT_EQ(grid()->columnCaption(0), QStringLiteral("id"));
    EXPECT_EQ(grid()->columnWidth(0), 0);
    EXPECT_EQ(grid()->columnCaption(2), QStringLiteral("手机"));
    EXPECT_EQ(grid()->columnCaption(20), QStringLiteral("操作者"));
    EXPECT_EQ(grid()->toolTip(), QStringLiteral("双击记录把手机号加入右边的手机柩中"));
    EXPECT_EQ(ctl<ui::ComboBox>("Combo1")->listCount(), 19);
    EXPECT_TRUE(ctl<ui::ComboBox>("Combo1")->text().isEmpty());

    // Scope 2: the filter applies to own and public customers alike.
    search(QStringLiteral("客户名称"), QStringLiteral("b"));
    EXPECT_EQ(shownNames(), (QStringList{"O'Brien", "public"}));
    search(QStringLiteral("客户名称"), QStringLiteral("O'B"));
    EXPECT_EQ(shownNames(), QStringList{"O'Brien"});

    loginAs(QStringLiteral("amy"), allRights(QStringLiteral("3")));
    search(QStringLiteral("手机"), QStringLiteral("2"));
    EXPECT_TRUE(shownNames().isEmpty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Compose, SearchTakesTypedFieldsAndUntrimmedTextAndShowsTheDatabasesRefusal)
{
    addCustomer(QStringLiteral("alpha"), QStringLiteral("1"), QStringLiteral("system"), QStringLiteral("0"),
                {{QStringLiteral("company_field1"), QStringLiteral("gold")}});
    addCustomer(QStringLiteral("beta gamma"), QStringLiteral("2"));
    open("SMSsend");

    search(QStringLiteral("自定义字段1"), QStringLiteral("gol"));
    EXPECT_EQ(shownNames(), QStringList{"alpha"});
    search(QStringLiteral("客户名称"), QStringLiteral("a "));   // the trailing space counts
    EXPECT_EQ(shownNames(), QStringList{"beta gamma"});

    search(QString(), QStringLiteral("a"));
    expectOnly(QStringLiteral("查询条件不足"));
    search(QStringLiteral("客户名称"), QStringLiteral("   "));
    expectOnly(QStringLiteral("查询条件不足"));
    EXPECT_EQ(shownNames(), QStringList{"beta gamma"});

    search(QStringLiteral("no such field"), QStringLiteral("a"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_FALSE(messages.lastText().isEmpty());
    EXPECT_EQ(messages.shown()[0].title, QString());
    EXPECT_EQ(shownNames(), QStringList{"beta gamma"});   // the grid keeps its last list
}

TEST_F(Compose, SelectAllAppendsTheNumbersOfTheScopeAndSearch)
{
    addCustomer(QStringLiteral("a1"), QStringLiteral("111"));
    addCustomer(QStringLiteral("a2"), QStringLiteral("  "));
    addCustomer(QStringLiteral("a3"), QString());
    addCustomer(QStringLiteral("b1"), QStringLiteral("222"));
    addCustomer(QStringLiteral("c1"), QStringLiteral("333"), QStringLiteral("bob"));
    loginAs(QStringLiteral("system"), allRights(QStringLiteral("3")));
    open("SMSsend");

    selectAll()->click();
    EXPECT_EQ(numbers()->text(), QStringLiteral("111;222;"));
    selectAll()->click();   // clearing does nothing
    EXPECT_EQ(numbers()->text(), QStringLiteral("111;222;"));
    selectAll()->click();   // ticking again appends again
    EXPECT_EQ(numbers()->text(), QStringLiteral("111;222;111;222;"));

    numbers()->setText(QString());
    selectAll()->click();
    ctl<ui::ComboBox>("Combo1")->setText(QStringLiteral("客户名称"));
    ctl<ui::TextBox>("Text4")->setText(QStringLiteral("b"));
    selectAll()->click();
    EXPECT_EQ(numbers()->text(), QStringLiteral("222;"));
    // ">>" right after it gives two separators in a row.
    append(QStringLiteral("a1"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("222;;111"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Compose, SelectAllOfAWholeShopFillsTheBoxWithEveryNumber)
{
    // A shop's worth of customers: the box holds every number in the order
    // read, and ">>" after it the current row's number after ";;".
    exec(QStringLiteral("insert into company (company_name, company_mobil, KH_CZZ, KH_GK) "
                        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                        "select 'c' || i, '138' || substr('0000000' || i, -8), 'system', '1' from n"));
    QString every;
    for (int i = 1; i <= 3000; ++i) every += QStringLiteral("138%1;").arg(i, 8, 10, QLatin1Char('0'));
    open("SMSsend");
    window->show();
    QTest::mouseClick(selectAll(), Qt::LeftButton, {}, QPoint(4, selectAll()->height() / 2));
    EXPECT_EQ(selectAll()->value(), 1);
    EXPECT_EQ(numbers()->text(), every);
    append(QStringLiteral("c3000"));
    EXPECT_EQ(numbers()->text(), every + QStringLiteral(";13800003000"));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(Compose, AppendingOneNumberFollowsTheBoxsLastSeparator)
{
    addCustomer(QStringLiteral("none"), QString());
    addCustomer(QStringLiteral("two"), QStringLiteral("222"));
    addCustomer(QStringLiteral("one"), QStringLiteral("111"));
    open("SMSsend");

    append(QStringLiteral("one"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("111"));
    append(QStringLiteral("two"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("111;222"));
    numbers()->setText(QStringLiteral("999,"));
    append(QStringLiteral("one"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("999,111"));
    numbers()->setText(QStringLiteral("  "));
    append(QStringLiteral("one"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("  111"));
    append(QStringLiteral("none"));
    EXPECT_EQ(numbers()->text(), QStringLiteral("  111"));

    numbers()->setText(QString());
    grid()->doubleClickRow(shownNames().indexOf(QStringLiteral("two")));
    EXPECT_EQ(numbers()->text(), QStringLiteral("222"));
}

TEST_F(Compose, CountLimitAndClear)
{
    open("SMSsend");
    content()->setText(QStringLiteral("  你好abc  "));
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("字数：7"));

    // At most 140 characters, whether set, pasted or typed.
    content()->setText(QString(150, QLatin1Char('a')));
    EXPECT_EQ(content()->text().size(), 140);
    content()->setText(QString(138, QLatin1Char('a')));
    content()->moveCursor(QTextCursor::Start);
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    content()->paste();
    EXPECT_EQ(content()->text(), QStringLiteral("xy") + QString(138, QLatin1Char('a')));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(content(), &key);
    EXPECT_EQ(content()->text().size(), 140);
    EXPECT_FALSE(content()->text().contains(QLatin1Char('b')));
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("字数：140"));

    numbers()->setText(QStringLiteral("138"));
    click("command3");
    EXPECT_TRUE(numbers()->text().isEmpty());
    EXPECT_TRUE(content()->text().isEmpty());
    EXPECT_EQ(ctl<ui::Label>("Label3")->caption(), QStringLiteral("字数：0"));
}

// The note above the content box is read whole: its lines fit its box, which
// ends where the content caption begins.
TEST_F(Compose, TheNoteFitsAboveTheContentCaption)
{
    open("SMSsend");
    const ui::Label* note = ctl<ui::Label>("Label4");
    EXPECT_LE(note->heightForWidth(note->width()), note->height());
    EXPECT_LE(note->geometry().bottom(), ctl<ui::Label>("Label2")->geometry().top());
}

TEST_F(Compose, TimedSendingProposesTenMinutesAheadOnEveryChoice)
{
    db::locale::setClockForTests(QDateTime(QDate(2026, 3, 1), QTime(23, 55, 0)));
    open("SMSsend");
    auto* schedule = ctl<ui::TextBox>("Text3");
    EXPECT_TRUE(ctl<ui::OptionButton>("Option1")->value());
    EXPECT_TRUE(schedule->isHidden());

    ctl<ui::OptionButton>("Option2")->click();
    EXPECT_FALSE(schedule->isHidden());
    EXPECT_EQ(schedule->text(), QStringLiteral("2026-3-2 0:05:00"));
    schedule->setText(QStringLiteral("2026-4-1 12:00"));
    ctl<ui::OptionButton>("Option1")->click();
    EXPECT_TRUE(schedule->isHidden());
    EXPECT_EQ(schedule->text(), QStringLiteral("2026-4-1 12:00"));
    ctl<ui::OptionButton>("Option2")->click();
    EXPECT_EQ(schedule->text(), QStringLiteral("2026-3-2 0:05:00"));

    // The longest time the box proposes is read whole.
    db::locale::setClockForTests(QDateTime(QDate(2026, 12, 28), QTime(22, 48, 58)));
    ctl<ui::OptionButton>("Option1")->click();
    ctl<ui::OptionButton>("Option2")->click();
    EXPECT_EQ(schedule->text(), QStringLiteral("2026-12-28 22:58:58"));
    EXPECT_LE(schedule->fontMetrics().horizontalAdvance(schedule->text()) + kTextBoxMargins, schedule->width());

    click("command2");
    EXPECT_FALSE(isOpen("SMSsend"));
}

} // namespace
