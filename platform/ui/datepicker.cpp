#include "platform/ui/datepicker.h"

#include "platform/db/locale.h"
#include "platform/ui/controls.h"

namespace ui {

namespace {
// The lowest date the picker holds stands for "no date" and shows blank.
const QDate kEmpty(1752, 9, 14);
} // namespace

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QString::fromLatin1(db::locale::kShortDateFormat));
    setMinimumDate(kEmpty);
    setSpecialValueText(QStringLiteral(" "));
    // The layouts give a date entry the width of its text; the drop-down
    // button takes its own room, so the text is set a little smaller.
    QFont smaller = font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.85);
    setFont(smaller);
    setValue(db::locale::now().date());
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (onChange) onChange();
    });
}

QDate DatePicker::value() const
{
    const QDate shown = date();
    return shown == kEmpty ? QDate() : shown;
}

void DatePicker::setValue(const QDate& date)
{
    setDate(date.isValid() && date > kEmpty ? date : kEmpty);
}

void DatePicker::setToday()
{
    setValue(db::locale::now().date());
}

QString DatePicker::text() const
{
    return isEmpty() ? QString() : db::locale::shortDate(value());
}

DatePicker* addDatePicker(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    return placeNamed(new DatePicker(parent), name, left, top, width, height);
}

} // namespace ui
