#pragma once
// The customer picker "选取客户": lists the customers of the operator's
// record scope, searches them by one field, and hands the chosen customer to
// the record window whose customer button opened it.
#include "common/customerpick.h"
#include "platform/ui/form.h"

#include <QPointer>

namespace customers {

class FrmSelectKH : public ui::Form, public customerpick::Picker {
public:
    FrmSelectKH();

    void openedBy(ui::Form* window) override { opener_ = window; }

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

    // Where the pick goes; gone when that window has been closed.
    QPointer<ui::Form> opener_;
};

} // namespace customers
