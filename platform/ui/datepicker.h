#pragma once
// A date entry with a drop-down calendar. Its value is a date without time of
// day; code may also set it empty (no date), which the windows refuse as an
// invalid date.
#include <QDate>
#include <QDateEdit>
#include <functional>

namespace ui {

class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent);

    QDate value() const;                  // a null date when empty
    void setValue(const QDate& date);     // a null or invalid date empties the picker
    void setToday();                      // today by the system's clock (db::locale::now)
    bool isEmpty() const { return value().isNull(); }
    QString text() const;                 // the short-date text, "" when empty

    std::function<void()> onChange;
};

// Creates a date picker on `parent` with its name, placed in twips.
DatePicker* addDatePicker(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
