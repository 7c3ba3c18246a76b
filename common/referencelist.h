#pragma once
// The one way a window fills a pick list from a one-column read of the main
// database (a reference list, the products): the texts in the order the rows
// come, read again whenever the list is used, so entries added meanwhile
// (in the list's editor) are offered while the window stays open.
#include "platform/ui/controls.h"

namespace referencelist {

// Offers in `list` the texts of `column` in the rows `sql` reads; a read that
// fails offers nothing new (the window is not told).
void offer(ui::ComboBox* list, const QString& sql, const QString& column);

} // namespace referencelist
