#pragma once
// The one rule for a date box that a save stores: left empty it stores no
// date; anything else must read as a date (the system's date forms), or the
// save is refused with a message that names the box.
#include <QString>

namespace datecheck {

// Empty when `text` is blank or a date; otherwise the refusal,
// `caption` + "不是一个合法的日期" (for example "销售日期不是一个合法的日期").
QString refusal(const QString& caption, const QString& text);

} // namespace datecheck
