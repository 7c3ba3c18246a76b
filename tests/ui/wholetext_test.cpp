// Names, numbers and addresses longer than their boxes at the windows' design
// sizes show whole: on the customer card, in the order windows, the quick
// order and the quotation window.
#include "tests/support/scratch.h"

#include "common/mymode.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/fittext.h"
#include "platform/ui/windows.h"

#include <QApplication>

namespace {

const QString kLongName = QStringLiteral("星光文具批发零售有限公司");
const QString kLongAddress = QStringLiteral("北京市海淀区中关村南大街12号院");
const QString kLongPhone = QStringLiteral("010-65001235-8001");

class WholeText : public ScratchProgram {
protected:
    void TearDown() override
    {
        ui::Windows::unloadAll();
        ScratchProgram::TearDown();
    }
    static void expectWhole(ui::Form* window, const QString& name)
    {
        const auto* box = window->control<ui::TextBox>(name);
        EXPECT_TRUE(ui::textFits(box)) << window->kind().toStdString() << " " << name.toStdString() << " at "
                                       << box->font().pointSizeF() << "pt";
        // The text is longer than the box at its own size: it was made smaller to fit.
        EXPECT_LT(box->font().pointSizeF(), QApplication::font().pointSizeF())
            << window->kind().toStdString() << " " << name.toStdString();
    }
};

TEST_F(WholeText, LongNamesNumbersAndAddressesShowWhole)
{
    exec(QStringLiteral("insert into company (company_name,company_address,company_connect,company_tel,company_fax,"
                        "company_QK,company_zje,company_Zsl) values ('%1','%2','欧阳建国（采购部经理）','%3','%3',0,0,0)")
             .arg(kLongName + kLongName, kLongAddress + kLongAddress, kLongPhone));
    Mymode::CurrentRecordId = scalar(QStringLiteral("select id from company")).toInt();

    ui::Form* card = ui::Windows::open(QStringLiteral("frmCustDetail"));
    ASSERT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), kLongName + kLongName);
    for (const char* name : {"companyname", "company_address", "LXR", "tel", "fax"})
        expectWhole(card, QString::fromLatin1(name));
    // A short text is back at the box's own size.
    const double design = card->control<ui::TextBox>(QStringLiteral("dute"))->font().pointSizeF();
    card->control<ui::TextBox>(QStringLiteral("companyname"))->setText(QStringLiteral("星光"));
    EXPECT_DOUBLE_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->font().pointSizeF(), design);

    ui::Form* order = ui::Windows::open(QStringLiteral("SalesAdd"));
    order->control<ui::TextBox>(QStringLiteral("CustName"))->setText(kLongAddress + QStringLiteral("3号楼2单元"));
    order->control<ui::TextBox>(QStringLiteral("sales_connect"))->setText(QStringLiteral("欧阳建国 13901234567"));
    ui::element<ui::TextBox>(order, QStringLiteral("product"), 0)->setText(kLongName);
    for (const char* name : {"CustName", "sales_connect"}) expectWhole(order, QString::fromLatin1(name));
    EXPECT_TRUE(ui::textFits(ui::element<ui::TextBox>(order, QStringLiteral("product"), 0)));

    ui::Form* quick = ui::Windows::open(QStringLiteral("frmNewCust"));
    quick->control<ui::TextBox>(QStringLiteral("companyname"))->setText(kLongName);
    quick->control<ui::TextBox>(QStringLiteral("tel"))->setText(kLongPhone);
    quick->control<ui::TextBox>(QStringLiteral("company_address"))->setText(kLongAddress + kLongAddress);
    for (const char* name : {"companyname", "tel", "company_address"}) expectWhole(quick, QString::fromLatin1(name));

    ui::Form* quotation = ui::Windows::open(QStringLiteral("AddChance"));
    quotation->control<ui::TextBox>(QStringLiteral("CustName"))->setText(kLongName);
    expectWhole(quotation, QStringLiteral("CustName"));
}

} // namespace
