#include "pipeline/quotationlines.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "pipeline/rowwriting.h"

namespace pipeline::quotationlines {

QString linesSelect(const QString& lineKey)
{
    if (lineKey.trimmed().isEmpty()) return QString();
    return QStringLiteral("select * from chanceMX where indexflag=") + sqltext::quoted(lineKey)
           + QStringLiteral(" order by id");
}

std::optional<std::vector<Line>> read(const QString& lineKey)
{
    std::vector<Line> lines;
    if (lineKey.trimmed().isEmpty()) return lines;
    const bool read = database::read([&] {
        auto connection = database::openMain();
        db::Recordset stored;
        stored.open(linesSelect(lineKey), *connection);
        for (; !stored.eof(); stored.moveNext()) {
            Line line;
            line.product = stored.field(QStringLiteral("productname")).toText();
            line.price = stored.field(QStringLiteral("price")).toText();
            line.quantity = stored.field(QStringLiteral("num")).toText();
            line.discount = stored.field(QStringLiteral("zk")).toText();
            line.total = stored.field(QStringLiteral("unitprice")).toText();
            db::Recordset product;
            product.open(QStringLiteral("select description from product where product=")
                             + sqltext::quoted(line.product) + QStringLiteral(" order by id"),
                         *connection);
            if (!product.eof()) line.model = product.field(0).toText();
            lines.push_back(line);
        }
    });
    if (!read) return std::nullopt;
    return lines;
}

std::vector<columnrules::Box> checkedBoxes(const QString& table, const std::vector<Line>& lines)
{
    std::vector<columnrules::Box> boxes;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const Line& line = lines[row];
        for (columnrules::Box& box : columnrules::lineBoxes(table, int(row), QStringLiteral("产品名称"), line.product,
                                                             line.price, line.discount, line.quantity, line.total))
            boxes.push_back(std::move(box));
    }
    return boxes;
}

void insert(db::Connection& connection, const QString& table, const std::vector<Line>& lines,
            const QString& customerId, const QString& saleDate, const QString& lineKey)
{
    using rowwriting::Kind;
    db::Recordset rows;
    rows.open(QStringLiteral("select * from ") + table + QStringLiteral(" where 1=0"), connection,
              db::CursorType::Static, db::LockType::Optimistic);
    for (const Line& line : lines) {
        rows.addNew();
        rowwriting::setColumn(rows, QStringLiteral("productname"), line.product, Kind::Text);
        rowwriting::setColumn(rows, QStringLiteral("companyid"), customerId, Kind::Number);
        rowwriting::setColumn(rows, QStringLiteral("price"), line.price, Kind::Number);
        rowwriting::setColumn(rows, QStringLiteral("zk"), line.discount, Kind::Number);
        rowwriting::setColumn(rows, QStringLiteral("num"), line.quantity, Kind::Number);
        if (line.total != QLatin1String("Err"))
            rowwriting::setColumn(rows, QStringLiteral("unitprice"), line.total, Kind::Number);
        rowwriting::setColumn(rows, QStringLiteral("salesdate"), saleDate, Kind::Date);
        rows.setField(QStringLiteral("indexflag"), lineKey);
        rows.update();
    }
}

void remove(db::Connection& connection, const QString& table, const QString& lineKey)
{
    if (lineKey.trimmed().isEmpty()) return;
    connection.execute(QStringLiteral("delete from ") + table + QStringLiteral(" where indexflag=")
                       + sqltext::quoted(lineKey));
}

} // namespace pipeline::quotationlines
