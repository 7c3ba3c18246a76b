#include "platform/ui/boxtext.h"

namespace ui {

QString boxText(const Form* window, const QString& name)
{
    if (auto* area = window->findChild<TextArea*>(name)) return area->text();
    if (auto* list = window->findChild<ComboBox*>(name)) return list->text();
    return window->control<TextBox>(name)->text();
}

void setBoxText(Form* window, const QString& name, const QString& text)
{
    if (auto* area = window->findChild<TextArea*>(name)) area->setText(text);
    else if (auto* list = window->findChild<ComboBox*>(name)) list->setText(text);
    else window->control<TextBox>(name)->setText(text);
}

} // namespace ui
