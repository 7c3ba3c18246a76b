#pragma once
// The rules of the customer rows (`company`) and contact rows (`KH_LXR`) that
// every window writing them follows: yes/no flags stored as the text "1" or
// "0", the owner and public flag set when a row is inserted, and the main
// contact (the customer's contact named like its company_connect) kept in
// step with its customer.
#include "platform/db/connection.h"

#include <cstdint>

namespace customerrecord {

QString flagText(bool ticked);                   // "1" ticked, "0" not
bool flagSet(const db::Variant& stored);         // ticked only for exactly "1"

// Owner (the operator at work) and public flag of a row being inserted.
void stampNewCustomer(db::Recordset& company, bool isPublic);
void stampNewContact(db::Recordset& contact, bool isPublic);

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
