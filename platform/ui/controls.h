#pragma once
// The controls the windows are built from, named by objectName and placed in
// twips. Each event is a std::function member named after the event; code
// that changes a control's value fires the same events as the operator would
// (Change fires when code sets the text).
#include "platform/ui/handlers.h"
#include "platform/ui/label.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>

namespace ui {

// 15 twips to a pixel at 96 dpi.
int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
// A colour written &HBBGGRR (blue in the high byte, red in the low byte).
QColor colorFromBgr(quint32 bbggrr);
// Places a control at a rectangle given in twips.
void placeTwips(QWidget* control, double left, double top, double width, double height);
void placeTwips(Label* label, double left, double top, double width, double height);
// Names a new control, places it in twips and shows it; returns the control.
template <class T>
T* placeNamed(T* control, const QString& name, double left, double top, double width, double height)
{
    control->setObjectName(name);
    placeTwips(control, left, top, width, height);
    control->show();
    return control;
}


// One-line text box; a password box when a password character is set.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent);
    void setPasswordChar(QChar echo);            // "#" or "*"
    void setBackColor(quint32 bbggrr);
    void setLocked(bool locked) { setReadOnly(locked); }
    void typeKey(int keyAscii);                  // as if the operator pressed the key (tests, forwarding)
    ClickHandler onChange;
    KeyPressHandler onKeyPress;
    ClickHandler onGotFocus;
    ClickHandler onLostFocus;
    ClickHandler onDblClick;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TextArea : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TextArea(QWidget* parent);
    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }
    void setBackColor(quint32 bbggrr);
    void setLocked(bool locked) { setReadOnly(locked); }
    // Lines break at any character, not at word boundaries: for a box that
    // holds one long run without spaces (numbers joined by ";"), whose
    // layout at word boundaries grows with the square of its length.
    void setBreakAnywhere() { setWordWrapMode(QTextOption::WrapAnywhere); }
    // At most this many characters (0: no limit): input beyond it, typed,
    // pasted or set by code, is cut off where it was inserted.
    void setMaxLength(int characters);
    int maxLength() const { return maxLength_; }
    ClickHandler onChange;
    KeyPressHandler onKeyPress;
    ClickHandler onLostFocus;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void cutToMaxLength();
    int maxLength_ = 0;
    QString accepted_;         // the text as last accepted under the limit
    bool cutting_ = false;
};

// Drop-down list: pick-only (a "dropdown list") or editable (a combo box).
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    enum Style { Editable, PickOnly };
    ComboBox(QWidget* parent, Style style);
    QString text() const;
    void setText(const QString& text);           // editable: sets the text; pick-only: selects the matching entry
    void addItem(const QString& item);           // chooses nothing: the choice stays as it was
    int listIndex() const { return currentIndex(); }
    void setListIndex(int index);
    int listCount() const { return count(); }
    QString list(int index) const { return itemText(index); }
    void setBackColor(quint32 bbggrr);
    void pick(int index);                        // as if the operator chose entry `index`
    ClickHandler onClick;                        // an entry was chosen (by the operator or by code)
    ClickHandler onChange;                       // the editable text changed
    KeyPressHandler onKeyPress;
    ClickHandler onLostFocus;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showPopup() override;

private:
    void fireClick();
    int popupWidthForEntries() const;
    int indexBeforePopup_ = -1;
};

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent);
    int value() const { return isChecked() ? 1 : 0; }
    void setValue(int value) { setChecked(value != 0); }
    ClickHandler onClick;
};

// Option buttons in one container exclude each other.
class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    explicit OptionButton(QWidget* parent);
    bool value() const { return isChecked(); }
    void setValue(bool value);
    ClickHandler onClick;
};

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent);
    ClickHandler onClick;
};

// A clickable picture (most of the system's buttons): greyed and inert when
// disabled. A picture with a click handler is a button of the keyboard too:
// Tab reaches it (a click with the mouse leaves the focus where it was), a
// frame shows that it has the focus, Enter or Space presses it. Its tool tip
// names it for a screen reader; without one of its own it takes the caption
// drawn on its picture.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent);
    void setPicture(const QString& path);        // a missing file leaves the button blank; relative: in the program folder
    void setPicture(const QPixmap& picture);
    // On (the default) the picture fills the box; off, the picture keeps its
    // own size and the box takes that size.
    void setStretch(bool stretch);
    bool stretch() const { return hasScaledContents(); }
    void click();                                // as if the operator clicked it; nothing when disabled
    // Tab reaches the picture exactly when it has a click handler (the window
    // layer asks once the window is built; holders and splitters stay out).
    void takeKeyboardFocusIfClickable();
    ClickHandler onClick;
    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showPicture();
    QPixmap picture_;
};

class Frame : public QGroupBox {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent);
};

class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);
    void addItem(const QString& item) { QListWidget::addItem(item); }
    // An item that keeps a number beside its text, as a key to what it names.
    void addItem(const QString& item, qint64 itemData);
    qint64 itemData(int index) const;
    int listIndex() const { return currentRow(); }
    void setListIndex(int index) { setCurrentRow(index); }
    int listCount() const { return count(); }
    QString list(int index) const;
    ClickHandler onClick;
    ClickHandler onDblClick;
};

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent);
    void setInterval(int milliseconds);
    int interval() const { return timer_.interval(); }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }
    void fire();                                 // one tick now (tests)
    ClickHandler onTimer;

private:
    QTimer timer_;
    bool enabled_ = false;
};

} // namespace ui
