#include "common/companylookup.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"

namespace Mymode {

std::optional<std::int32_t> CompanyIdByName(const QString& name)
{
    std::optional<std::int32_t> id;
    const bool ran = database::guarded([&] {
        auto rows = database::query(QStringLiteral("select * from company where company_name=")
                                    + sqltext::quoted(name));
        if (!rows->eof()) id = static_cast<std::int32_t>(rows->field(QStringLiteral("id")).toLong());
    });
    if (!ran) return 0;
    return id;
}

void rememberCompanyByName(const QString& name)
{
    if (const auto id = CompanyIdByName(name)) CurrentRecordId = *id;
}

} // namespace Mymode
