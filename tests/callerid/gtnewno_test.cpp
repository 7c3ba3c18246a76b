// The unknown-caller window: what a pop-up shows for a caller, its area by
// the window's own rules, where each button leads, and the add-number
// procedure's first-empty rule.
#include "callerid_fixture.h"

#include "tests/support/busyfile.h"

#include "callerid/gtnewno.h"
#include "common/callmonitor.h"
#include "common/cardboxes.h"

#include <QTest>

namespace {

class UnknownCaller : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        settings(QString(), QStringLiteral("0"), QStringLiteral("0"));
    }

    // The window as it pops up after a call from the number.
    callerid::GtNewNo* popUpFor(const QByteArray& number)
    {
        if (!monitor()) loadMonitor();
        monitor()->HandleCallerID(number);
        settle();
        messages.clear();
        return dynamic_cast<callerid::GtNewNo*>(ui::Windows::openNew(QStringLiteral("GtNewNo")));
    }
    static QString area(ui::Form* window) { return window->control<ui::Label>(QStringLiteral("Label4"))->caption(); }
    static bool isLoaded(ui::Form* window)
    {
        for (ui::Form* form : ui::Windows::all())
            if (form == window) return true;
        return false;
    }
    // A contact of a new customer with the four numbers; "null" stores no value.
    int customerWithContact(const QString& tel, const QString& mobil, const QString& hometel, const QString& fax)
    {
        const int customer = addCustomer(QStringLiteral("客户"));
        auto value = [](const QString& text) { return text == QLatin1String("null") ? text : sqltext::quoted(text); };
        exec(QStringLiteral("insert into KH_LXR (companyid, Connect_name, tel, mobil, hometel, fax) values (%1, '王', %2, %3, %4, %5)")
                 .arg(customer)
                 .arg(value(tel), value(mobil), value(hometel), value(fax)));
        return customer;
    }
    QString contactColumn(int customer, const char* column)
    {
        return scalar(QStringLiteral("select %1 from KH_LXR where companyid=%2").arg(QLatin1String(column)).arg(customer));
    }
};

} // namespace

TEST_F(UnknownCaller, PopsUpOnTopWithNumberTimeAndArea)
{
    makeAreaDatabase();
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    loadMonitor();
    ring(0, "13800138000");
    tick();
    std::vector<ui::Form*> popUps;
    for (ui::Form* form : ui::Windows::all())
        if (form->kind() == QLatin1String("GtNewNo")) popUps.push_back(form);
    ASSERT_EQ(popUps.size(), 1u);
    ui::Form* window = popUps[0];
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->caption(), QStringLiteral("来电号码"));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->control<ui::TextBox>(QStringLiteral("ldhm"))->text(), QStringLiteral("13800138000"));
    EXPECT_EQ(window->control<ui::Label>(QStringLiteral("Label3"))->caption(), QStringLiteral("2026-3-10 9:30:15"));
    EXPECT_EQ(area(window), QStringLiteral("北京--中国移动"));
    EXPECT_FALSE(window->control<ui::Label>(QStringLiteral("Label1(5)"))->isVisible());
    EXPECT_TRUE(window->control<ui::Label>(QStringLiteral("Label1(2)"))->isVisible());
    EXPECT_FALSE(window->control<ui::PictureButton>(QStringLiteral("Image4"))->isVisible());
    // The new-customer button lies over the customer-card button and takes the click.
    auto* image1 = window->control<ui::PictureButton>(QStringLiteral("Image1"));
    EXPECT_EQ(window->childAt(image1->geometry().center()), image1);
}

TEST_F(UnknownCaller, AreaRulesOfTheWindow)
{
    makeAreaDatabase();
    EXPECT_EQ(area(popUpFor("01065521234")), QStringLiteral("北京市"));
    EXPECT_EQ(area(popUpFor("02112345678")), QStringLiteral("上海市"));
    EXPECT_EQ(area(popUpFor("02612345678")), QStringLiteral("待定"));
    EXPECT_EQ(area(popUpFor("81234567")), QStringLiteral("本地电话--"));
    EXPECT_EQ(area(popUpFor("075581234567")), QStringLiteral("广东--深圳"));
    EXPECT_EQ(area(popUpFor("013912345678")), QStringLiteral("广东深圳--中国移动"));   // the leading 0 is dropped
    // The longest area a mobile block has is read whole in the label.
    auto* label = popUpFor("013912345678")->control<ui::Label>(QStringLiteral("Label4"));
    label->setCaption(QStringLiteral("湖北江汉（天门/仙桃/潜江）区--中国联通"));
    EXPECT_LE(label->heightForWidth(label->width()), label->height());
    EXPECT_EQ(area(popUpFor("138001")), QStringLiteral("未知地址--"));                 // "138001X"
    // "02" alone (kept as "02X") is no city: the label stays as it was.
    EXPECT_EQ(area(popUpFor("02")), QStringLiteral("未知客户"));
    // No number at all: the mobile path of a short number.
    EXPECT_EQ(area(popUpFor("")), QStringLiteral("--"));   // "X"

    // The number-area database missing: "--", and the load goes on.
    QFile::remove(path(QStringLiteral("MobilDB.mdb")));
    ui::Form* window = popUpFor("13800138000");
    EXPECT_EQ(area(window), QStringLiteral("--"));
    EXPECT_EQ(window->control<ui::TextBox>(QStringLiteral("ldhm"))->text(), QStringLiteral("13800138000"));
    EXPECT_TRUE(messages.shown().empty());

    // Without the call monitor there is no number.
    ui::Windows::unloadAll();
    window = ui::Windows::openNew(QStringLiteral("GtNewNo"));
    EXPECT_EQ(window->control<ui::TextBox>(QStringLiteral("ldhm"))->text(), QString());
    EXPECT_EQ(area(window), QStringLiteral("--"));
}

TEST_F(UnknownCaller, ButtonsOpenTheirWindows)
{
    makeAreaDatabase();
    const int customer = addCustomer(QStringLiteral("老客户"));
    Mymode::CurrentRecordId = customer;

    // Two pop-ups: the older one's new-customer button hands over its own number and area.
    ui::Form* first = popUpFor("01065521234");
    ui::Form* second = popUpFor("13800138000");
    first->control<ui::PictureButton>(QStringLiteral("Image1"))->click();
    ui::Form* newCustomer = ui::Windows::loaded(QStringLiteral("frmCustAdd"));
    ASSERT_NE(newCustomer, nullptr);
    EXPECT_EQ(newCustomer->control<ui::TextBox>(QStringLiteral("company_address"))->text(), QStringLiteral("北京市"));
    EXPECT_EQ(newCustomer->control<ui::TextBox>(QStringLiteral("tel"))->text(), QStringLiteral("01065521234"));
    EXPECT_FALSE(isLoaded(first));
    ui::Windows::unload(newCustomer);

    // The customer card: the window stays.
    dynamic_cast<callerid::GtNewNo*>(second)->Image7_Click();
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("老客户"));
    EXPECT_TRUE(isLoaded(second));

    // The quick phone order opens by name when the program has it; the window closes either way.
    second->control<ui::PictureButton>(QStringLiteral("Image2"))->click();
    EXPECT_FALSE(isLoaded(second));
    if (ui::Windows::isDefined(QStringLiteral("frmNewCust")))
        EXPECT_NE(ui::Windows::loaded(QStringLiteral("frmNewCust")), nullptr);

    ui::Form* third = popUpFor("81234567");
    third->control<ui::PictureButton>(QStringLiteral("Image3"))->click();
    EXPECT_FALSE(isLoaded(third));
    EXPECT_TRUE(messages.shown().empty());
}

// Each pop-up's buttons hand its own caller to the window they open, whoever
// rang since; what that window stores is that caller's. A window already open
// comes to the front with what it holds.
TEST_F(UnknownCaller, ButtonsHandOverThePopUpsOwnCaller)
{
    makeAreaDatabase();
    const struct {
        const char* button;
        const char* kind;
        const char* address;   // what the address box takes
    } cases[] = {{"Image1", "frmCustAdd", "北京市"}, {"Image2", "frmNewCust", "01065521234"}};
    for (const auto& c : cases) {
        ui::Form* first = popUpFor("01065521234");
        ui::Form* second = popUpFor("075581234567");
        QTest::mouseClick(first->control<ui::PictureButton>(QString::fromLatin1(c.button)), Qt::LeftButton);
        ui::Form* opened = ui::Windows::loaded(QString::fromLatin1(c.kind));
        ASSERT_NE(opened, nullptr) << c.kind;
        auto box = [&](const char* name) { return opened->control<ui::TextBox>(QString::fromLatin1(name)); };
        for (const char* name : {"companyname", "tel", "LXR"})
            EXPECT_EQ(box(name)->text(), QStringLiteral("01065521234")) << c.kind << " " << name;
        EXPECT_EQ(box("company_address")->text(), QString::fromUtf8(c.address)) << c.kind;

        QTest::mouseClick(second->control<ui::PictureButton>(QString::fromLatin1(c.button)), Qt::LeftButton);
        EXPECT_EQ(ui::Windows::loaded(QString::fromLatin1(c.kind)), opened);
        EXPECT_EQ(box("tel")->text(), QStringLiteral("01065521234")) << c.kind;

        if (opened->hasControl(QStringLiteral("ckflag"))) opened->control<ui::CheckBox>(QStringLiteral("ckflag"))->setValue(0);
        opened->control<ui::PictureButton>(QStringLiteral("command1"))->click();
        EXPECT_EQ(scalar(QStringLiteral("select company_tel from company where company_name='01065521234'")),
                  QStringLiteral("01065521234")) << c.kind;
        EXPECT_EQ(ui::Windows::loaded(QString::fromLatin1(c.kind)), nullptr);
        exec(QStringLiteral("delete from company"));
        messages.clear();
    }
}

TEST_F(UnknownCaller, AddNumberFillsTheFirstEmptyNumber)
{
    auto addNumber = [this](const QString& customerId) {
        auto* window = popUpFor("075581234567");
        window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(customerId);
        window->Image4_Click();
        return window;
    };

    callerid::GtNewNo* window = addNumber(QString());
    expectOnly(QStringLiteral("公司名不存在"));
    EXPECT_TRUE(isLoaded(window));

    const int noContacts = addCustomer(QStringLiteral("无联系人"));
    addNumber(QString::number(noContacts));
    expectOnly(QStringLiteral("找不到该客户的联系人记录，请从联系人管理功能里手工添加联系人记录！"));

    const int telOnly = customerWithContact(QStringLiteral("81230000"), QString(), QString(), QString());
    window = addNumber(QString::number(telOnly));
    expectOnly(QStringLiteral("电话已成功加入"));
    EXPECT_EQ(contactColumn(telOnly, "mobil"), QStringLiteral("075581234567"));
    EXPECT_EQ(contactColumn(telOnly, "hometel"), QString());
    EXPECT_FALSE(isLoaded(window));

    const int full = customerWithContact(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    window = addNumber(QString::number(full));
    expectOnly(QStringLiteral("加入失败，可能是客户电话已满或导入资料格式不符，请手动加入"));
    EXPECT_TRUE(isLoaded(window));

    // Fields with no value at all do not count as empty.
    const int nulls = customerWithContact(QStringLiteral("5"), QStringLiteral("null"), QStringLiteral("null"),
                                          QStringLiteral("null"));
    addNumber(QString::number(nulls));
    expectOnly(QStringLiteral("加入失败，可能是客户电话已满或导入资料格式不符，请手动加入"));

    const int present = customerWithContact(QStringLiteral("6"), QString(), QStringLiteral("0755-075581234567"),
                                            QString());
    window = addNumber(QString::number(present));
    expectOnly(QStringLiteral("电话已成功加入"));
    EXPECT_EQ(contactColumn(present, "tel"), QStringLiteral("6"));
    EXPECT_EQ(contactColumn(present, "mobil"), QString());
    EXPECT_FALSE(isLoaded(window));

    // An id box holding text that is no number reads no customer.
    window = addNumber(QStringLiteral("1 or 1=1"));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(isLoaded(window));
}

// A card loaded unseen for another customer (a new-record window read its
// boxes) loads again for the customer CurrentRecordId names when the card
// button is clicked.
TEST_F(UnknownCaller, CardButtonReloadsACardLoadedUnseenForAnotherCustomer)
{
    const int first = addCustomer(QStringLiteral("甲公司"));
    const int second = addCustomer(QStringLiteral("乙公司"));
    Mymode::CurrentRecordId = first;
    EXPECT_EQ(customercard::boxText(QStringLiteral("companyname")), QStringLiteral("甲公司"));
    ASSERT_FALSE(ui::Windows::loaded(QStringLiteral("frmCustDetail"))->isVisible());

    ui::Form* popUp = popUpFor("13800138000");
    Mymode::CurrentRecordId = second;
    QTest::mouseClick(popUp->control<ui::PictureButton>(QStringLiteral("Image7")), Qt::LeftButton);
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("乙公司"));
    EXPECT_TRUE(isLoaded(popUp));
}

// A contact that cannot be read or changed now is said so, not that its
// numbers are full; the window stays, and the same click adds the number once
// the file is free.
TEST_F(UnknownCaller, AddNumberOnAHeldFileSaysSo)
{
    const int customer = customerWithContact(QStringLiteral("81230000"), QString(), QString(), QString());
    for (const auto hold : {OtherWorkstationWriting::Hold::Write, OtherWorkstationWriting::Hold::Exclusive}) {
        auto* window = popUpFor("075581234567");
        window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(customer));
        {
            OtherWorkstationWriting other(hold);
            window->Image4_Click();
            expectOnly(QStringLiteral("电话没有加入。另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次"));
        }
        EXPECT_TRUE(isLoaded(window));
        EXPECT_EQ(contactColumn(customer, "mobil"), QString());
        QCoreApplication::processEvents();
    }
    auto* window = popUpFor("075581234567");
    window->control<ui::TextBox>(QStringLiteral("KH_ID"))->setText(QString::number(customer));
    window->Image4_Click();
    expectOnly(QStringLiteral("电话已成功加入"));
    EXPECT_EQ(contactColumn(customer, "mobil"), QStringLiteral("075581234567"));
}
