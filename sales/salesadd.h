#pragma once
// The new-order window "增加销售记录": one order for one customer, numbered
// from the day's counter; its save stores header and lines, lowers the stock,
// raises the customer's balances and prints the delivery slip.
#include "sales/deliveryslip.h"
#include "sales/orderwindow.h"

namespace sales {

class SalesAdd : public OrderWindow {
public:
    SalesAdd();

protected:
    void Form_Load() override;

private:
    void command1_Click();
    void command5_Click();

    // Stores the order in one transaction; false (with its message shown) when nothing was stored.
    bool store(orderstore::Order& order);

    QString numberAtLoad_;   // the order number shown by the load
    bool counterRead_ = false;   // the load read the counter (its number and print option)
};

} // namespace sales
