#pragma once
// The import's mapping window: the source file's tables, the fields of the
// chosen table tied to customer columns by ten mapping boxes, and the import
// button that writes the records.
#include "platform/ui/form.h"

#include <vector>

namespace login {

class Inpordatnex : public ui::Form {
public:
    Inpordatnex();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void Combo2_Click();                          // a table is chosen
    void Combo1_Click();                          // a field is chosen
    void mappingBox_GotFocus(ui::TextBox* box);   // text1_GotFocus .. Text10_GotFocus
    void command1_Click();                        // import
    void command2_Click();                        // back
    void command3_Click();                        // close

    // The file the table list was read from; the field list and the import read
    // the same file, whatever the chooser holds by then.
    QString sourcePath_;
    ui::ComboBox* Combo2_;
    ui::ComboBox* Combo1_;
    std::vector<ui::TextBox*> boxes_;   // text1 .. Text10
};

} // namespace login
