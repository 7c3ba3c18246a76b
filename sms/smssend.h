#pragma once
// The compose window "发送短讯": the customers of the operator's record scope
// with a search on any customer field, their mobile numbers moved into the
// number box one at a time or all at once, the message, immediate or timed
// sending, and the queueing of the message in the SMS outbox.
#include "platform/ui/form.h"

namespace sms {

class SMSsend : public ui::Form {
public:
    SMSsend();

    // Shows the customers of the operator's scope, newest first.
    void CompanyList();
    // Shows the rows of `sqlstr` in the grid; a query that fails shows the
    // database's text and leaves the grid as it was.
    void DataGridFresh(const QString& sqlstr);
    // The display width the count label shows.
    int CheckStringLength(const QString& txt) const;

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command5_Click();
    void Check1_Click();
    void Command4_Click();
    void DataGrid1_DblClick();
    void Option1_Click();
    void Option2_Click();
    void text2_Change();
    void command1_Click();
    void command3_Click();
    void command2_Click();

    ui::ComboBox* Combo1;
    ui::TextBox* Text4;
    ui::DataGrid* DataGrid1;
    ui::CheckBox* Check1;
    ui::TextArea* text1;
    ui::TextArea* text2;
    ui::Label* Label3;
    ui::OptionButton* Option1;
    ui::OptionButton* Option2;
    ui::TextBox* Text3;
};

} // namespace sms
