#include "common/cardboxes.h"

#include "platform/ui/windows.h"

namespace customercard {

QString boxText(const QString& box)
{
    const QString kind = QStringLiteral("frmCustDetail");
    if (!ui::Windows::isDefined(kind)) return QString();
    ui::Form* card = ui::Windows::get(kind);
    if (!card) return QString();
    if (auto* text = card->findChild<ui::TextBox*>(box)) return text->text();
    return QString();
}

} // namespace customercard
