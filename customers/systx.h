#pragma once
// The reminder settings "系统提醒设置": the reminders switch and their
// interval in minutes, stored in the settings row and applied to the main
// window's reminder timer at once.
#include "platform/db/error.h"
#include "platform/ui/form.h"

#include <optional>

namespace customers {

class SysTx : public ui::Form {
public:
    SysTx();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();

    // Why the settings could not be read, when they could not.
    std::optional<db::Error> readFailure_;
};

} // namespace customers
