#pragma once
// Pop-up menus through one service, so tests choose an entry by script
// instead of waiting in the menu's modal loop.
#include "platform/ui/menus.h"

#include <QStringList>
#include <vector>

namespace ui {

class PopupService {
public:
    virtual ~PopupService() = default;
    virtual void popup(Menu& menu) = 0;
};

// Pops the menu up at the mouse pointer and waits until the operator chooses
// an entry or dismisses the menu; the chosen entry runs its click handler.
void popupMenu(Menu& menu);

// Replaces the service (nullptr restores the real menus); returns the previous one.
PopupService* setPopupService(PopupService* service);

// Records every pop-up and chooses the entries named by a queue; with the
// queue empty a pop-up is dismissed without a choice.
class ScriptedPopups : public PopupService {
public:
    ScriptedPopups();
    ~ScriptedPopups() override;
    void popup(Menu& menu) override;
    void chooseNext(const QString& itemName) { choices_ << itemName; }
    // The names of the menus popped up, in order.
    const QStringList& shown() const { return shown_; }

private:
    QStringList shown_;
    QStringList choices_;
    PopupService* previous_ = nullptr;
};

} // namespace ui
