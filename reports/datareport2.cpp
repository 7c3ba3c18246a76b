#include "reports/datareport2.h"

namespace reports {

print::Layout customerListLayout()
{
    print::Layout layout;
    layout.caption = QStringLiteral("列表打印");
    layout.reportWidth = 11040;
    // Narrow margins so the 11,040-twip table fits across A4 paper.
    layout.page.leftMargin = 440;
    layout.page.topMargin = 440;
    layout.page.rightMargin = 0;
    layout.page.bottomMargin = 200;

    const print::Font cell{8.25, false};
    const print::Font caption{9.75, true};
    layout.reportHeader.height = 0;
    layout.pageHeader.height = 375;
    layout.pageHeader.fields = {
        print::label(QStringLiteral("客户名称"), QStringLiteral("客户名称"), 990, 30, 1065, 330, {11.25, true}),
        print::label(QStringLiteral("Label1"), QStringLiteral("客户地址"), 3750, 45, 1140, 300, caption),
        print::label(QStringLiteral("Label2"), QStringLiteral("联系人"), 6600, 45, 615, 285, caption),
        print::label(QStringLiteral("Label3"), QStringLiteral("电话"), 7800, 15, 570, 315, caption),
        print::label(QStringLiteral("Label4"), QStringLiteral("传真"), 9600, 15, 615, 300, caption),
        print::line(QStringLiteral("Line9"), 30, 15, 10980, 0),
        print::line(QStringLiteral("Line8"), 30, 360, 11003, 0),
        print::line(QStringLiteral("Line10"), 30, 15, 0, 300),
        print::line(QStringLiteral("Line11"), 2955, 30, 0, 315),
        print::line(QStringLiteral("Line12"), 6360, 0, 0, 345),
        print::line(QStringLiteral("Line13"), 7305, 30, 0, 345),
        print::line(QStringLiteral("Line14"), 9105, 30, 0, 300),
        print::line(QStringLiteral("Line15"), 11010, 30, 0, 330),
    };
    layout.detail.height = 360;
    layout.detail.fields = {
        print::textBox(QStringLiteral("Text1"), 60, 15, 2880, 285, cell),
        print::textBox(QStringLiteral("Text2"), 2985, 30, 3360, 285, cell),
        print::textBox(QStringLiteral("Text3"), 6360, 30, 960, 285, cell),
        print::textBox(QStringLiteral("Text4"), 7320, 15, 1800, 300, cell),
        print::textBox(QStringLiteral("Text5"), 9120, 30, 1875, 300, cell),
        print::line(QStringLiteral("Line1"), 60, 330, 10980, 0),
        print::line(QStringLiteral("Line6"), 30, 0, 0, 330),
        print::line(QStringLiteral("Line2"), 2955, 0, 0, 315),
        print::line(QStringLiteral("Line3"), 6360, 0, 0, 330),
        print::line(QStringLiteral("Line4"), 7305, 0, 0, 330),
        print::line(QStringLiteral("Line5"), 9105, 0, 0, 345),
        print::line(QStringLiteral("Line7"), 11010, 0, 0, 300),
    };
    layout.pageFooter.height = 0;
    layout.reportFooter.height = 30;
    return layout;
}

DataReport2::DataReport2() : CustListPrintout(QStringLiteral("DataReport2")) {}

std::unique_ptr<print::Report> DataReport2::DataReport_Initialize()
{
    return custListReport(customerListLayout(), {{QStringLiteral("Text1"), QStringLiteral("company_name")},
                                                 {QStringLiteral("Text2"), QStringLiteral("company_address")},
                                                 {QStringLiteral("Text3"), QStringLiteral("company_connect")},
                                                 {QStringLiteral("Text4"), QStringLiteral("company_tel")},
                                                 {QStringLiteral("Text5"), QStringLiteral("company_fax")}});
}

} // namespace reports
