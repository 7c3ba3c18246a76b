#pragma once
// The new-supplier window "增加供应商" and the supplier editor "修改供应商资料":
// one set of boxes for the columns of GYS; a save shows the supplier list
// refreshed.
#include "platform/db/error.h"
#include "platform/ui/form.h"

#include <memory>

namespace sales {

class SupplierWindow : public ui::Form {
protected:
    SupplierWindow(const QString& kind, const QString& caption);

    void Form_Paint() override;
    void command2_Click();

    // "供应商名称不能为空" when the name is blank; true when refused.
    bool refusesBlankName() const;
    // The boxes into the row: texts trimmed, a balance only when its box
    // holds a number (otherwise the column keeps what it holds).
    void writeSupplier(db::Recordset& row) const;
    void showNotSaved(const db::Error& error);
    // After a stored save: the message, then the list shown and refreshed.
    void showSaved();
};

class FrmGysAdd : public SupplierWindow {
public:
    FrmGysAdd();

private:
    void command1_Click();
};

class FrmGysEdit : public SupplierWindow {
public:
    FrmGysEdit();

protected:
    void Form_Load() override;

private:
    void command1_Click();

    // The row as it was loaded: the save writes through it, so a row changed
    // or deleted meanwhile refuses the save.
    std::unique_ptr<db::Recordset> supplier_;
};

} // namespace sales
