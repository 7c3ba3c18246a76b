#pragma once
// The editor of one reference list (customer groups, sources, industries, ...):
// a grid of the list's texts that is edited in place, a box and a button to
// add a text, a button to delete the current row. The eight editors differ
// only in the data of their RefList entry.
#include "platform/ui/form.h"

#include <vector>

namespace login {

struct RefList {
    QString kind;          // window kind, e.g. "setclient_type"
    QString word;          // what one value is called: captions and messages are built from it
    QString label;         // caption of Label1 (the word, or the word spaced out)
    QString table;         // the table; its text column is named like the table
    QString gridCaption;   // caption of the text column in the grid
    double clientWidth;    // twips
    double clientHeight;   // twips
};

// The eight reference lists, in the order of the main window's menus.
const std::vector<RefList>& refLists();

class RefListEditor : public ui::Form {
public:
    explicit RefListEditor(const RefList& list);

    void DataGridFresh();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void command3_Click();   // add
    void command1_Click();   // delete
    void Command4_Click();   // close

    const RefList& list_;
    ui::TextBox* servicetype_;
    ui::DataGrid* grid_;
};

} // namespace login
