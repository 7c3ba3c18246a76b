#pragma once
// Jet's Format for the date and number patterns the system writes. Internal
// to the database layer (the SQL function format()).
#include "platform/db/variant.h"

#include <QString>
#include <optional>

namespace db::jetformat {

// Dates: yyyy yy mm m dd d hh h nn n ss s with "-", "/", ":", ".", blanks and
// 年月日时分秒 between them ("/" is the system's date separator "-"); the names
// "General Date", "Short Date", "Short Time", "Long Time".
// Numbers: 0 # . , % ("0.00", "#,##0.00", "00", "0%"); the names
// "General Number", "Fixed", "Standard", "Percent".
// An empty pattern gives the value's text. Empty for any other pattern.
std::optional<QString> format(const Variant& value, const QString& pattern);

} // namespace db::jetformat
