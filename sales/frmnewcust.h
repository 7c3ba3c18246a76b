#pragma once
// The quick phone order "创建新客户并立即配送": a caller's new customer, its
// main contact and a sales order with its lines in one form. One save stores
// them together, prints the courier's slip and queues an order notice for the
// mobile number of the customer's group.
#include "common/callerhandover.h"
#include "common/linerows.h"
#include "platform/ui/form.h"
#include "sales/productlookup.h"
#include "sales/quickorder.h"

#include <memory>

namespace sales {

class FrmNewCust : public ui::Form, public callerhandover::Taker {
public:
    FrmNewCust();

    // The caller's number into name, telephone, contact and address: the
    // monitor's last caller at load, or the caller of the unknown-caller
    // window that opened it.
    void takeCaller(const callerhandover::Caller& caller) override;

    linerows::LineRows* rows() const { return rows_; }
    void ChanceTotalMx();
    int CheckStringLength(const QString& txt) const;

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void command2_Click();
    void Allzk_KeyPress(int& keyAscii);
    void invoicetype_Click();

    QString boxText(const QString& name) const;
    void setBoxText(const QString& name, const QString& text);
    // The order as the boxes hold it, with the rows the save writes.
    quickorder::Order order() const;
    void printSlip(const QString& slip);

    linerows::LineRows* rows_ = nullptr;
    std::unique_ptr<ProductLookup> lookup_;
};

} // namespace sales
