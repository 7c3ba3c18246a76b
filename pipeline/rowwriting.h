#pragma once
// Writing a window's boxes into the columns of a pending row, the way every
// save of this folder does: texts as typed; a number or date column is left
// alone for a blank box. Every save first checks its boxes against their
// columns (common/columnrules) and refuses what does not fit, so a value the
// column cannot take here is a failure of the save (db::Error), never a column
// quietly left empty.
#include "common/columnrules.h"
#include "platform/db/connection.h"

#include <functional>
#include <span>

namespace pipeline::rowwriting {

enum class Kind { Text, Number, Date };

struct Box {
    const char* control;
    const char* column;
    Kind kind;
};

void setColumn(db::Recordset& row, const QString& column, const QString& text, Kind kind);

// Each box's text (read through `textOf`) for its column of `table`, named by
// `captionOf`, as the column rule checks them.
std::vector<columnrules::Box> checked(const QString& table, std::span<const Box> boxes,
                                      const std::function<QString(const char*)>& textOf,
                                      const std::function<QString(const char*)>& captionOf);

// Each box's text (read through `textOf`) into its column, in order.
void write(db::Recordset& row, std::span<const Box> boxes, const std::function<QString(const char*)>& textOf);

} // namespace pipeline::rowwriting
