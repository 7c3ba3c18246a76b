#pragma once
// A date entry with a drop-down calendar. Its value is a date without time of
// day; code may also set it empty (no date), which the windows refuse as an
// invalid date. The operator may type a whole date ("2024-1-1", also with "/"
// or "."): typing replaces the shown date and takes effect once it reads as a
// date; an unfinished one is dropped when the box is left. The arrow keys step
// the part of the date under the cursor; Tab leaves the box.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void showTyped();
    void stopTyping();

    bool typing_ = false;
    QString typed_;
    QDate untyped_;   // the date when the typing began
};

// Creates a date picker on `parent` with its name, placed in twips.
DatePicker* addDatePicker(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
