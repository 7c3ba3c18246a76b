#include "platform/ui/datepicker.h"

#include "platform/db/locale.h"
#include "platform/ui/controls.h"
#include "platform/ui/keypress.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

namespace ui {

namespace {
// The lowest date the picker holds stands for "no date" and shows blank.
const QDate kEmpty(1752, 9, 14);

bool isDateCharacter(const QString& text)
{
    return text.size() == 1 && (text[0].isDigit() || QStringLiteral("-/.").contains(text[0]));
}

// A typed date: year, month and day; a null date until it is complete and real.
QDate typedDate(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch parts = shape.match(text);
    if (!parts.hasMatch()) return QDate();
    const QDate date(parts.captured(1).toInt(), parts.captured(2).toInt(), parts.captured(3).toInt());
    return date.isValid() && date > kEmpty ? date : QDate();
}
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
        fire(onChange);
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

// Date characters build the typed date; Backspace takes one back while typing.
// Any other key ends the typing and does what the date entry does with it.
void DatePicker::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (isDateCharacter(text) && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!typing_) {
            typed_.clear();
            untyped_ = date();
        }
        typing_ = true;
        typed_ += text[0].isDigit() ? text : QStringLiteral("-");
        showTyped();
        return;
    }
    if (typing_ && event->key() == Qt::Key_Backspace) {
        typed_.chop(1);
        showTyped();
        return;
    }
    stopTyping();
    QDateEdit::keyPressEvent(event);
}

void DatePicker::showTyped()
{
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(static_cast<int>(typed_.size()));
    const QDate date = typedDate(typed_);
    if (date.isValid()) setDate(date);
}

// A typed text that is not a whole date gives back the date from before the
// typing (a shorter text may have read as a date on the way) and shows it.
void DatePicker::stopTyping()
{
    if (!typing_) return;
    typing_ = false;
    setDate(typedDate(typed_).isValid() ? date() : untyped_);
}

void DatePicker::focusOutEvent(QFocusEvent* event)
{
    stopTyping();
    QDateEdit::focusOutEvent(event);
}

bool DatePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next);
}

DatePicker* addDatePicker(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    return placeNamed(new DatePicker(parent), name, left, top, width, height);
}

} // namespace ui
