#pragma once
// The order editor "修改销售记录": one stored order with its lines; its save
// rewrites header and lines and moves stock and the customer's balances by
// the difference between the order as stored and as edited.
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

    void showOrder(const db::Recordset& order);
    int showLines();   // the number of lines shown
    bool store(const orderstore::Order& order);

    // The order this window loaded: its save rewrites this one, whatever
    // CurrentRecordId holds by then.
    qint64 orderId_ = 0;
    QString lineKey_;
};

} // namespace sales
