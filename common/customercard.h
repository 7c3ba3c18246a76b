#pragma once
// The customer-card opener that the record windows bind to a double-click on
// their customer name box.
#include <QString>
#include <cstdint>
#include <optional>

namespace customercard {

// Stores the customer id in CurrentRecordId and opens the customer card on
// it: a card loaded unseen (a new-record window read its boxes) holds
// whatever record was current then and loads again; a card in sight comes to
// the front as it is.
void open(std::int32_t customerId);

// When the customer name is not blank, stores the customer id typed in the
// window's hidden id box in CurrentRecordId and opens the customer card (an
// open card comes to the front with what it shows, as open does). An id box that does not
// hold a whole number opens nothing: the name was typed by hand.
void openFor(const QString& customerName, const QString& customerIdText);

// Before a new-record window opens: it is to take the customer the operator
// has in view. The card in sight keeps its customer; otherwise a card loaded
// unseen is dropped and CurrentRecordId becomes the customer given (the
// customer row selected in the main window), or 0 for none, so that the card
// the window loads unseen shows that customer or nobody. CurrentRecordId may
// hold the id of any kind of record (an order last opened): it is never taken
// for a customer here.
void handOverCustomerInView(std::optional<std::int32_t> selectedCustomer);

} // namespace customercard
