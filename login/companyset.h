#pragma once
// The seller's details window: the name, address, telephone and two footnote
// lines that the wide delivery slip prints, kept in the settings row of the
// database the run uses (shared by every computer of a network).
#include "platform/ui/form.h"

namespace login {

class CompanySet : public ui::Form {
public:
    CompanySet();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command2_Click();   // save
    void command1_Click();   // close

    ui::TextBox* kh_name_;
    ui::TextBox* KH_add_;
    ui::TextBox* kh_tel_;
    ui::TextBox* des1_;
    ui::TextBox* des2_;
};

} // namespace login
