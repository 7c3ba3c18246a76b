#include "reports/analysisresult.h"

#include "platform/db/variant.h"
#include "reports/fixedpoint.h"

namespace analysis {

std::optional<std::int64_t> lineAmount(const db::Variant& price, const db::Variant& quantity, const db::Variant& discount)
{
    const auto p = fixedpoint::amount(price);
    const auto n = fixedpoint::amount(quantity);
    const auto z = fixedpoint::amount(discount);
    if (!p || !n || !z) return std::nullopt;
    // In ten-thousandths the product is price × quantity × discount; divided
    // by 100 it is the line amount in millionths, exactly.
    return fixedpoint::multiply(fixedpoint::multiply(*p, *n), *z).ticks();
}

std::optional<std::int64_t> roundedQuantity(const db::Variant& quantity)
{
    if (!db::isNumeric(quantity)) return std::nullopt;
    return fixedpoint::roundedQuantity(quantity.toDouble()) * 10000;
}

std::optional<std::int64_t> amountUnits(const db::Variant& amount)
{
    const auto value = fixedpoint::amount(amount);
    if (!value) return std::nullopt;
    return value->ticks() * 100;
}

std::optional<std::int64_t> quantityUnits(const db::Variant& quantity)
{
    const auto value = fixedpoint::amount(quantity);
    if (!value) return std::nullopt;
    return value->ticks();
}

void Totals::add(Tally& group, std::optional<std::int64_t> rowAmount, std::optional<std::int64_t> rowSecond)
{
    if (rowAmount) {
        group.amount += *rowAmount;
        amount.add(*rowAmount);
    }
    if (rowSecond) {
        group.second += *rowSecond;
        second.add(*rowSecond);
    }
}

std::pair<std::optional<std::int64_t>, std::optional<std::int64_t>> orderAmounts(const db::Variant& total,
                                                                                  const db::Variant& received)
{
    const auto amount = amountUnits(total);
    const auto paid = amountUnits(received);
    if (amount && paid) return {amount, *amount - *paid};
    return {amount, std::nullopt};
}

QString amountText(const Sum& millionths)
{
    return millionths.empty() ? QString() : fixedpoint::millionthsText(millionths.units());
}

QString amountText(std::int64_t millionths)
{
    return fixedpoint::millionthsText(millionths);
}

QString quantityText(const Sum& tenThousandths)
{
    return tenThousandths.empty() ? QString() : quantityText(tenThousandths.units());
}

QString quantityText(std::int64_t tenThousandths)
{
    return db::Currency::fromTicks(tenThousandths).toString();
}

ResultBuilder::ResultBuilder(const QString& heading) : heading_(heading) {}

void ResultBuilder::addGroup(const QString& label, std::int64_t amountMillionths, const QStringList& moreFields)
{
    QStringList fields{label, amountText(amountMillionths)};
    fields << moreFields;
    lines_ << fields.join(QLatin1Char('\t'));
    chart_.emplace_back(label, static_cast<double>(amountMillionths) / 1e6);
}

Result ResultBuilder::finish(const QString& title, const Sum& totalAmount, const QString& secondCaption,
                             const QString& secondTotal)
{
    Result result;
    const QString lineBreak = QStringLiteral("\r\n");
    result.text = lineBreak + heading_;
    for (const QString& line : lines_) result.text += lineBreak + line;
    result.amountTotal = QStringLiteral("总金额：") + amountText(totalAmount);
    result.secondTotal = secondCaption + secondTotal;
    result.title = title;
    result.chart = std::move(chart_);
    return result;
}

} // namespace analysis
