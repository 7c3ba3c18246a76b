#pragma once
// The new-activity window "增加活动": one activity of a customer with an
// optional reminder, stored as a new row of KH_ACT; the main window then
// shows the activity list.
#include "pipeline/activitywindow.h"

namespace pipeline {

class ActionAdd : public ActivityWindow {
public:
    ActionAdd();

protected:
    void Form_Load() override;
    void Tixin_Click() override;
    void command1_Click() override;
};

} // namespace pipeline
