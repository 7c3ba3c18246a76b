#pragma once
// What every window of this folder shares: the customer box with its picker
// button and card opener, labelled boxes and pick-only lists at their twip
// places, the picture buttons, the window skin, the prefill from the customer
// card, and the check that a picked customer still exists.
#include "common/columnrules.h"
#include "common/keptrow.h"
#include "pipeline/rowwriting.h"
#include "platform/db/connection.h"
#include "platform/ui/form.h"

#include <functional>
#include <span>

class MainLists;

namespace pipeline {

// The texts of an editor's save.
struct EditTexts {
    const char* right;      // the edit right, "e_acti=1;"
    const char* refused;    // without it (error icon, title "修改资料")
    const char* saved;
    const char* stale;      // the record was changed or deleted elsewhere since the load
    const char* notSaved;   // followed by the reason
};

class RecordWindow : public ui::Form {
public:
    using ui::Form::Form;

protected:
    void Form_Paint() override;

    // "相关客户", the name box CustName (its double-click opens the customer's
    // card), the hidden id box KH_ID and the picker button `pickerName`.
    void addCustomerBox(const QString& pickerName, const QString& toolTip, double top, double boxWidth);
    // A caption at the label column `labelLeft` and a box beside it.
    ui::TextBox* addField(const QString& caption, const QString& name, double labelLeft, double top, double width);
    ui::ComboBox* addList(const QString& caption, const QString& name, double labelLeft, double top, double width);
    ui::PictureButton* addButton(const QString& name, const QString& picture, const QString& toolTip, double left,
                                 double top, std::function<void()> click, double width = 735);

    // Appends the values of a reference table (or another one-column read) to
    // a list, in the order the rows come; a failed read leaves the list empty.
    void fillList(const QString& list, const QString& sql, const QString& column);
    // Chooses a stored value in its list. A value the list no longer holds is
    // added to it, so it is shown and kept until the operator picks another.
    void showChoice(const QString& list, const QString& value);

    // The customer of the customer card, which is loaded unseen for
    // CurrentRecordId when it is not open.
    void takeCustomerFromCard();
    // An editor's customer: the name and id of the customer `companyId`
    // names; both boxes stay empty when it no longer exists. False when it
    // cannot be read (the operator was told why).
    bool showCustomerOf(const db::Variant& companyId);
    // Whether KH_ID names a customer that exists now; else "公司名不存在"
    // (no id: a hand-typed name; or the customer was deleted elsewhere since
    // the pick, and the record would be listed nowhere). A read that fails
    // says why instead.
    bool customerExists();
    // An editor whose record could not be read whole cannot save (command1):
    // the save would store what the window could not show.
    void refuseSaves();

    // Adds one row to `table` ("select * from " + table) with the values that
    // `fill` sets. When it cannot be stored the operator is told
    // `failureText` and the reason, and nothing is stored.
    bool insertRow(const QString& table, const std::function<void(db::Recordset&)>& fill, const QString& failureText);
    // A new record's save shows the confirmation, hands the list to the main
    // window and closes the window.
    void confirmAndClose(const QString& confirmation, const std::function<void(MainLists&)>& showList);

    // An editor's save: the right, then `checksPass` (which tells the
    // operator what fails), then the kept row written by `fill` and `after` in
    // one transaction; the confirmation only after the commit, then
    // CurrentRecordId takes the customer of the exact name in CustName and the
    // window closes. A refused or failed save keeps the window as it is.
    void saveEdit(keptrow::KeptRow& record, const EditTexts& texts, const std::function<bool()>& checksPass,
                  const std::function<void(db::Recordset&)>& fill,
                  const std::function<void(db::Connection&)>& after = {});

    // A box's caption: its label's text without blanks or a closing colon
    // ("联 系 人": "联系人"); the hidden id box KH_ID is the customer box's.
    QString captionOf(const char* box) const;
    // The window's boxes with their columns of `table`, as the column rule checks them.
    std::vector<columnrules::Box> checkedBoxes(const QString& table, std::span<const rowwriting::Box> boxes) const;
    // Whether every box fits its column; else the first refusal is shown
    // ("联系人太长，最多50个字") and nothing is written.
    static bool fit(const std::vector<columnrules::Box>& boxes);

    QString boxText(const QString& name) const;
    void setBoxText(const QString& name, const QString& text);
    bool ticked(const QString& checkBox) const;

    void command3_Click();       // the close button
    void CustName_DblClick();
    void openCustomerPicker();

    static constexpr double kLabelLeft = 120;
    static constexpr double kSecondLabelLeft = 3720;
    static constexpr double kLabelWidth = 1140;
    static constexpr double kBoxHeight = 285;
    static constexpr double kRowStep = 390;
    static double rowTop(int row) { return 900 + (row - 1) * kRowStep; }
};

} // namespace pipeline
