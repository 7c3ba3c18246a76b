#pragma once
// A box whose design width is narrower than the text the program puts in it
// (a date with the time, an order number) shows that text in a smaller font,
// so the whole value can be read.
#include <QLineEdit>

namespace ui {

// Pixels the box has for its text, inside frame and margins.
int textRoom(const QLineEdit* box);
// Whether the box's whole text shows at its present font.
bool textFits(const QLineEdit* box);
// Makes the font smaller, in half points down to 6, until the text fits.
void fitText(QLineEdit* box);
// From now on every text the box gets (typed or set by code) is fitted:
// each change starts again from the box's present font size and makes the
// font only as small as that text needs.
void keepTextWhole(QLineEdit* box);
bool keepsTextWhole(const QLineEdit* box);

} // namespace ui
