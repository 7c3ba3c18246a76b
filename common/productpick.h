#pragma once
// The product picker's hand-back: the line button of a window with line rows
// records which window and which line asked and opens the product list; a
// pick there fills that line of that window and adds an empty line below it.
#include <QString>

namespace ui { class Form; class TextBox; }

namespace productpick {

// What the hand-back needs of the window that asked. A window with line rows
// carries one as its child object named "lineRows".
class Caller {
public:
    virtual ~Caller() = default;
    // Line `line`'s box of a column ("product", "description", "dw", "Price",
    // "num", "zk", "TotalSM"); nullptr when the window has no such box or line.
    virtual ui::TextBox* lineBox(const QString& column, int line) const = 0;
    // Adds line `line`, empty, below line - 1, unless it exists already.
    virtual void addPickedLine(int line) = 0;
    // The hidden box SelIndex: the line whose product button was pressed last.
    virtual ui::TextBox* selIndexBox() const = 0;
};

// The line rows of a window; nullptr when it carries none.
Caller* callerOf(ui::Form* window);

// A line's product button (command3_Click): the window becomes
// ProductPickCaller, the line's index goes into its SelIndex, and the product
// list opens (or comes to the front with what it shows). The stored caller is
// dropped when its window goes away.
void openPicker(ui::Form* window, int line);

} // namespace productpick

namespace Mymode {

// The pick: the product list's current row into line SelIndex of the window
// in ProductPickCaller (a box the window lacks is skipped), line SelIndex + 1
// added when missing, then the product list closes. Without a caller, or when
// the caller has been closed, it only closes the list.
void FillPickedProduct();

} // namespace Mymode
