#pragma once
// The purchase order "进货单": goods bought from one supplier, with line rows
// priced as price x quantity; its save stores the purchase, raises the stock
// of each product and the supplier's balances.
#include "common/linerows.h"
#include "platform/ui/form.h"
#include "sales/purchasestore.h"

namespace sales {

class FrmJHd : public ui::Form {
public:
    FrmJHd();

    linerows::LineRows* rows() const { return rows_; }
    // Recomputes the line amounts and the total; the amount paid stays as typed.
    void ChanceTotalMx();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();

    // The message that stops the save, empty when nothing does.
    QString refusal() const;
    purchasestore::Purchase purchaseInBoxes() const;

    linerows::LineRows* rows_ = nullptr;
    bool saving_ = false;
};

} // namespace sales
