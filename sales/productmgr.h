#pragma once
// The product list "产品管理": the catalogue with its stock. It lists, searches
// by number or name, adds, deletes and edits products in place, and serves
// as the product picker of every window with line rows.
#include "platform/ui/form.h"

namespace sales {

class ProductMgr : public ui::Form {
public:
    ProductMgr();

    // Fills the list with all products.
    void DataGridFresh();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void productNO_KeyPress(int& keyAscii);
    void product_KeyPress(int& keyAscii);
    void command3_Click();
    void command1_Click();
    void command2_Click();
    void DataGrid1_DblClick();
    void Command4_Click();

    void showList(const QString& sql);
    bool addProduct();
    bool holdsNewProduct() const;   // a box that only a new product fills holds typing
    QString box(const char* name) const;
    ui::DataGrid* grid() const;
};

} // namespace sales
