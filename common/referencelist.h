#pragma once
// The one way a window fills a pick list from a one-column read of the main
// database (a reference list, the products): the texts in the order the rows
// come, read again whenever the list is used, so entries added meanwhile
// (in the list's editor) are offered while the window stays open.
#include "platform/ui/controls.h"

namespace referencelist {

// Offers in `list` the texts of `column` in the rows `sql` reads. A read when
// the list is used waits for no other workstation: a list that cannot be read
// then keeps what it offers. A list that has never been read (the file was
// held when its window opened) says why the first time it is used and finds
// nothing, so that no empty list passes for a list without entries.
void offer(ui::ComboBox* list, const QString& sql, const QString& column);

} // namespace referencelist
