#include "common/customercard.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

namespace customercard {

void openFor(const QString& customerName, const QString& customerIdText)
{
    if (customerName.trimmed().isEmpty()) return;
    bool isNumber = false;
    const int id = customerIdText.trimmed().toInt(&isNumber);
    if (!isNumber) return;
    Mymode::CurrentRecordId = id;
    ui::Windows::open(QStringLiteral("frmCustDetail"));
}

} // namespace customercard
