#pragma once
// The reminder window "系统提醒": the operator's own contacts whose birthday
// is today and activities whose reminder has come; a double-click opens the
// record, and the reminders can be stopped until the next start.
#include "platform/ui/form.h"

namespace customers {

class SysAlert : public ui::Form {
public:
    SysAlert();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void DataGrid1_DblClick();
    void DataGrid2_DblClick();

    void openRow(const QString& gridName, const QString& editorWindow);
};

} // namespace customers
