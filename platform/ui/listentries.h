#pragma once
// A pick list whose entries come from a source that may grow while its
// window is open (a reference list that its editor adds to).
#include "platform/ui/controls.h"

#include <QStringList>
#include <functional>

namespace ui {

// Offers the entries `read` gives now, and reads them again each time the list
// takes the focus or is pressed to drop down: the entries it gained since are
// added after the others, the choice and the entries the window added itself
// stay. So a value added elsewhere is offered without closing the window.
void offerEntries(ComboBox* list, std::function<QStringList()> read);

} // namespace ui
