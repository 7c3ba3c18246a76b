#pragma once
// Building SQL text: the one way a text value goes into a statement.
#include <QDate>
#include <QString>

namespace sqltext {

// 'text' with every single quote doubled: O'Brien -> 'O''Brien'
QString quoted(const QString& text);
// The text with single quotes doubled, for texts placed inside quotes by the
// caller (for example a LIKE pattern '%...%').
QString escaped(const QString& text);
// '%text%' for a LIKE search.
QString containing(const QString& text);
// #yyyy-M-d# date literal of a date.
QString dateLiteral(const QDate& date);

} // namespace sqltext
