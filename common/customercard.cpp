#include "common/customercard.h"

#include "common/mymode.h"
#include "platform/ui/form.h"
#include "platform/ui/windows.h"

namespace customercard {

void openFor(const QString& customerName, const QString& customerIdText)
{
    if (customerName.trimmed().isEmpty()) return;
    bool isNumber = false;
    const int id = customerIdText.trimmed().toInt(&isNumber);
    if (!isNumber) return;
    Mymode::CurrentRecordId = id;
    // A card loaded unseen (a new order reads its boxes) holds whatever record
    // was current then; it loads again for this customer. A card in sight
    // comes to the front as it is.
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    if (card && !card->isVisible()) ui::Windows::unload(card);
    ui::Windows::open(QStringLiteral("frmCustDetail"));
}

} // namespace customercard
