#include "platform/ui/keypress.h"

#include "platform/ui/msgbox.h"

namespace ui {

int keyAsciiOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete: return 0;
    default: break;
    }
    const QString text = event->text();
    if (text.size() != 1) return 0;
    const int code = text.at(0).unicode();
    return code == 127 ? 0 : code;
}

namespace {

Qt::Key keyOfAscii(int keyAscii)
{
    switch (keyAscii) {
    case 13: return Qt::Key_Return;
    case 8: return Qt::Key_Backspace;
    case 27: return Qt::Key_Escape;
    default: return Qt::Key_unknown;
    }
}

} // namespace

KeyPressOutcome runKeyPress(const KeyPressHandler& handler, const QKeyEvent* event)
{
    KeyPressOutcome outcome;
    const int original = keyAsciiOf(event);
    if (!handler || original == 0) return outcome;
    int keyAscii = original;
    fire(handler, keyAscii);
    if (keyAscii == 0) {
        outcome.swallowed = true;
    } else if (keyAscii != original) {
        outcome.replacement = std::make_unique<QKeyEvent>(QEvent::KeyPress, keyOfAscii(keyAscii), Qt::NoModifier,
                                                          QString(QChar(keyAscii)));
    }
    return outcome;
}

void reportUnhandled(const char* what)
{
    reportUnhandled(QStringLiteral("程序出错，本次操作未完成"), what);
}

void reportUnhandled(const QString& failedStep, const char* what)
{
    QString text = failedStep;
    if (what && *what) text += QStringLiteral("：") + QString::fromUtf8(what);
    try {
        msgBox(text, Buttons::Ok, Icon::Error);
    } catch (...) {
        // Nothing more can be done for the operator.
    }
}

void fireMouse(const MouseHandler& handler, const QMouseEvent* event, QPointF origin)
{
    if (!handler) return;
    const Qt::MouseButtons buttons = event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button());
    int button = 0;
    if (buttons & Qt::LeftButton) button |= LeftButton;
    if (buttons & Qt::RightButton) button |= RightButton;
    if (buttons & Qt::MiddleButton) button |= MiddleButton;
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    const QPointF at = event->position() - origin;
    fire(handler, button, shift, at.x() * pixelsToTwips(1), at.y() * pixelsToTwips(1));
}

} // namespace ui
