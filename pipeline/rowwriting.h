#pragma once
// Writing a window's boxes into the columns of a pending row, the way every
// save of this folder does: texts as typed; a number or date column is left
// alone for a blank box; and a value that its column cannot take (a time that
// is no date, a text longer than the column) leaves just that column alone:
// empty in a new row, unchanged in an edit.
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

// Each box's text (read through `textOf`) into its column, in order.
void write(db::Recordset& row, std::span<const Box> boxes, const std::function<QString(const char*)>& textOf);

} // namespace pipeline::rowwriting
