#include "platform/ui/form.h"

#include "platform/ui/keypress.h"
#include "platform/ui/taborder.h"
#include "platform/ui/windows.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <QPaintEvent>
#include <QResizeEvent>

namespace ui {

namespace {
// How long a window that is not active stays without painting before it gives
// its drawing buffer back: long enough that a window updated every few
// seconds (the main window's lists during calls) keeps it.
constexpr int kIdleMs = 5000;
} // namespace

Form::Form(const QString& kind) : QWidget(nullptr, Qt::Window), kind_(kind)
{
    setObjectName(kind);
    idle_.setSingleShot(true);
    idle_.setInterval(kIdleMs);
    connect(&idle_, &QTimer::timeout, this, [this] {
        if (!isActiveWindow()) giveBackDrawing();
    });
}

Form::~Form() = default;

// ---- size and placement

void Form::setSizeTwips(double width, double height)
{
    // The layouts give the outer size; the frame is known once the window has one.
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(twipsToPixels(width) - frame.width(), twipsToPixels(height) - frame.height());
}

double Form::scaleWidthTwips() const
{
    return pixelsToTwips(width());
}

double Form::scaleHeightTwips() const
{
    return pixelsToTwips(height());
}

double Form::heightTwips() const
{
    return pixelsToTwips(frameGeometry().height());
}

double Form::widthTwips() const
{
    return pixelsToTwips(frameGeometry().width());
}

void Form::centreOnScreen()
{
    const QScreen* target = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!target) return;
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

void Form::keepOutOfTaskBar()
{
    const bool shown = isVisible();
    setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
    // Changing the flags hides a shown window.
    if (shown) show();
}

void Form::setBackColor(quint32 bbggrr)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colorFromBgr(bbggrr));
    setPalette(palette);
    setAutoFillBackground(true);
}

// ---- painting

void Form::paintPicture(const QImage& picture, double left, double top, double width, double height)
{
    if (!painter_ || picture.isNull()) return;
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    painter_->drawImage(QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y), picture);
}

void Form::fillBackground(quint32 bbggrr)
{
    if (painter_) painter_->fillRect(rect(), colorFromBgr(bbggrr));
}

// ---- the drawing buffer

void Form::giveBackDrawing()
{
    // A window placed inside another draws into that one's buffer.
    if (!isWindow()) return;
    // Qt draws the whole window again when its buffer is not the window's size.
    if (QBackingStore* store = backingStore()) store->resize(QSize(0, 0));
}

bool Form::keepsDrawing() const
{
    const QBackingStore* store = backingStore();
    return store && !store->size().isEmpty();
}

void Form::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) return;
    if (isActiveWindow()) idle_.stop();
    else idle_.start();
}

// Each paint of a window that is not active starts its idle time afresh.
// (Qt asks for a paint through the widget or through its window.)
bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::UpdateRequest && !isActiveWindow()) idle_.start();
    return QWidget::event(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != windowHandle()) return QWidget::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    // Uncovered without a buffer: the window's area on the screen must be
    // drawn anew, which the buffer cannot supply. Marking the window for
    // painting makes Qt draw it whole rather than copy from the empty buffer.
    if (type == QEvent::Expose && backingStore() && backingStore()->size() != size()) update();
    if ((type == QEvent::Expose || type == QEvent::UpdateRequest) && !isActiveWindow()) idle_.start();
    return QWidget::eventFilter(watched, event);
}

void Form::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter_ = &painter;
    fire(ClickHandler([this] { Form_Paint(); }));
    painter_ = nullptr;
}

// ---- life cycle

// A load step that let a failure through (a database error its handler did
// not expect) has left the window half made: the operator is told what could
// not be opened and why, and the caller unloads it.
bool Form::runLoad()
{
    if (loaded_ || unloading_) return true;
    loaded_ = true;
    try {
        Form_Load();
    } catch (const std::exception& error) {
        reportUnhandled(QStringLiteral("“%1”窗口没能打开").arg(caption()), error.what());
        loaded_ = false;   // a load that never ended has no unload step to run
        return false;
    }
    // The window is built: its clickable pictures become keyboard buttons.
    for (PictureButton* button : findChildren<PictureButton*>()) button->takeKeyboardFocusIfClickable();
    return true;
}

void Form::runUnload()
{
    if (unloading_) return;
    unloading_ = true;
    if (loaded_) fire(ClickHandler([this] { Form_Unload(); }));
    // An unloaded window's timers fall silent with it.
    for (Timer* timer : findChildren<Timer*>()) timer->setEnabled(false);
    loaded_ = false;
}

void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (loaded_ && !unloading_) fire(ClickHandler([this] { Form_Resize(); }));
}

bool Form::focusNextPrevChild(bool next)
{
    return moveTabFocus(this, next) || QWidget::focusNextPrevChild(next);
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Installing twice keeps one filter.
    if (QWindow* window = windowHandle()) window->installEventFilter(this);
    if (!isActiveWindow()) idle_.start();
    if (focusWidget()) return;
    const std::vector<QWidget*> order = tabOrder(this);
    if (!order.empty()) order.front()->setFocus(Qt::OtherFocusReason);
}

void Form::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A hidden window keeps its buffer until shown again otherwise.
    idle_.start();
}

void Form::closeEvent(QCloseEvent* event)
{
    // Closing by the frame's close box unloads the window.
    if (!unloading_) Windows::unload(this);
    event->accept();
}

void Form::closeOnEscape(std::function<bool()> holdsTyping)
{
    closesOnEscape_ = true;
    holdsTyping_ = std::move(holdsTyping);
}

// Keys reach the window only when the control that has the focus (and each
// control around it) leaves them unused.
void Form::keyPressEvent(QKeyEvent* event)
{
    const bool plainEscape =
        event->key() == Qt::Key_Escape && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (closesOnEscape_ && plainEscape && !(holdsTyping_ && holdsTyping_())) {
        event->accept();
        Windows::unload(this);
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- controls

template <class T>
T* Form::place(T* control, const QString& name, double left, double top, double width, double height)
{
    control->setObjectName(name);
    placeTwips(control, left, top, width, height);
    control->show();
    return control;
}

namespace {
QWidget* parentOr(QWidget* container, QWidget* form)
{
    return container ? container : form;
}
} // namespace

Label* Form::addLabel(const QString& name, const QString& caption, double left, double top, double width,
                      double height, QWidget* container)
{
    auto* label = place(new Label(parentOr(container, this)), name, left, top, width, height);
    label->setCaption(caption);
    return label;
}

TextBox* Form::addTextBox(const QString& name, double left, double top, double width, double height,
                          QWidget* container)
{
    return place(new TextBox(parentOr(container, this)), name, left, top, width, height);
}

TextArea* Form::addTextArea(const QString& name, double left, double top, double width, double height,
                            QWidget* container)
{
    return place(new TextArea(parentOr(container, this)), name, left, top, width, height);
}

ComboBox* Form::addComboBox(const QString& name, ComboBox::Style style, double left, double top, double width,
                            double height, QWidget* container)
{
    return place(new ComboBox(parentOr(container, this), style), name, left, top, width, height);
}

CheckBox* Form::addCheckBox(const QString& name, const QString& caption, double left, double top, double width,
                            double height, QWidget* container)
{
    auto* box = place(new CheckBox(parentOr(container, this)), name, left, top, width, height);
    box->setText(caption);
    return box;
}

OptionButton* Form::addOptionButton(const QString& name, const QString& caption, double left, double top,
                                    double width, double height, QWidget* container)
{
    auto* option = place(new OptionButton(parentOr(container, this)), name, left, top, width, height);
    option->setText(caption);
    return option;
}

CommandButton* Form::addCommandButton(const QString& name, const QString& caption, double left, double top,
                                      double width, double height, QWidget* container)
{
    auto* button = place(new CommandButton(parentOr(container, this)), name, left, top, width, height);
    button->setText(caption);
    return button;
}

PictureButton* Form::addPictureButton(const QString& name, const QString& picture, double left, double top,
                                      double width, double height, QWidget* container)
{
    auto* button = place(new PictureButton(parentOr(container, this)), name, left, top, width, height);
    if (!picture.isEmpty()) button->setPicture(picture);
    return button;
}

Frame* Form::addFrame(const QString& name, const QString& caption, double left, double top, double width,
                      double height, QWidget* container)
{
    auto* frame = place(new Frame(parentOr(container, this)), name, left, top, width, height);
    frame->setTitle(caption);
    return frame;
}

ListBox* Form::addListBox(const QString& name, double left, double top, double width, double height,
                          QWidget* container)
{
    return place(new ListBox(parentOr(container, this)), name, left, top, width, height);
}

DataGrid* Form::addDataGrid(const QString& name, double left, double top, double width, double height,
                            QWidget* container)
{
    return place(new DataGrid(parentOr(container, this)), name, left, top, width, height);
}

Timer* Form::addTimer(const QString& name, int intervalMs, bool enabled)
{
    auto* timer = new Timer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    timer->setEnabled(enabled);
    return timer;
}

} // namespace ui
