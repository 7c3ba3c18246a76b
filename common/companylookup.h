#pragma once
// Finding a customer by its name, as the customer card's tabs and the record
// editors' saves do before they remember the customer in CurrentRecordId.
#include <QString>
#include <cstdint>
#include <optional>

namespace Mymode {

// The id of the first customer whose company_name equals `name` (compared as
// the database compares text); std::nullopt when no customer has that name.
// Throws db::Error when the lookup cannot be run.
std::optional<std::int32_t> CompanyIdByName(const QString& name);

// Stores a found id in CurrentRecordId. CurrentRecordId keeps its value when
// no customer has that name and when the lookup cannot be run now (a busy
// file): the customer last in view stays the current one.
void rememberCompanyByName(const QString& name);

} // namespace Mymode
