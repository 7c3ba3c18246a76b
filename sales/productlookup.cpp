#include "sales/productlookup.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"

#include <QCoreApplication>

namespace sales {

namespace {
// How long the list of matches waits in all for another workstation's hold
// on the file: each key the operator types looks the text up again.
constexpr int kTypingWaitMs = 250;

// The list's design place in the two layouts of the rows.
QRectF listPlaceOf(linerows::Layout layout)
{
    return layout == linerows::Layout::SalesAdd ? QRectF(360, 840, 2055, 1320) : QRectF(600, 840, 1695, 1110);
}
} // namespace

ProductLookup::ProductLookup(linerows::LineRows* rows) : ProductLookup(rows, listPlaceOf(rows->variant().layout)) {}

ProductLookup::ProductLookup(linerows::LineRows* rows, const QRectF& listPlace) : rows_(rows)
{
    // Among the rows, so it scrolls with the box it lists for.
    List1_ = new ui::ListBox(rows->rowArea());
    List1_->setObjectName(QStringLiteral("List1"));
    ui::placeTwips(List1_, listPlace.left(), listPlace.top(), listPlace.width(), listPlace.height());
    // The list takes no focus, so a click on an item does not first hide it
    // through the number box's focus loss.
    List1_->setFocusPolicy(Qt::NoFocus);
    List1_->hide();
    List1_->onClick = [this] { List1_Click(); };

    rows->description.setWiring([this](ui::TextBox* box, int row) {
        box->onChange = [this, row] { description_Change(row); };
        box->onKeyPress = [this, row](int& keyAscii) { description_KeyPress(row, keyAscii); };
        box->onLostFocus = [this, row] { description_LostFocus(row); };
    });
}

void ProductLookup::description_Change(int row)
{
    rows_->selflag = row;
    ui::TextBox* box = rows_->description.element(row);
    if (!box) return;
    List1_->move(box->x(), box->y() + box->height());
    List1_->show();
    // Above every line box, rows created after the list included.
    List1_->raise();
    List1_->clear();
    // A query that fails while the operator types shows no list (an empty
    // one would read as "no such number") and no box, which would stop the
    // typing at every key; Enter then says why.
    const db::busywait::Limit brief(kTypingWaitMs);
    const bool read = database::guarded([&] {
        auto found = database::query(QStringLiteral("select * from product where Product_no like  '%")
                                     + sqltext::escaped(db::trimBlanks(box->text())) + QStringLiteral("%'"));
        for (; !found->eof(); found->moveNext())
            List1_->addItem(found->field(QStringLiteral("Product_no")).toText() + QLatin1Char('-')
                                + found->field(QStringLiteral("product")).toText(),
                            found->field(QStringLiteral("id")).toLong());
    });
    if (!read) List1_->hide();
}

void ProductLookup::description_KeyPress(int row, int& keyAscii)
{
    if (keyAscii == 13) {
        QCoreApplication::processEvents();
        // Enter fills the line of the box it was pressed in.
        rows_->selflag = row;
        if (ui::TextBox* box = rows_->description.element(row))
            fillFrom(QStringLiteral("Product_no =  ") + sqltext::quoted(box->text()));
        List1_->hide();
    }
    rows_->AddLineRow();
}

void ProductLookup::description_LostFocus(int)
{
    List1_->hide();
}

void ProductLookup::List1_Click()
{
    const int chosen = List1_->listIndex();
    if (chosen < 0) return;
    // The item keeps its product's key: its text cannot tell a number with a
    // "-" in it from the name after it.
    fillFrom(QStringLiteral("id=") + QString::number(List1_->itemData(chosen)));
    List1_->hide();
    rows_->AddLineRow();
}

bool ProductLookup::fillFrom(const QString& condition)
{
    bool filled = false;
    database::read([&] {
        auto found = database::query(QStringLiteral("select * from product where ") + condition);
        if (found->eof()) return;
        filled = true;
        const int line = rows_->selflag;
        // A product column without a value leaves its box as it is.
        auto fill = [&](const QString& column, const QString& text) {
            if (ui::TextBox* box = rows_->box(column, line); box && !text.isEmpty()) box->setText(text);
        };
        const QString price = found->field(QStringLiteral("price")).toText();
        fill(QStringLiteral("description"), found->field(QStringLiteral("product_NO")).toText());
        fill(QStringLiteral("product"), found->field(QStringLiteral("product")).toText());
        fill(QStringLiteral("dw"), found->field(QStringLiteral("dw")).toText());
        fill(QStringLiteral("Price"), price);
        fill(QStringLiteral("num"), QStringLiteral("1"));
        fill(QStringLiteral("zk"), QStringLiteral("100"));
        fill(QStringLiteral("TotalSM"), price);
    });
    return filled;
}

} // namespace sales
