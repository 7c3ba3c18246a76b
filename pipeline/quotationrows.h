#pragma once
// The line rows of the quotation windows and of the conversion: the order
// rows without unit and number look-up, filled from a quotation's lines and
// read back as lines by the walk.
#include "common/linerows.h"
#include "pipeline/quotationlines.h"

namespace pipeline::quotationrows {

// Rows in Frame1 captioned `caption` at the given place; the total goes to
// totalMx only. `namesReadOnly`: product and model are filled only
// by loading and by the product picker.
linerows::Variant variant(const QString& caption, double top, double height, bool namesReadOnly);

// Rows 0.. from the lines (row 0 stays empty without lines), then one empty
// row after them: at index count, or 1 when there are fewer than two lines.
void show(linerows::LineRows& rows, const std::vector<quotationlines::Line>& lines);

// The rows of the walk as lines: row 0, then each row up to the first whose
// quantity is empty or no number.
std::vector<quotationlines::Line> linesOf(const linerows::LineRows& rows);

} // namespace pipeline::quotationrows
