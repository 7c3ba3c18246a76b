#include "pipeline/quotationrows.h"

namespace pipeline::quotationrows {

linerows::Variant variant(const QString& caption, double top, double height, bool namesReadOnly)
{
    linerows::Variant rows;
    rows.layout = linerows::Layout::Quotation;
    rows.unit = false;
    rows.namesReadOnly = namesReadOnly;
    rows.frameCaption = caption;
    rows.frameTop = top;
    rows.frameHeight = height;
    rows.selIndexText = QString();
    return rows;
}

void show(linerows::LineRows& rows, const std::vector<quotationlines::Line>& lines)
{
    const int count = static_cast<int>(lines.size());
    for (int row = 0; row < count; ++row) {
        rows.addRow(row, linerows::RowOrder::Loaded);
        const quotationlines::Line& line = lines[static_cast<std::size_t>(row)];
        auto set = [&](const char* column, const QString& text) {
            if (ui::TextBox* box = rows.box(QString::fromLatin1(column), row)) box->setText(text);
        };
        set("product", line.product);
        set("description", line.model);
        set("Price", line.price);
        set("num", line.quantity);
        set("zk", line.discount);
        set("TotalSM", line.total);
    }
    const int empty = std::max(count, 1);
    rows.addRow(empty, linerows::RowOrder::Loaded);
    for (const char* column : {"product", "description", "Price", "num", "zk", "TotalSM"})
        if (ui::TextBox* box = rows.box(QString::fromLatin1(column), empty)) box->setText(QString());
}

std::vector<quotationlines::Line> linesOf(const linerows::LineRows& rows)
{
    std::vector<quotationlines::Line> lines;
    for (int row : rows.lines()) {
        auto text = [&](const char* column) {
            const ui::TextBox* box = rows.box(QString::fromLatin1(column), row);
            return box ? box->text() : QString();
        };
        lines.push_back({text("product"), text("description"), text("Price"), text("num"), text("zk"),
                         text("TotalSM")});
    }
    return lines;
}

} // namespace pipeline::quotationrows
