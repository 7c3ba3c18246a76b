#pragma once
// The supplier list "供应商管理": every supplier in a read-only grid with the
// sums of their unpaid amounts, purchases and quantities; suppliers are
// added, edited and deleted from here.
#include "platform/ui/form.h"

namespace sales {

class FrmGYS : public ui::Form {
public:
    FrmGYS();

    // Queries the suppliers again and recomputes the totals.
    void DataGridFresh();
    // The key of the grid's current row; Empty when there is none.
    db::Variant currentKey() const;

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void command3_Click();
    void DataGrid1_DblClick();
    void Command4_Click();

    void showTotals();
    ui::DataGrid* grid() const;
};

} // namespace sales
