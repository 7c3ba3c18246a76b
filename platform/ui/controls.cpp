#include "platform/ui/controls.h"

#include "platform/ui/buttonpictures.h"
#include "platform/ui/desktop.h"
#include "platform/ui/keypress.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace ui {

namespace {

// Focus that leaves for another application or a pop-up is not a LostFocus.
bool isLostFocus(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

void setBaseColor(QWidget* control, quint32 bbggrr)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colorFromBgr(bbggrr));
    control->setPalette(palette);
}

bool isInside(const QWidget* control, const QMouseEvent* event)
{
    return control->rect().contains(event->position().toPoint());
}

// Shows a password box's characters as the chosen character.
class PasswordStyle : public QProxyStyle {
public:
    explicit PasswordStyle(QChar echo) : echo_(echo) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) return echo_.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar echo_;
};

// A disabled picture shows as a paler grey copy of itself.
QPixmap greyedCopy(const QPixmap& picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + qGray(line[x]) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}

} // namespace

// ---- TextBox

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] {
        // A text set by code shows from its first character, not its end.
        if (!hasFocus()) setCursorPosition(0);
        fire(onChange);
    });
}

void TextBox::setPasswordChar(QChar echo)
{
    if (echo.isNull()) {
        setEchoMode(QLineEdit::Normal);
        return;
    }
    auto* style = new PasswordStyle(echo);
    style->setParent(this);
    setStyle(style);
    setEchoMode(QLineEdit::Password);
}

void TextBox::setBackColor(quint32 bbggrr)
{
    setBaseColor(this, bbggrr);
}

void TextBox::typeKey(int keyAscii)
{
    if (!isEnabled()) return;
    if (!hasFocus()) end(false);   // a forwarded key goes to the end of the text
    fire(onKeyPress, keyAscii);
    if (keyAscii == 0 || isReadOnly()) return;
    if (keyAscii == 8)
        backspace();
    else if (keyAscii >= 32)
        insert(QString(QChar(keyAscii)));
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    // Without focus there is no caret of the operator's: a key sent to the
    // box goes to the end of its text.
    if (!hasFocus()) end(false);
    const KeyPressOutcome outcome = runKeyPress(onKeyPress, event);
    if (outcome.swallowed) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(outcome.eventFor(event));
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Focus coming back from another application or a pop-up is no GotFocus,
    // just as leaving for them is no LostFocus.
    if (isLostFocus(event)) fire(onGotFocus);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (isLostFocus(event)) fire(onLostFocus);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    fire(onDblClick);
}

// ---- TextArea

TextArea::TextArea(QWidget* parent) : QPlainTextEdit(parent)
{
    // Tab and Shift+Tab move along the tab order; no tab character is typed.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (cutting_) return;
        cutToMaxLength();
        fire(onChange);
    });
}

void TextArea::setMaxLength(int characters)
{
    maxLength_ = characters;
    cutToMaxLength();
}

// Removes the characters beyond the limit from the end of what was just
// inserted: the part of the text that differs from the text accepted before.
void TextArea::cutToMaxLength()
{
    if (maxLength_ <= 0) return;
    const QString now = toPlainText();
    const qsizetype excess = now.size() - maxLength_;
    if (excess > 0) {
        qsizetype prefix = 0;
        while (prefix < accepted_.size() && prefix < now.size() && accepted_[prefix] == now[prefix]) ++prefix;
        qsizetype suffix = 0;
        while (suffix < accepted_.size() - prefix && suffix < now.size() - prefix
               && accepted_[accepted_.size() - 1 - suffix] == now[now.size() - 1 - suffix])
            ++suffix;
        const qsizetype insertedEnd = now.size() - suffix;
        const qsizetype from = std::max(prefix, insertedEnd - excess);
        cutting_ = true;
        QTextCursor cut(document());
        cut.setPosition(static_cast<int>(from));
        cut.setPosition(static_cast<int>(from + excess), QTextCursor::KeepAnchor);
        cut.removeSelectedText();
        setTextCursor(cut);
        cutting_ = false;
    }
    accepted_ = toPlainText();
}

void TextArea::setBackColor(quint32 bbggrr)
{
    setBaseColor(this, bbggrr);
}

void TextArea::keyPressEvent(QKeyEvent* event)
{
    const KeyPressOutcome outcome = runKeyPress(onKeyPress, event);
    if (outcome.swallowed) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(outcome.eventFor(event));
}

void TextArea::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (isLostFocus(event)) fire(onLostFocus);
}

// ---- ComboBox

ComboBox::ComboBox(QWidget* parent, Style style) : QComboBox(parent)
{
    setEditable(style == Editable);
    setInsertPolicy(QComboBox::NoInsert);
    if (style == Editable) {
        // The operator's text stays as typed: no completion from the list.
        setCompleter(nullptr);
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] { fire(onChange); });
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) fire(onClick);
    });
    // Choosing the entry that is already selected is a choice all the same.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == indexBeforePopup_) fire(onClick);
        indexBeforePopup_ = -1;
    });
}

QString ComboBox::text() const
{
    return currentText();
}

void ComboBox::setText(const QString& text)
{
    if (isEditable()) {
        if (currentText() == text) return;
        setEditText(text);
        fire(onChange);
        return;
    }
    const int index = findText(text, Qt::MatchExactly);
    if (index >= 0) setCurrentIndex(index);
}

void ComboBox::addItem(const QString& item)
{
    // Qt makes the first entry of an empty box the chosen one; a new entry
    // here changes neither the choice nor the text.
    const int index = currentIndex();
    const QString text = currentText();
    const QSignalBlocker quiet(this);
    QComboBox::addItem(item);
    if (currentIndex() != index) {
        setCurrentIndex(index);
        if (isEditable()) setEditText(text);
    }
}

void ComboBox::setListIndex(int index)
{
    setCurrentIndex(index);
}

void ComboBox::setBackColor(quint32 bbggrr)
{
    setBaseColor(this, bbggrr);
}

void ComboBox::pick(int index)
{
    if (!isEnabled() || index < 0 || index >= count()) return;
    if (index == currentIndex())
        fire(onClick);
    else
        setCurrentIndex(index);
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    const KeyPressOutcome outcome = runKeyPress(onKeyPress, event);
    if (outcome.swallowed) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(outcome.eventFor(event));
}

void ComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (isLostFocus(event)) fire(onLostFocus);
}

// The list drops down at least as wide as its longest entry, however narrow
// the box itself is.
void ComboBox::showPopup()
{
    indexBeforePopup_ = currentIndex();
    view()->setMinimumWidth(popupWidthForEntries());
    QComboBox::showPopup();
}

int ComboBox::popupWidthForEntries() const
{
    const int scrollBar = count() > maxVisibleItems() ? view()->verticalScrollBar()->sizeHint().width() : 0;
    return view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + scrollBar;
}

// ---- CheckBox, OptionButton, CommandButton

CheckBox::CheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::toggled, this, [this] { fire(onClick); });
}

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent)
{
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on) fire(onClick);
    });
}

void OptionButton::setValue(bool value)
{
    setChecked(value);
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { fire(onClick); });
}

// ---- PictureButton

PictureButton::PictureButton(QWidget* parent) : QLabel(parent)
{
    setScaledContents(true);
    setMouseTracking(true);
}

// A relative path is taken from the program folder. A button picture names
// the button until the window gives it a tool tip of its own.
void PictureButton::setPicture(const QString& path)
{
    setPicture(QPixmap(QDir::isRelativePath(path) ? programPath(path) : path));
    if (toolTip().isEmpty())
        if (const char* name = buttonName(QFileInfo(path).fileName().toLower().toUtf8().constData()))
            setToolTip(QString::fromUtf8(name));
}

void PictureButton::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    showPicture();
}

void PictureButton::setStretch(bool stretch)
{
    setScaledContents(stretch);
    showPicture();
}

void PictureButton::showPicture()
{
    if (picture_.isNull()) {
        clear();
        return;
    }
    setPixmap(isEnabled() ? picture_ : greyedCopy(picture_));
    if (!stretch()) resize(picture_.deviceIndependentSize().toSize());
}

void PictureButton::click()
{
    if (isEnabled()) fire(onClick);
}

void PictureButton::takeKeyboardFocusIfClickable()
{
    setFocusPolicy(onClick ? Qt::TabFocus : Qt::NoFocus);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        event->accept();
        // The click may unload the window and this button with it.
        if (!event->isAutoRepeat()) click();
        return;
    }
    QLabel::keyPressEvent(event);
}

// The focus frame: a line of the selection colour just inside the picture.
void PictureButton::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void PictureButton::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    fireMouse(onMouseDown, event);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    fireMouse(onMouseMove, event);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    fireMouse(onMouseUp, event);
    if (event->button() == Qt::LeftButton && isInside(this, event)) click();
}

void PictureButton::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) showPicture();
}

bool PictureButton::event(QEvent* event)
{
    // The tool tip is the button's name for a screen reader.
    if (event->type() == QEvent::ToolTipChange) setAccessibleName(toolTip());
    return QLabel::event(event);
}

// ---- Frame, ListBox

Frame::Frame(QWidget* parent) : QGroupBox(parent) {}

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) fire(onClick);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { fire(onDblClick); });
}

QString ListBox::list(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

void ListBox::addItem(const QString& item, qint64 itemData)
{
    auto* entry = new QListWidgetItem(item, this);
    entry->setData(Qt::UserRole, itemData);
}

qint64 ListBox::itemData(int index) const
{
    const QListWidgetItem* entry = item(index);
    return entry ? entry->data(Qt::UserRole).toLongLong() : 0;
}

// ---- Timer

Timer::Timer(QObject* parent) : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, [this] { ui::fire(onTimer); });
}

void Timer::setInterval(int milliseconds)
{
    timer_.setInterval(milliseconds);
    setEnabled(enabled_);
}

// An interval of 0 keeps the timer enabled but silent.
void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (enabled_ && timer_.interval() > 0)
        timer_.start();
    else
        timer_.stop();
}

void Timer::fire()
{
    ui::fire(onTimer);
}

} // namespace ui
