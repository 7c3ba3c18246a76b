#pragma once
// The flag and owner rules of the customer rows (`company`) and contact rows
// (`KH_LXR`), for every window that writes them: yes/no flags stored as the
// text "1" or "0", and the owner and public flag set when a row is inserted.
#include "platform/db/connection.h"

namespace customerrecord {

QString flagText(bool ticked);                   // "1" ticked, "0" not
bool flagSet(const db::Variant& stored);         // ticked only for exactly "1"

// Owner (the operator at work) and public flag of a row being inserted.
void stampNewCustomer(db::Recordset& company, bool isPublic);
void stampNewContact(db::Recordset& contact, bool isPublic);

} // namespace customerrecord
