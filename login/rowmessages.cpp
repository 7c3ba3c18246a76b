#include "login/rowmessages.h"

#include "platform/ui/msgbox.h"

namespace login {

bool confirmDelete()
{
    return ui::msgBox(QStringLiteral("真要删除当前记录吗？"), ui::Buttons::YesNo) == ui::Answer::Yes;
}

void showRecordMissing()
{
    ui::msgBox(QStringLiteral("记录不存在，可能已经被删除"));
}

void showWriteFailed(const QString& text, const QString& title)
{
    ui::msgBox(text, ui::Buttons::Ok, ui::Icon::Error, title);
}

} // namespace login
