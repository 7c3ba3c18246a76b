#pragma once
// The lines of a quotation as the windows show and store them: one place
// reads a quotation's lines for the rows of the editor and the conversion,
// one writes rows as lines (quotation lines, or the lines of the order a
// quotation becomes).
#include "common/columnrules.h"
#include "platform/db/connection.h"

#include <QString>
#include <optional>
#include <vector>

namespace pipeline::quotationlines {

struct Line {
    QString product;         // the stored product name
    QString model;   // shown in 规格型号, never stored
    QString price, quantity, discount, total;
};

// Each stored chanceMX line of the key once, in stored order, under its
// stored name; its model is the `description` of the first product
// of that name, or empty when no product has it. An empty key has no lines.
// Nothing when they cannot be read (the operator was told why): a window
// must not show a quotation without its lines as if it had none.
std::optional<std::vector<Line>> read(const QString& lineKey);

// The statement that reads a quotation's stored lines in stored order, for a
// kept record to see whether they were changed elsewhere since the load;
// empty for an empty key, which has no lines.
QString linesSelect(const QString& lineKey);

// The lines' boxes for their columns of `table` (chanceMX or SalesMX), as
// the column rule checks them: "第2行单价必须是数字", "第1行产品名称太长，最多100个字".
std::vector<columnrules::Box> checkedBoxes(const QString& table, const std::vector<Line>& lines);

// Adds the lines to `table` (chanceMX or SalesMX) under the key, each with
// the header's customer id and sale date text. A line total of "Err" (figures
// that make no number) stores no total; any other value its column cannot
// take fails the write (db::Error): the boxes were checked before.
void insert(db::Connection& connection, const QString& table, const std::vector<Line>& lines,
            const QString& customerId, const QString& saleDate, const QString& lineKey);

// Deletes the lines of a key from `table`. An empty key deletes nothing: it
// would take the lines of every other header without a key.
void remove(db::Connection& connection, const QString& table, const QString& lineKey);

} // namespace pipeline::quotationlines
