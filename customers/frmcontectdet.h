#pragma once
// The contact editor "修改联系人": shows one stored contact and writes the
// operator's changes back to that same contact.
#include "customers/contactwindow.h"

#include <memory>
#include <optional>

namespace customers {

class FrmContectDet : public ContactWindow {
public:
    FrmContectDet();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void command3_Click();

    // The contact row as the load read it: the save writes through it, so the
    // editor saves the contact it shows whatever CurrentRecordId holds by
    // then, and a row changed or deleted meanwhile is not overwritten.
    std::unique_ptr<db::Recordset> contact_;
    // Why the contact could not be read, when it could not.
    std::optional<db::Error> readFailure_;
};

} // namespace customers
