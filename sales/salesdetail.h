#pragma once
// The order editor "修改销售记录": one stored order with its lines; its save
// rewrites header and lines and moves stock and the customer's balances by
// the difference between the order as stored and as edited.
#include "common/keptrow.h"
#include "sales/orderwindow.h"

namespace sales {

class SalesDetail : public OrderWindow {
public:
    SalesDetail();

    // Prints the delivery slip of the order as the window shows it, in the
    // layout of the last saved new order; writes nothing.
    void PrintDeliverySlip();

protected:
    void Form_Load() override;

private:
    void command1_Click();
    void Command4_Click();
    void zk_Change(int row);

    // Each false when a read failed; the operator was told why.
    bool showOrder(const db::Recordset& order);
    bool showLines(int& shown);   // `shown`: the number of lines shown
    bool store(const orderstore::Order& order);
    // The save's steps inside its transaction, on the kept header row.
    void rewrite(db::Connection& connection, db::Recordset& header, const orderstore::Order& order);
    // The loaded order is still stored (it was not deleted meanwhile);
    // nothing when that cannot be read (the operator was told why).
    std::optional<bool> orderExists() const;

    // The order this window loaded, header and lines as read: its save
    // rewrites this one, whatever CurrentRecordId holds by then, and is
    // refused when another editor has saved it since.
    keptrow::KeptRow order_;
    QString lineKey_;
};

} // namespace sales
