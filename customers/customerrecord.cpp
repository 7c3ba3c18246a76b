#include "customers/customerrecord.h"

#include "common/sqltext.h"

namespace customerrecord {

namespace {

void writeRepeated(db::Recordset& contact, const MainContact& values)
{
    contact.setField(QStringLiteral("Connect_name"), values.name);
    contact.setField(QStringLiteral("tel"), values.tel);
    contact.setField(QStringLiteral("fax"), values.fax);
    contact.setField(QStringLiteral("postcode"), values.postcode);
    contact.setField(QStringLiteral("mobil"), values.mobil);
    contact.setField(QStringLiteral("email"), values.email);
}

} // namespace

void addMainContact(db::Connection& connection, std::int32_t customerId, const MainContact& values,
                    const QString& address, const QString& customerNumber, bool isPublic)
{
    db::Recordset contact;
    contact.open(QStringLiteral("select * from KH_LXR"), connection, db::CursorType::Static,
                 db::LockType::Optimistic);
    contact.addNew();
    contact.setField(QStringLiteral("companyid"), customerId);
    writeRepeated(contact, values);
    contact.setField(QStringLiteral("address"), address);
    contact.setField(QStringLiteral("Connect_dute"), customerNumber);
    stampNewContact(contact, isPublic);
    contact.update();
}

void updateMainContact(db::Connection& connection, std::int32_t customerId, const QString& oldName,
                       const MainContact& values)
{
    db::Recordset contact;
    contact.open(QStringLiteral("select * from KH_LXR where companyid=") + QString::number(customerId)
                     + QStringLiteral(" and Connect_name = ") + sqltext::quoted(oldName),
                 connection, db::CursorType::Static, db::LockType::Optimistic);
    if (contact.eof()) {
        contact.addNew();
        contact.setField(QStringLiteral("companyid"), customerId);
    }
    writeRepeated(contact, values);
    contact.update();
}

} // namespace customerrecord
