#include "reports/analysalesqs.h"

#include "common/database.h"
#include "reports/productlist.h"
#include "reports/trend.h"

namespace reports {

AnalySalesQs::AnalySalesQs()
    : AnalysisFrame(QStringLiteral("AnalySalesQs"), QStringLiteral("销售趋势分析"), QStringLiteral("分   析"))
{
    QWidget* options = optionsPage();
    ui::Frame* modes = addFrame(QStringLiteral("Frame1"), QStringLiteral("分析方式"), 240, 600, 4200, 1575, options);
    const char* const modeCaptions[] = {"按年分析", "按月分析", "按天分析"};
    for (int i = 0; i < 3; ++i)
        option1_[i] = addOptionButton(QStringLiteral("Option1(%1)").arg(i), QString::fromUtf8(modeCaptions[i]), 480,
                                      360 + i * 390, 1575, 315, modes);
    option1_[0]->setValue(true);

    ui::Frame* scope = addFrame(QStringLiteral("Frame2"), QStringLiteral("产品选择"), 240, 2400, 4200, 1575, options);
    option2_[0] = addOptionButton(QStringLiteral("Option2(0)"), QStringLiteral("所有产品"), 480, 360, 1575, 315, scope);
    option2_[1] = addOptionButton(QStringLiteral("Option2(1)"), QStringLiteral("选定的产品"), 480, 840, 1575, 315, scope);
    option2_[0]->setValue(true);
    for (ui::OptionButton* option : option2_) option->onClick = [this] { Option2_Click(); };
    Combo1 = addComboBox(QStringLiteral("Combo1"), ui::ComboBox::Editable, 2160, 840, 1815, 315, scope);
    Combo1->setVisible(false);

    addCommandButton(QStringLiteral("command5"), QStringLiteral("关  闭"), 7680, 5880, 1215, 375, dataPage())->onClick =
        [this] { closeWindow(); };
}

void AnalySalesQs::Option2_Click()
{
    if (!option2_[1]->value()) {
        Combo1->setVisible(false);
        return;
    }
    Combo1->setVisible(true);
    // Names that cannot be read are told; the box keeps the names it had.
    QStringList names;
    if (!database::read([&] { names = productNames(); })) return;
    Combo1->clear();
    for (const QString& name : names) Combo1->addItem(name);
}

analysis::Result AnalySalesQs::analyse(const QDate& start, const QDate& end)
{
    trend::Mode mode = trend::Mode::Year;
    if (option1_[1]->value()) mode = trend::Mode::Month;
    if (option1_[2]->value()) mode = trend::Mode::Day;
    std::optional<QString> product;
    if (option2_[1]->value()) product = Combo1->text();
    return trend::run(mode, product, start, end);
}

} // namespace reports
