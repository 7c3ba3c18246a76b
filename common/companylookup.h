#pragma once
// Finding a customer by its name, as the customer card's tabs and the record
// editors' saves do before they remember the customer in CurrentRecordId.
#include <QString>
#include <cstdint>
#include <optional>

namespace Mymode {

// The id of the first customer whose company_name equals `name` (compared as
// the database compares text); std::nullopt when no customer has that name;
// 0 when the lookup cannot be run.
std::optional<std::int32_t> CompanyIdByName(const QString& name);

// Stores the lookup in CurrentRecordId: a found id, 0 when the lookup could
// not be run; CurrentRecordId keeps its value when no customer has that name.
void rememberCompanyByName(const QString& name);

} // namespace Mymode
