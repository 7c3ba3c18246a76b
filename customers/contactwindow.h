#pragma once
// What the new-contact window and the contact editor share: the contact's
// boxes with their columns of `KH_LXR`, the customer box with its hidden id
// and picker button, the public and reminder check boxes, and the checks and
// writes both saves make.
#include "platform/db/connection.h"
#include "platform/ui/form.h"

#include <cstdint>
#include <optional>

namespace customers {

class ContactWindow : public ui::Form {
public:
    using ui::Form::Form;

protected:
    // The two windows place rows 8 and 9, the customer box and the
    // description a little differently, and caption the fourth custom box
    // "自定义字段4" (new contact) or "操作者" (the editor, showing the owner).
    enum class Layout { NewContact, Editor };

    // Builds the field block in its tab order; returns the picker button,
    // named as the window names it.
    ui::PictureButton* addContactBoxes(Layout layout, const QString& pickerButton);

    // Shows a stored contact: a column without a value leaves its box empty;
    // the check boxes are ticked only for "1"; the birthday as short-date text.
    void showContact(const db::Recordset& contact);

    // With the reminder ticked the birthday must read as a date, else the
    // operator is told "生日不是一个合法的日期" and false is returned.
    bool birthdayAccepted() const;

    // The customer whose id the hidden box KH_ID holds, when such a customer
    // is stored; otherwise the operator is told "公司名不存在" and nothing is
    // returned. Throws db::Error when the customer cannot be looked up.
    std::optional<std::int32_t> storedCustomer(db::Connection& connection) const;

    // Writes what both saves write into the pending row: the customer, the
    // contact's boxes, the reminder (the birthday only when it is ticked) and
    // the public flag. A text its column cannot hold throws db::Error.
    void writeContact(db::Recordset& contact, std::int32_t customerId) const;

    QString boxText(const QString& name) const;
    bool isTicked(const QString& name) const;
};

} // namespace customers
