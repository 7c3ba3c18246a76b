#include "reports/analysalesgc.h"

#include "reports/composition.h"

namespace reports {

AnalySalesGc::AnalySalesGc()
    : AnalysisFrame(QStringLiteral("AnalySalesGc"), QStringLiteral("销售构成分析"), QStringLiteral("分  析"))
{
    ui::Frame* frame = addFrame(QStringLiteral("Frame1"), QStringLiteral("分析对象"), 240, 600, 4200, 1575, optionsPage());
    option1_[0] = addOptionButton(QStringLiteral("Option1(0)"), QStringLiteral("按产品"), 480, 480, 1575, 315, frame);
    option1_[1] = addOptionButton(QStringLiteral("Option1(1)"), QStringLiteral("按客户"), 480, 960, 1575, 315, frame);
    option1_[0]->setValue(true);
}

analysis::Result AnalySalesGc::analyse(const QDate& start, const QDate& end)
{
    // With neither option chosen the analysis runs per product.
    const auto by = option1_[1]->value() ? composition::By::Customer : composition::By::Product;
    return composition::run(by, start, end);
}

} // namespace reports
