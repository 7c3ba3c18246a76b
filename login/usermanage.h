#pragma once
// The operators window: the list of operators, and for the operator in the
// boxes the password, the fourteen rights and the record scope; operators are
// added, their rights modified and non-administrators deleted.
#include "platform/ui/form.h"

#include <array>

namespace login {

class FrmUserManage : public ui::Form {
public:
    FrmUserManage();

    void DataGridFresh();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();        // add
    void command3_Click();        // modify
    void Command4_Click();        // delete
    void command2_Click();        // close
    void LoadSelectedUser();      // the grid's current row changed, or a row was clicked
    void showStored(const db::Variant& userId);
    void clearBoxes();
    void Option1_Click(int index);

    void writeRights(db::Recordset& row) const;   // the fourteen flags and the scope
    QString selectedScope() const;

    ui::TextBox* userName_;
    ui::TextBox* userPwd_;
    ui::DataGrid* grid_;
    std::array<ui::CheckBox*, 14> rights_{};
    std::array<ui::OptionButton*, 3> scopes_{};
};

} // namespace login
