#pragma once
// The customer card "客户资料": one customer in editable boxes, its related
// records on seven tabs, and the save of the customer with its main contact.
// Other windows read its hidden id box `text1` and its name box; the call
// monitor opens further cards of its own, so a card keeps everything it needs
// in its own members.
#include "customers/customerwindow.h"
#include "platform/ui/tabcontrol.h"

#include <memory>
#include <optional>

namespace customers {

class FrmCustDetail : public CustomerWindow {
public:
    FrmCustDetail();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command1_Click();
    void SSTab1_Click(int previousTab);
    void DataGrid1_DblClick();
    void DataGrid2_DblClick();
    void DataGrid3_DblClick();
    void DataGrid4_DblClick();
    void DataGrid6_DblClick();
    void DataGrid7_DblClick();
    void DataGridPopupAddNew(int button);

    bool readCustomer();
    void showCustomerReadAgain();
    // The tab's grid, made on first use.
    ui::DataGrid* grid(int tab);
    void openGridRecord(int tab, const QString& newRecordWindow, const QString& editorWindow);
    void showSalesTotal(int tab, bool filled);

    ui::TabControl* SSTab1 = nullptr;
    // The customer row as the load read it: the save writes through it, so a
    // row that was changed or deleted meanwhile is not overwritten.
    std::unique_ptr<db::Recordset> customer_;
    // The customer the card was opened for.
    std::int32_t customerId_ = 0;
    // Why the customer row could not be read, when it could not.
    std::optional<db::Error> readFailure_;
};

} // namespace customers
