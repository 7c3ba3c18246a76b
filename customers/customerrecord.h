#pragma once
// The main contact of a customer (the customer's contact named like its
// company_connect) kept in step with its customer; the flag and owner rules
// of both rows are in common/recordstamp.h.
#include "common/recordstamp.h"

#include <cstdint>

namespace customerrecord {

// What a customer's main contact repeats of its customer.
struct MainContact {
    QString name;        // the customer's company_connect
    QString tel;
    QString fax;
    QString mobil;
    QString email;
    QString postcode;    // the customer's VIP card number
};

// Adds the main contact of a customer just inserted: besides the repeated
// numbers it carries the customer's address, the customer number in
// Connect_dute, and the customer's public flag and owner. Throws db::Error.
void addMainContact(db::Connection& connection, std::int32_t customerId, const MainContact& values,
                    const QString& address, const QString& customerNumber, bool isPublic);

// After a customer's save: changes the first contact of the customer that
// carries `oldName`, or adds one for the customer when it has none; only the
// repeated columns are written. Throws db::Error.
void updateMainContact(db::Connection& connection, std::int32_t customerId, const QString& oldName,
                       const MainContact& values);

} // namespace customerrecord
