#pragma once
// The customer picker "选取客户": lists the customers of the operator's
// record scope, searches them by one field, and hands the chosen customer to
// every shown record window that asks for one.
#include "platform/ui/form.h"

namespace customers {

class FrmSelectKH : public ui::Form {
public:
    FrmSelectKH();

    // Shows the rows of `sqlstr` (the eleven customer fields, id first).
    void DataGrid1Fresh(const QString& sqlstr);

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command5_Click();
    void strKey_KeyPress(int& keyAscii);
    void command1_Click();
    void command2_Click();
};

} // namespace customers
