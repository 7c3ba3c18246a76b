#pragma once
// The caller-ID and recording settings: the outside-line prefix, the number
// filter, the recording age and the recording and pop-up switches of the
// settings row.
#include "platform/db/error.h"
#include "platform/ui/form.h"

#include <optional>

namespace callerid {

class SysOther : public ui::Form {
    Q_OBJECT

public:
    SysOther();

    void command1_Click();
    void command2_Click();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    bool agesApart() const;
    // Stores the boxes; false with what refused them and the words for what
    // was not saved.
    bool store(std::optional<db::Error>& failure, QString& notSaved);

    ui::TextBox* text1 = nullptr;
    ui::TextBox* text2 = nullptr;
    ui::TextBox* Text3 = nullptr;
    ui::CheckBox* Check1 = nullptr;
    ui::CheckBox* Check2 = nullptr;
};

} // namespace callerid
