#pragma once
// The conversion "机会报价转订单": the quotation whose id CurrentRecordId held
// when the window loaded becomes a sales order with its lines, and the
// quotation with all its lines is deleted, in one transaction; refused when
// the quotation changed or vanished since the load. It moves no stock and no
// balance and takes no order number from the counter.
#include "common/keptrow.h"
#include "common/linerows.h"
#include "pipeline/recordwindow.h"

#include <vector>

namespace pipeline {

class BecomeOrder : public RecordWindow {
public:
    BecomeOrder();
    linerows::LineRows* rows() const { return rows_; }
    void ChanceTotalMx();

protected:
    void Form_Load() override;

private:
    void command1_Click();
    void command2_Click();
    void ckflag_Click();

    // False when the customers cannot be read (the operator was told why).
    bool fillCustomers(const db::Variant& quotationCustomer);
    // The checks of the conversion in their order, each refusal shown in a box;
    // false after the first that fails.
    bool orderComplete();
    // Whether every box fits its column of the order or its lines; else the
    // first refusal is shown, naming the box ("收款金额必须是数字").
    bool boxesFit() const;
    // The id of the customer entry chosen in CustName, when it still exists;
    // else the operator is told why there is none.
    std::optional<qint64> chosenCustomer() const;
    void writeOrder(db::Recordset& order, qint64 customerId, const QString& lineKey) const;

    linerows::LineRows* rows_ = nullptr;
    keptrow::KeptRow quotation_;
    std::vector<qint64> customerIds_;   // one per entry of CustName
};

} // namespace pipeline
