#pragma once
// What the new-order window and the order editor share: the header boxes,
// the line rows with the product-number look-up, the customer picker and
// card, the skin, the close button, and the order as its boxes hold it.
#include "common/linerows.h"
#include "platform/ui/form.h"
#include "sales/deliveryslip.h"
#include "sales/orderstore.h"
#include "sales/productlookup.h"

#include <memory>
#include <optional>

namespace sales {

class OrderWindow : public ui::Form {
public:
    linerows::LineRows* rows() const { return rows_; }

    // Display width of a text, as the slip measures it.
    static int CheckStringLength(const QString& text);

protected:
    // `pickerButton`: the name of the customer picker's button.
    OrderWindow(const QString& kind, const linerows::Variant& variant, const QString& pickerButton);

    void Form_Paint() override;

    // The save button command1 and the close button command2 at the foot;
    // returns the save button for its handler.
    ui::PictureButton* addSaveAndClose(const QString& savePicture, const QString& saveTip);

    void command2_Click();
    void CustName_DblClick();
    void openCustomerPicker();

    QString boxText(const QString& name) const;
    void setBoxText(const QString& name, const QString& text);
    ui::CheckBox* check(const QString& name) const;
    // The date and number as filled in show whole in their design widths.
    void fitHeaderText();
    // The order as the boxes hold it, its lines those of the walk.
    orderstore::Order order() const;
    // Shows why the order cannot be saved as it stands (no customer id, a
    // value its column cannot take); false when nothing stands in the way.
    bool refuses(const orderstore::Order& order, const QString& noCustomerText) const;
    // The delivery slip of the boxes as they stand, with the customer of KH_ID
    // and, for the wide layout, the seller; those are read only for a slip to
    // print. Nothing when they cannot be read (the operator was told why).
    std::optional<SlipRecord> slipRecord(const QString& printOption) const;

    // A save in progress ignores a second click.
    bool saving_ = false;
    struct SaveInProgress {
        explicit SaveInProgress(bool& flag) : flag_(flag) { flag_ = true; }
        ~SaveInProgress() { flag_ = false; }
        bool& flag_;
    };

private:
    linerows::LineRows* rows_ = nullptr;
    std::unique_ptr<ProductLookup> lookup_;
};

} // namespace sales
