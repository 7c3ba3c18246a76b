#pragma once
// What the new-opportunity window and the opportunity editor share: the
// header boxes, the quotation rows "产品报价" with their total, the lists, the
// checks of a save and the writing of the header into a row of `chance`.
#include "common/linerows.h"
#include "pipeline/quotationlines.h"
#include "pipeline/recordwindow.h"

namespace pipeline {

class ChanceWindow : public RecordWindow {
public:
    linerows::LineRows* rows() const { return rows_; }
    // The totals routine of the rows (ChanceTotalMx).
    void ChanceTotalMx();

protected:
    // The editor's customer button is `command6` and its owner box replaces
    // the fourth custom field.
    ChanceWindow(const QString& kind, bool editor);

    virtual void command1_Click() = 0;
    void command2_Click();   // the close picture

    // Process states from `programstate`, invoice types from `invoice` and the
    // ten probabilities.
    void fillLists();
    // Summary, contact, a total that is a number other than "0" and an
    // expected sale date that is empty or a date, each refused with its
    // message (`badTotal` for the total); false after the first that fails.
    bool headerComplete(const char* badTotal);
    // Whether every box the save writes fits its column, the header's in
    // `chance` and the rows' in chanceMX; else the first refusal is shown,
    // naming the box ("联系人太长，最多50个字", "第1行单价必须是数字").
    bool boxesFit(bool isNew) const;
    // Writes the header boxes into the pending row; a blank expected sale
    // date stores none, as in the lines. A new row also gets its
    // fourth custom field, creation date, line key and owner; an edit keeps
    // them.
    void writeChance(db::Recordset& row, bool isNew, const QString& lineKey) const;
    // The rows of the walk as lines.
    std::vector<quotationlines::Line> lines() const;

private:
    linerows::LineRows* rows_ = nullptr;
};

} // namespace pipeline
