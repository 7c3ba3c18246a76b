#pragma once
// The import's source chooser: the path of another Access database file,
// typed or browsed for. It stays loaded, hidden, while the mapping window
// reads that file.
#include "platform/ui/form.h"

namespace login {

class Inpordat : public ui::Form {
public:
    Inpordat();
    QString sourcePath() const;   // the path box, trimmed

protected:
    void Form_Paint() override;

private:
    void command1_Click();   // browse
    void command2_Click();   // next
    void command3_Click();   // close

    ui::TextBox* text1_;
};

} // namespace login
