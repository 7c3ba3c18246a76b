#pragma once
// The line rows of the order, quotation and purchase windows: one row of text
// boxes per line inside the frame Frame1, scrolling below the column headings
// when there are more rows than fit, each column a control array, with
// the running totals (ChanceTotalMx), the row adder (AddLineRow) and the
// product picker's hand-back. A window picks its variant; everything else is
// the same routine in every window.
#include "common/productpick.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/form.h"

#include <QObject>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace ui { class ScrollPane; }

namespace linerows {

inline constexpr double kRowHeight = 285;   // twips from one row to the next

enum class Layout {
    SalesAdd,      // the new-order window's places
    SalesDetail,   // the order editor's places
    Quotation      // the quotation windows and the conversion: name, model, price, quantity, discount, total
};

struct Variant {
    Layout layout = Layout::SalesAdd;
    bool unit = true;                 // the unit column dw
    bool discount = true;             // the discount column zk (without it a line is price x quantity)
    bool copyTotalToReceived = false; // the total also goes into the received box
    bool addsRows = true;             // AddLineRow adds rows (false: it does nothing)
    bool namesReadOnly = false;       // the operator cannot type into the name boxes
    QString numberCaption;            // heading of `description`; empty: the layout's own
    QString nameCaption;              // heading of `product`; empty: the layout's own
    QString selIndexText = QStringLiteral("计数");   // design text of the hidden SelIndex
    QString frameCaption = QStringLiteral("销售明细");   // caption of Frame1
    double frameTop = 1920;           // Frame1's top and height in twips
    double frameHeight = 4935;
};

// The order in which a row's controls are created: it is the order in which
// they join the tab order.
enum class RowOrder {
    Typed,     // AddLineRow: command3, product, description, Price, num, TotalSM, zk, dw
    Picked,    // the hand-back: command3, product, description, Price, num, dw, zk, TotalSM
    Loaded     // a window filling its rows: command3, product, description, dw, Price, num, zk, TotalSM
};

class LineRows : public QObject, public productpick::Caller {
public:
    // Builds Frame1 with its column headings and row 0 in `window`, and the
    // hidden SelIndex. `totalMx` receives the order total; `receivemoney` is
    // needed only with copyTotalToReceived.
    LineRows(ui::Form* window, const Variant& variant, ui::TextBox* totalMx, ui::TextBox* receivemoney = nullptr);

    const Variant& variant() const { return variant_; }
    ui::Frame* frame() const { return frame_; }
    // The part of Frame1 that holds the rows and scrolls them: the parent of
    // every row's controls, in Frame1's coordinates while not scrolled.
    QWidget* rowArea() const;

    ui::ControlArray<ui::PictureButton> command3;
    ui::ControlArray<ui::TextBox> description;
    ui::ControlArray<ui::TextBox> product;
    ui::ControlArray<ui::TextBox> Price;
    ui::ControlArray<ui::TextBox> num;
    ui::ControlArray<ui::TextBox> TotalSM;
    std::unique_ptr<ui::ControlArray<ui::TextBox>> dw;   // null without the unit column
    std::unique_ptr<ui::ControlArray<ui::TextBox>> zk;   // null without the discount column

    // The row whose number box changed last; AddLineRow works below it.
    int selflag = 0;

    // Tab positions of row 0's boxes, for the window's tab order.
    void addTabStops(std::map<int, QWidget*>& stops) const;

    // Recomputes the line totals of the walk, the order total and (with
    // copyTotalToReceived) the received amount. Never fails.
    void ChanceTotalMx();
    // Adds an empty row below row selflag unless it exists; hides List1.
    void AddLineRow();
    // Adds row `row` below row `row` - 1 unless it exists, in the given order.
    void addRow(int row, RowOrder order);

    bool rowExists(int row) const { return num.exists(row); }
    // The rows that make up the lines: row 0, then each row whose quantity is a number.
    std::vector<int> lines() const;
    // Any row's box of a column by name; nullptr when missing.
    ui::TextBox* box(const QString& column, int row) const;

    // productpick::Caller
    ui::TextBox* lineBox(const QString& column, int line) const override { return box(column, line); }
    // The picked line's row below, and the product-number list hidden: the
    // number the pick wrote is no search of the operator's.
    void addPickedLine(int line) override;
    ui::TextBox* selIndexBox() const override { return selIndex_; }

    struct Column;   // one column's heading, place, alignment and tab position

private:
    const std::vector<Column>& columns() const;
    void buildRowZero();
    ui::ControlArrayBase* array(const QString& column) const;
    void loadElement(const QString& column, int row);
    void hideLookupList();

    ui::Form* window_;
    Variant variant_;
    ui::Frame* frame_ = nullptr;
    ui::ScrollPane* pane_ = nullptr;
    ui::TextBox* totalMx_;
    ui::TextBox* receivemoney_;
    ui::TextBox* selIndex_ = nullptr;
};

// The line value as the rows compute it: price x quantity x discount / 100
// (price x quantity without a discount), from the trimmed box texts; no value
// when a text is no number or the result is not finite.
std::optional<double> lineValue(const QString& price, const QString& quantity, const QString* discount);
// A value rounded half to even at two decimals, as plain decimal text.
QString moneyText(double value);
// Whether a box's text counts as a number (blanks around it ignored).
bool isNumber(const QString& text);
double numberOf(const QString& text);   // 0 when no number

} // namespace linerows
