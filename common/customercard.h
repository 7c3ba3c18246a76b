#pragma once
// The customer-card opener that the record windows bind to a double-click on
// their customer name box.
#include <QString>

namespace customercard {

// When the customer name is not blank, stores the customer id typed in the
// window's hidden id box in CurrentRecordId and opens the customer card (an
// open card comes to the front with what it shows). An id box that does not
// hold a whole number opens nothing: the name was typed by hand.
void openFor(const QString& customerName, const QString& customerIdText);

} // namespace customercard
