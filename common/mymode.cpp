#include "common/mymode.h"

namespace Mymode {

QString ConnectString;
QString OperatorName;
QString UserRights;
std::int32_t CurrentRecordId = 0;
QString CustListSql;
QString ReportSelector;
ui::Form* ProductPickCaller = nullptr;

bool hasRight(const QString& keyWithValue)
{
    return UserRights.contains(keyWithValue, Qt::CaseSensitive);
}

void reset()
{
    ConnectString.clear();
    OperatorName.clear();
    UserRights.clear();
    CurrentRecordId = 0;
    CustListSql.clear();
    ReportSelector.clear();
    ProductPickCaller = nullptr;
}

} // namespace Mymode
