#include "reports/repsal.h"

#include "common/mymode.h"
#include "reports/reportexport.h"
#include "reports/reportlist.h"

namespace reports {

namespace {

struct KindOption {
    int index;
    const char* caption;
    double top;
    double width;
};
const KindOption kKindOptions[] = {
    {0, "按年统计", 960, 1335}, {1, "按月统计", 1440, 1215}, {2, "按日统计", 1920, 1335},
    {4, "按产品统计", 2400, 1575}, {5, "按客户统计", 2880, 1695},
};

// The design's 1455 twips for the grand total hold "小计：" and a few digits
// only; the label reaches to the list's right edge (8655), so that any total
// the list can sum shows whole.
const double kTotalsWidth = 8655 - 1320;

} // namespace

RepSal::RepSal() : ReportWindow(QStringLiteral("repsal"), kTotalsWidth)
{
    setCaption(QStringLiteral("销售统计表"));
    for (const KindOption& kind : kKindOptions) {
        ui::OptionButton* option = addOptionButton(QStringLiteral("Option1(%1)").arg(kind.index),
                                                   QString::fromUtf8(kind.caption), 8880, kind.top, kind.width, 255);
        option->onClick = [this, index = kind.index] { Option1_Click(index); };
        option1_[kind.index] = option;
    }
}

void RepSal::Form_Load()
{
    ResizeInit(this);
    text1->setToday();
    text2->setToday();
    reportlist::setColumns(ListView3, salessummary::loadColumns());

    const QString& selector = Mymode::ReportSelector;
    static const QStringList kinds{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                   QStringLiteral("4"), QStringLiteral("5")};
    const int chosen = kinds.indexOf(selector);
    if (chosen == 3) return;   // no summary command stores it: nothing is chosen
    option1_.at(chosen < 0 ? 2 : chosen)->setValue(true);
}

void RepSal::Option1_Click(int)
{
    RunReport();
}

void RepSal::command1_Click()
{
    RunReport();
}

std::optional<salessummary::Kind> RepSal::selectedKind() const
{
    for (const auto& [index, option] : option1_)
        if (option->value()) return static_cast<salessummary::Kind>(index);
    return std::nullopt;
}

void RepSal::RunReport()
{
    if (!datesValid()) return;
    const auto kind = selectedKind();
    if (!kind) return;
    showReport(salessummary::columns(*kind), [&] { return salessummary::run(*kind, text1->value(), text2->value()); });
}

void RepSal::Image1_Click()
{
    const auto kind = selectedKind();
    if (!kind) return;
    const QDate start = text1->value();
    const QDate end = text2->value();
    reportexport::toExcel([&] { return salessummary::exportRows(*kind, start, end); });
}

} // namespace reports
