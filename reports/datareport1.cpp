#include "reports/datareport1.h"

namespace reports {

print::Layout labelLayout()
{
    print::Layout layout;
    layout.caption = QStringLiteral("标签打印");
    layout.reportWidth = 5145;
    // The label keeps its designed 1,000-twip margin on the left only.
    layout.page.leftMargin = 1000;
    layout.page.topMargin = 0;
    layout.page.rightMargin = 0;
    layout.page.bottomMargin = 0;

    const print::Font large{14.25, true};
    const print::Font normal{12, false};
    layout.detail.height = 2025;
    layout.detail.fields = {
        print::textBox(QStringLiteral("Text1"), 15, 0, 1695, 285, large),
        print::textBox(QStringLiteral("Text2"), 60, 390, 5025, 285, normal),
        print::textBox(QStringLiteral("Text4"), 360, 735, 4605, 345, normal),
        print::textBox(QStringLiteral("Text3"), 1845, 1200, 1695, 555, large),
        print::line(QStringLiteral("Line1"), 15, 1935, 4875, 0),
        print::line(QStringLiteral("Line2"), 5102, 0, 0, 1770),
    };
    return layout;
}

DataReport1::DataReport1() : CustListPrintout(QStringLiteral("DataReport1")) {}

std::unique_ptr<print::Report> DataReport1::DataReport_Initialize()
{
    return custListReport(labelLayout(), {{QStringLiteral("Text1"), QStringLiteral("company_postcode")},
                                          {QStringLiteral("Text2"), QStringLiteral("company_address")},
                                          {QStringLiteral("Text3"), QStringLiteral("company_connect")},
                                          {QStringLiteral("Text4"), QStringLiteral("company_name")}});
}

} // namespace reports
