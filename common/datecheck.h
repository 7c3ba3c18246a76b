#pragma once
// The one rule for a date box that a save stores: left empty it stores no
// date; anything else must read as a date (the system's date forms), or the
// save is refused with a message that names the box. A date by which the
// record is selected (the reports' date ranges take sales orders by their
// sale date, purchase lines by their purchase date) must not be left empty
// either: an undated record would be in none of the lists.
#include <QString>

namespace datecheck {

// Empty when `text` is blank or a date; otherwise the refusal,
// `caption` + "不是一个合法的日期" (for example "销售日期不是一个合法的日期").
QString refusal(const QString& caption, const QString& text);

// Empty when `text` is a date; a blank is refused with `caption` + "不能为空"
// ("日期不能为空"), anything else as refusal() refuses it.
QString requiredRefusal(const QString& caption, const QString& text);

} // namespace datecheck
