#pragma once
// The about window "关于....": the product's title and version and the links
// to the maker's home page and support forum. It has no buttons; the
// operator closes it with the window's close box.
#include "platform/ui/form.h"

namespace mainwin {

class FrmAbout : public ui::Form {
public:
    FrmAbout();

protected:
    void Form_Paint() override;

private:
    void Label1_Click();   // the home page
    void Label5_Click();   // the support forum
};

} // namespace mainwin
