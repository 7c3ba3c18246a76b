#include "platform/ui/popupmenu.h"

#include <QCursor>

namespace ui {
namespace {

class RealPopups : public PopupService {
public:
    // Choosing an entry triggers it, which runs its click handler.
    void popup(Menu& menu) override { menu.exec(QCursor::pos()); }
};

RealPopups realPopups;
PopupService* current = &realPopups;

} // namespace

void popupMenu(Menu& menu)
{
    current->popup(menu);
}

PopupService* setPopupService(PopupService* service)
{
    PopupService* previous = current;
    current = service ? service : &realPopups;
    return previous;
}

ScriptedPopups::ScriptedPopups() : previous_(setPopupService(this)) {}

ScriptedPopups::~ScriptedPopups()
{
    setPopupService(previous_);
}

void ScriptedPopups::popup(Menu& menu)
{
    shown_ << menu.objectName();
    if (choices_.isEmpty()) return;
    const QString choice = choices_.takeFirst();
    if (auto* item = menu.findChild<MenuItem*>(choice)) item->click();
}

} // namespace ui
