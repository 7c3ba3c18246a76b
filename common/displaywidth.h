#pragma once
// Display width of a text in print columns, as the slips and the SMS window
// measure it.
#include <QString>

// The width of the text without its leading and trailing spaces: 2 for each
// character that the GBK code page stores in two bytes (Chinese characters,
// full-width forms), 1 for every other character; empty text gives 0.
int CheckStringLength(const QString& text);

// The column fill of the printed slips: the text followed by limit - width + 1
// spaces when its width is within the limit, by none when it is wider. The
// first measures by display width, the second by the number of characters.
QString fillByWidth(const QString& text, int limit);
QString fillByLength(const QString& text, int limit);
