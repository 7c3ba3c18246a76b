#pragma once
// What a purchase order stores, in one transaction: the header in Jhd, one
// JhMX row per line, the stock of each purchased product raised and the
// supplier's unpaid amount, purchase total and quantity raised.
#include <QString>
#include <vector>

namespace purchasestore {

struct Line {
    QString product, price, quantity, total;
};

struct Purchase {
    QString number;     // Sal_NO
    QString supplier;   // the supplier box as typed (not trimmed)
    QString date, total, paid, remarks;
    std::vector<Line> lines;   // the rows of the walk
};

enum class Stored {
    No,                // nothing stored; the reason has been shown
    Yes,
    SupplierMissing    // purchase and stock stored; no supplier row bears the name
};

// Stores the purchase, reading stock and balances as they stand at the save.
// A failure rolls everything back and shows "进货单未能保存：" and the reason.
Stored store(const Purchase& purchase);

// A box's text counts as an amount (blanks around it allowed).
bool isAmount(const QString& text);

// The message for the first box whose text its column cannot take ("备注太长，
// 最多50个字", "第2行单价必须是数字"; common/columnrules); empty when every box
// fits.
QString refusal(const Purchase& purchase);

} // namespace purchasestore
