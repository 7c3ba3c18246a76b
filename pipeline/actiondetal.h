#pragma once
// The activity editing window "修改活动": the activity whose id
// CurrentRecordId held when the window loaded, kept as loaded and saved back
// only while nobody else has changed it.
#include "common/keptrow.h"
#include "pipeline/activitywindow.h"

namespace pipeline {

class ActionDetal : public ActivityWindow {
public:
    ActionDetal();

protected:
    void Form_Load() override;
    void Tixin_Click() override;
    void command1_Click() override;

private:
    keptrow::KeptRow activity_;
};

} // namespace pipeline
