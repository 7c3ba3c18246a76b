#pragma once
// What one sales order adds to its customer's balances, and the one way each
// road changes them: the new order and the quick phone order add the order's
// share, the order editor takes the stored order's share back and adds the
// edited order's (to the same customer or to another), and the delete of an
// order takes its share back. So a customer's balances always hold exactly
// the shares of the orders that exist.
//
// The share of the amount owed (company_QK) is what the order leaves unpaid:
// total − received when the total is the larger, otherwise nothing. Money
// received beyond an order's total is not taken off what the customer owes
// for other orders, and the same rule holds for a return (a negative total).
#include "platform/db/connection.h"
#include "platform/db/variant.h"

#include <QString>

namespace ordershare {

struct Share {
    db::Currency total;     // company_zje
    double quantity = 0;    // company_Zsl
    db::Currency owed;      // company_QK
};

// The share of an order of this total, amount received and quantity.
Share of(db::Currency total, db::Currency received, double quantity);

// The share of a stored order: the total and the amount received of its
// header row (a sales row; an empty amount counts as 0) and the quantities of
// the lines stored under its line key (a line without a quantity counts 0; a
// header without a key has no lines of its own).
Share ofStored(db::Connection& connection, const db::Recordset& header);

// Thrown when a change would take a balance beyond the currency range; the
// customer's row is not written then.
struct OutOfRange {};

// Adds the share to the balances of the customer with this id / takes it back;
// empty balances count as 0. A customer that no longer exists changes nothing.
void add(db::Connection& connection, qint64 customerId, const Share& share);
void takeBack(db::Connection& connection, qint64 customerId, const Share& share);

// An order stored with `before` for customer `from` is now `after` for
// customer `to`: one customer's balances move by the difference, or the
// share leaves the one and enters the other.
void replace(db::Connection& connection, qint64 from, const Share& before, qint64 to, const Share& after);

} // namespace ordershare
