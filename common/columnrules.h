#pragma once
// The one rule for what a box may hold: its text must fit the column it is
// stored in, as the data file declares that column (a text of at most its
// width, a number within its range, a date). A save checks every box before
// it writes anything and refuses the first that does not fit, naming the box
// by its caption, so that nothing typed is stored empty or cut and the
// window keeps what was typed.
#include "platform/db/connection.h"

#include <QString>
#include <vector>

namespace columnrules {

// A box's text for a column of a table, the box named by its caption.
struct Box {
    QString table;
    QString column;
    QString caption;
    QString text;
};

// The refusal in the operator's words: "联系人太长，最多50个字", "收款金额必须是数字",
// "订单金额太大，最多922337203685477.5807", "开始时间不是一个合法的日期".
QString text(const QString& caption, const db::ColumnRefusal& refusal);

// The message for the text in a column of an open recordset; empty when the
// column takes it. A blank box fits: it stores no number or date.
QString refusal(const db::Recordset& rows, const QString& column, const QString& caption, const QString& text);

// The message for the first box, in order, whose text its column refuses;
// empty when every box fits. The columns are read from the data file without
// writing; when it cannot be read now, nothing is refused here and the save's
// own write meets the same failure and says so.
QString firstRefusal(const std::vector<Box>& boxes);

// The boxes of line `row` (counted from 0) of an order or a quotation, stored
// in the line table `table`: each caption after "第<row+1>行", the product box
// captioned `productCaption`. A line total of "Err" (figures that make no
// number) stores nothing and is left out.
std::vector<Box> lineBoxes(const QString& table, int row, const QString& productCaption, const QString& product,
                           const QString& price, const QString& discount, const QString& quantity,
                           const QString& total);

} // namespace columnrules
