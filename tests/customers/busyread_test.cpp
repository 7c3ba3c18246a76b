// The customer windows while another workstation holds the data file: a
// window that cannot read its record says why, shows no blank record as
// that one and never saves its boxes over it; the picker keeps its list.
#include "tests/customers/customerfixture.h"

#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <functional>

namespace {

const QString kBusy = QString::fromUtf8(readfailure::kBusyText);
const QString kRefusedBusy = QStringLiteral("另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次");

using BusyRecords = CustomerTest;

} // namespace

TEST_F(BusyRecords, AWindowThatCannotReadItsRecordSaysWhyAndSavesNothingOverIt)
{
    const int customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")},
                                      {QStringLiteral("company_tel"), QStringLiteral("021")}});
    const int contact = addContact(customer, {{QStringLiteral("Connect_name"), QStringLiteral("张三")},
                                              {QStringLiteral("mobil"), QStringLiteral("139")}});
    exec(QStringLiteral("update DriveInfo set Sys_alert='1', alertpl='30'"));
    const struct {
        const char* window;
        int record;
        const char* shownBox;   // shows the record once it is read
        const char* shown;
        const char* typedBox;   // stored in `stored` by a save
        std::function<QString()> stored;
        const char* refused;
        const char* saved;
    } cases[] = {
        {"frmContectDet", contact, "LXR", "张三", "mobil",
         [&] { return column(QStringLiteral("KH_LXR"), contact, QStringLiteral("mobil")); },
         "联系人资料未能保存：", "联系人已成功修改"},
        {"systx", 0, "alertpl", "30", "alertpl", [&] { return scalar(QStringLiteral("select alertpl from DriveInfo")); },
         "设置保存失败，提醒设置没有改变。", "设置已生效"},
    };
    for (const auto& c : cases) {
        const QString window = QString::fromLatin1(c.window);
        const QString before = c.stored();
        Mymode::CurrentRecordId = c.record;
        ui::Form* form = nullptr;
        {
            OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
            form = ui::Windows::open(window);
        }
        expectOnly(kBusy);
        EXPECT_EQ(text(form, QString::fromLatin1(c.shownBox)), QString()) << c.window;
        type(form, QString::fromLatin1(c.typedBox), QStringLiteral("5"));
        click(form, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.refused) + kRefusedBusy);
        EXPECT_EQ(c.stored(), before) << c.window;
        EXPECT_EQ(ui::Windows::loaded(window), form) << c.window;

        // Opened again once the file is free, it shows the record and saves.
        ui::Windows::unload(form);
        form = ui::Windows::open(window);
        EXPECT_EQ(text(form, QString::fromLatin1(c.shownBox)), QString::fromUtf8(c.shown)) << c.window;
        type(form, QString::fromLatin1(c.typedBox), QStringLiteral("5"));
        click(form, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.saved));
        EXPECT_EQ(c.stored(), QStringLiteral("5")) << c.window;
    }
}

// The card that could not read its customer shows no figure and takes no
// typing; its save reads the customer again: still held, it says so; read,
// the card shows the customer to be changed, and the next save stores it.
TEST_F(BusyRecords, ACardThatCouldNotReadItsCustomerReadsItAtTheSave)
{
    const int customer = addCustomer({{QStringLiteral("company_name"), QStringLiteral("华东贸易")},
                                      {QStringLiteral("company_tel"), QStringLiteral("021")},
                                      {QStringLiteral("company_QK"), QStringLiteral("120")}});
    Mymode::CurrentRecordId = customer;
    ui::Form* card = nullptr;
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        card = ui::Windows::open(QStringLiteral("frmCustDetail"));
        expectOnly(kBusy);
        Mymode::CurrentRecordId = 0;   // the operator moves on in the main window
        for (const char* balance : {"KH_YJ", "KH_QK", "KH_ZJE", "KH_ZSL"}) EXPECT_EQ(text(card, balance), QString()) << balance;
        EXPECT_TRUE(card->control<ui::TextBox>(QStringLiteral("tel"))->isReadOnly());
        click(card, QStringLiteral("command1"));
        expectOnly(QStringLiteral("客户资料未能保存：") + kRefusedBusy);
    }
    click(card, QStringLiteral("command1"));
    expectOnly(QStringLiteral("打开时没能读出该客户，现在已读出并显示，这次没有保存，请核对后再修改"));
    EXPECT_EQ(text(card, QStringLiteral("companyname")), QStringLiteral("华东贸易"));
    EXPECT_EQ(text(card, QStringLiteral("KH_QK")), QStringLiteral("120"));
    EXPECT_EQ(text(card, QStringLiteral("KH_YJ")), QStringLiteral("0"));
    const auto stored = [&](const char* name) { return column(QStringLiteral("company"), customer, QString::fromLatin1(name)); };
    EXPECT_EQ(stored("company_tel"), QStringLiteral("021"));

    type(card, QStringLiteral("tel"), QStringLiteral("5"));
    click(card, QStringLiteral("command1"));
    expectOnly(QStringLiteral("客户资料修改成功！"));
    EXPECT_EQ(stored("company_tel"), QStringLiteral("5"));
    EXPECT_EQ(stored("company_QK"), QStringLiteral("120"));
}

// A search that cannot be read is no search without a match: the list stays.
TEST_F(BusyRecords, APickerSearchThatCannotBeReadSaysWhyAndKeepsTheList)
{
    addCustomer({{QStringLiteral("company_name"), QStringLiteral("alpha")}});
    addCustomer({{QStringLiteral("company_name"), QStringLiteral("beta")}});
    ui::Form* picker = ui::Windows::open(QStringLiteral("frmSelectKH"));
    auto* list = picker->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
    ASSERT_EQ(list->rowCount(), 2);
    picker->control<ui::ComboBox>(QStringLiteral("strField"))->setText(QStringLiteral("客户名称"));
    type(picker, QStringLiteral("strKey"), QStringLiteral("alpha"));
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        click(picker, QStringLiteral("command5"));
    }
    expectOnly(kBusy);
    EXPECT_EQ(list->rowCount(), 2);
    click(picker, QStringLiteral("command5"));
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->cellText(0, 1), QStringLiteral("alpha"));
}

// Pick lists read while the file was held: the first use says so once, no
// use waits for the file, and a use once it is free offers the entries.
TEST_F(BusyRecords, APickListNotReadSaysSoOnceAndNeverWaitsAtTheFocus)
{
    setReferenceValues(QStringLiteral("client_type"), {QStringLiteral("批发"), QStringLiteral("零售")});
    ui::ComboBox* groups = nullptr;
    const auto focus = [&] {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(groups, &focusIn);
    };
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        groups = ui::Windows::open(QStringLiteral("frmCustAdd"))->control<ui::ComboBox>(QStringLiteral("Custtype"));
        messages.clear();
        db::setBusyWaitForTests(3000);
        for (int use = 0; use < 3; ++use) {
            QElapsedTimer waited;
            waited.start();
            focus();
            EXPECT_LT(waited.elapsed(), 1000) << use;
        }
        expectOnly(QStringLiteral("选择列表没有内容可选：") + kBusy);
        EXPECT_EQ(groups->listCount(), 0);
    }
    focus();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(groups->listCount(), 2);
    EXPECT_EQ(groups->list(1), QStringLiteral("零售"));
}
