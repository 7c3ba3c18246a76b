#pragma once
// What the customer card and the new-customer window share: the customer's
// boxes with their columns of `company`, the four reference lists, and the
// writing of the boxes into a customer row.
#include "customers/customerrecord.h"
#include "platform/ui/form.h"

namespace customers {

class CustomerWindow : public ui::Form {
public:
    using ui::Form::Form;

protected:
    // Rows 1 to 5 of the customer block, rows 360 twips apart from top 360:
    // name, public box, address, main contact, customer number, telephone,
    // fax, mobile and customer group, in this tab order.
    void addCustomerBoxes(double nameWidth, double publicLeft, double publicTop);
    // The frame "客户其它可选项": e-mail, web, VIP card, points, industry,
    // source, status, document number, bank and account.
    void addOptionsFrame(double left, double top);
    // The frame "客户财务信息" with the four balances, each starting at "0".
    void addBalancesFrame(double left, double top, double width, double height, double rowStep);
    // The description box with its label.
    void addDescription(double labelLeft, double labelTop, double left, double top, double width, double height);
    // Once every box is made: the customer's boxes take the tab order of the
    // card (block, description, options row by row, balances).
    void declareTabOrder();

    // Fills the group, industry, source and status lists from their
    // reference tables, in the order the rows come; a list that cannot be
    // read stays empty.
    void fillReferenceLists();
    // Shows the customer row in the boxes. A column without a value leaves its
    // box as it is; a stored list value missing from its list is added to it,
    // so that it is shown and kept.
    void showCustomer(const db::Recordset& company);
    // Tells the operator of the first balance box that holds something other
    // than a number ("预收押金必须是数字") and puts the cursor there; false
    // then. An empty box passes: it stands for 0.
    bool balancesAreNumbers();
    // Writes every box into its column of the pending row, and the public
    // flag. A text that its column cannot take leaves that column as it is,
    // except in the balances: they are checked first with balancesAreNumbers(),
    // an empty one is stored as 0, and one the column still cannot take (a
    // number too large for it) throws db::Error.
    void writeCustomer(db::Recordset& company) const;

    // Locks every box of the customer (nothing can be typed) or opens them again.
    void lockBoxes(bool locked);

    bool isPublic() const;
    customerrecord::MainContact mainContact() const;
    QString boxText(const QString& name) const;
};

} // namespace customers
