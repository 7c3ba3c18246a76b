#include "common/recordstamp.h"

#include "common/mymode.h"

namespace customerrecord {

QString flagText(bool ticked)
{
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}

bool flagSet(const db::Variant& stored)
{
    return stored.toText() == QLatin1String("1");
}

void stampNewCustomer(db::Recordset& company, bool isPublic)
{
    company.setField(QStringLiteral("KH_CZZ"), Mymode::OperatorName);
    company.setField(QStringLiteral("KH_GK"), flagText(isPublic));
}

void stampNewContact(db::Recordset& contact, bool isPublic)
{
    contact.setField(QStringLiteral("LXR_CZZ"), Mymode::OperatorName);
    contact.setField(QStringLiteral("LXR_GK"), flagText(isPublic));
}

} // namespace customerrecord
