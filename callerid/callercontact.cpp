#include "callerid/callercontact.h"

#include "callerid/numbermatch.h"

namespace callercontact {

namespace {

const QStringList kContactNumbers = {QStringLiteral("tel"), QStringLiteral("fax"), QStringLiteral("mobil"),
                                     QStringLiteral("hometel")};

} // namespace

std::optional<Contact> of(db::Connection& connection, const QString& number)
{
    const auto contactId = numbermatch::bestId(connection, QStringLiteral("KH_LXR"), kContactNumbers, number);
    if (!contactId) return std::nullopt;
    db::Recordset contact;
    contact.open(QStringLiteral("select * from KH_LXR where id=") + QString::number(*contactId), connection);
    if (contact.eof()) return std::nullopt;
    const db::Variant company = contact.field(QStringLiteral("companyid"));
    return Contact{contact.field(QStringLiteral("Connect_name")).toText(),
                   company.isNullOrEmpty() ? 0 : static_cast<std::int32_t>(company.toLong())};
}

std::optional<Customer> customerOf(db::Connection& connection, std::int32_t companyId)
{
    db::Recordset company;
    company.open(QStringLiteral("select id,company_name from company where id= ") + QString::number(companyId),
                 connection);
    if (company.eof()) return std::nullopt;
    return Customer{static_cast<std::int32_t>(company.field(QStringLiteral("id")).toLong()),
                    company.field(QStringLiteral("company_name")).toText()};
}

} // namespace callercontact
