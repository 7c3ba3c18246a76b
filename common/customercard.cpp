#include "common/customercard.h"

#include "common/mymode.h"
#include "platform/ui/form.h"
#include "platform/ui/windows.h"

namespace customercard {

void open(std::int32_t customerId)
{
    Mymode::CurrentRecordId = customerId;
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    if (card && !card->isVisible()) ui::Windows::unload(card);
    ui::Windows::open(QStringLiteral("frmCustDetail"));
}

void openFor(const QString& customerName, const QString& customerIdText)
{
    if (customerName.trimmed().isEmpty()) return;
    bool isNumber = false;
    const int id = customerIdText.trimmed().toInt(&isNumber);
    if (!isNumber) return;
    open(id);
}

void handOverCustomerInView(std::optional<std::int32_t> selectedCustomer)
{
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    if (card && card->isVisible()) return;
    if (card) ui::Windows::unload(card);
    Mymode::CurrentRecordId = selectedCustomer.value_or(0);
}

} // namespace customercard
