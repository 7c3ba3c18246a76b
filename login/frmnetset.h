#pragma once
// The work-mode window: chooses whether this computer runs as a workstation
// of a shared database folder, as the server that shares its data folder, or
// standalone, and names the shared folder of a workstation. The choice is
// kept in the settings row of this computer's own database file and takes
// effect at the next start of the program.
#include "platform/ui/form.h"

namespace login {

class FrmNetSet : public ui::Form {
public:
    FrmNetSet();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void Option_Click();     // one body for Option1, Option2 and Option3
    void command1_Click();   // share test
    void command2_Click();   // save

    ui::OptionButton* option1_;
    ui::OptionButton* option2_;
    ui::OptionButton* option3_;
    ui::TextBox* text1_;
    ui::PictureButton* command1_;
};

} // namespace login
