#pragma once
// The new-record windows take their customer from the shared customer card
// when they load: its hidden id box `text1`, its name box `companyname`, or its
// address box `company_address`.
#include <QString>

namespace customercard {

// The text of a box of the shared customer card. When the card is not loaded,
// reading it loads the card unseen with the customer CurrentRecordId, and the
// card stays loaded unseen afterwards. Empty when the card has no such box.
QString boxText(const QString& box);

} // namespace customercard
