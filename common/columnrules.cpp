#include "common/columnrules.h"

#include "common/database.h"

#include <map>
#include <memory>

namespace columnrules {

QString text(const QString& caption, const db::ColumnRefusal& refusal)
{
    using Why = db::ColumnRefusal::Why;
    switch (refusal.why) {
    case Why::TooLong: return caption + QStringLiteral("太长，最多%1个字").arg(refusal.width);
    case Why::NotNumber: return caption + QStringLiteral("必须是数字");
    case Why::TooLarge: return caption + QStringLiteral("太大，最多%1").arg(refusal.largest);
    case Why::NotDate: return caption + QStringLiteral("不是一个合法的日期");
    }
    return QString();
}

QString refusal(const db::Recordset& rows, const QString& column, const QString& caption, const QString& text)
{
    const auto refused = rows.refusal(column, db::Variant(text));
    if (!refused) return QString();
    if (db::trimBlanks(text).isEmpty() && refused->why != db::ColumnRefusal::Why::TooLong) return QString();
    return columnrules::text(caption, *refused);
}

QString firstRefusal(const std::vector<Box>& boxes)
{
    QString refused;
    database::guarded([&] {
        auto connection = database::openMain();
        std::map<QString, std::unique_ptr<db::Recordset>> tables;
        for (const Box& box : boxes) {
            std::unique_ptr<db::Recordset>& rows = tables[box.table.toLower()];
            if (!rows) {
                rows = std::make_unique<db::Recordset>();
                rows->open(QStringLiteral("select * from ") + box.table + QStringLiteral(" where 1=0"), *connection);
            }
            refused = refusal(*rows, box.column, box.caption, box.text);
            if (!refused.isEmpty()) return;
        }
    });
    return refused;
}

std::vector<Box> lineBoxes(const QString& table, int row, const QString& productCaption, const QString& product,
                           const QString& price, const QString& discount, const QString& quantity,
                           const QString& total)
{
    const QString prefix = QStringLiteral("第%1行").arg(row + 1);
    std::vector<Box> boxes{{table, QStringLiteral("productname"), prefix + productCaption, product},
                           {table, QStringLiteral("price"), prefix + QStringLiteral("单价"), price},
                           {table, QStringLiteral("zk"), prefix + QStringLiteral("折扣"), discount},
                           {table, QStringLiteral("num"), prefix + QStringLiteral("数量"), quantity}};
    if (total != QLatin1String("Err")) boxes.push_back({table, QStringLiteral("unitprice"), prefix + QStringLiteral("小计"), total});
    return boxes;
}

} // namespace columnrules
