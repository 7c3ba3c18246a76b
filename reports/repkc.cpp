#include "reports/repkc.h"

#include "common/mymode.h"
#include "reports/reportexport.h"

namespace reports {

RepKC::RepKC() : ReportWindow(QStringLiteral("repKC"), 6015)
{
    setCaption(QStringLiteral("库存报表"));
    const char* const captions[] = {"库存报表", "出库统计", "入库统计", "入库明细"};
    for (int i = 0; i < 4; ++i) {
        option1_[i] = addOptionButton(QStringLiteral("Option1(%1)").arg(i), QString::fromUtf8(captions[i]), 8880,
                                      960 + i * 480, 1335, 255);
        option1_[i]->onClick = [this] { RunReport(); };
    }
}

void RepKC::Form_Load()
{
    ResizeInit(this);
    text1->setToday();
    text2->setToday();
    static const QStringList selectors{QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"), QStringLiteral("9")};
    const int chosen = selectors.indexOf(Mymode::ReportSelector);
    option1_[chosen < 0 ? 0 : chosen]->setValue(true);
}

void RepKC::command1_Click()
{
    RunReport();
}

stockreport::Kind RepKC::selectedKind() const
{
    for (int i = 0; i < 4; ++i)
        if (option1_[i]->value()) return static_cast<stockreport::Kind>(i);
    return stockreport::Kind::Stock;
}

void RepKC::RunReport()
{
    if (!datesValid()) return;
    const stockreport::Kind kind = selectedKind();
    showReport(stockreport::columns(kind), [&] { return stockreport::run(kind, text1->value(), text2->value()); });
}

void RepKC::Image1_Click()
{
    const stockreport::Kind kind = selectedKind();
    const QDate start = text1->value();
    const QDate end = text2->value();
    reportexport::toExcel([&] { return stockreport::exportRows(kind, start, end); });
}

} // namespace reports
