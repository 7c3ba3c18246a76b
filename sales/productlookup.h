#pragma once
// The product-number look-up of the order windows' line rows: typing in a
// line's number box lists the products whose number contains the text in
// List1 under the box; Enter looks the number up exactly and fills the line;
// a click on an item does the same for the chosen product.
#include "common/linerows.h"

#include <QRectF>

namespace sales {

class ProductLookup {
public:
    // Builds List1 inside the rows' frame (its size by the rows' layout) and
    // takes over the number boxes' handlers.
    explicit ProductLookup(linerows::LineRows* rows);
    // The same with the list's own design place (Left, Top, Width, Height in twips).
    ProductLookup(linerows::LineRows* rows, const QRectF& listPlace);

    ui::ListBox* list() const { return List1_; }

    void description_Change(int row);
    void description_KeyPress(int row, int& keyAscii);
    void description_LostFocus(int row);
    void List1_Click();

private:
    // Fills line selflag from the first product that meets the condition (its
    // number, or its key for a chosen item); false when none, or when it
    // cannot be read (the operator is told why and the line stays as typed).
    bool fillFrom(const QString& condition);

    linerows::LineRows* rows_;
    ui::ListBox* List1_;
};

} // namespace sales
