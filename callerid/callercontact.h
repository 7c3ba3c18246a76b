#pragma once
// Who a caller is: the contact whose telephone, fax, mobile or home number
// holds the caller's number (numbermatch's order), and that contact's
// customer. The call handling asks on the window thread, the call-log writer
// on its own; each passes its own connection.
#include "platform/db/connection.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace callercontact {

struct Contact {
    QString name;                // Connect_name
    std::int32_t companyId = 0;  // 0: the contact names no customer
};

struct Customer {
    std::int32_t id = 0;
    QString name;
};

// Nothing when no contact holds the number. Both throw db::Error when the
// file cannot be read.
std::optional<Contact> of(db::Connection& connection, const QString& number);
// Nothing when the customer is not stored.
std::optional<Customer> customerOf(db::Connection& connection, std::int32_t companyId);

} // namespace callercontact
