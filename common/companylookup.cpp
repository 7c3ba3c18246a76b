#include "common/companylookup.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"

namespace Mymode {

std::optional<std::int32_t> CompanyIdByName(const QString& name)
{
    auto rows = database::query(QStringLiteral("select * from company where company_name=") + sqltext::quoted(name));
    if (rows->eof()) return std::nullopt;
    return static_cast<std::int32_t>(rows->field(QStringLiteral("id")).toLong());
}

void rememberCompanyByName(const QString& name)
{
    std::optional<std::int32_t> id;
    database::guarded([&] { id = CompanyIdByName(name); });
    if (id) CurrentRecordId = *id;
}

} // namespace Mymode
