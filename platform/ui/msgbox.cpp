#include "platform/ui/msgbox.h"

#include "platform/ui/desktop.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace ui {

namespace {

// The real boxes: modal, with the text, icon, title and buttons asked for.
class DesktopMessages : public MessageService {
public:
    Answer show(const Message& message) override
    {
        QMessageBox box;
        box.setWindowTitle(message.title.isEmpty() ? programTitle() : message.title);
        box.setText(message.text);
        box.setIcon(iconOf(message.icon));
        switch (message.buttons) {
        case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        }
        // The buttons speak the program's language.
        for (QAbstractButton* button : box.buttons())
            button->setText(captionOf(box.standardButton(button)));
        switch (box.exec()) {
        case QMessageBox::Cancel: return Answer::Cancel;
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
        }
    }

private:
    static QString captionOf(QMessageBox::StandardButton button)
    {
        switch (button) {
        case QMessageBox::Ok: return QStringLiteral("确定");
        case QMessageBox::Cancel: return QStringLiteral("取消");
        case QMessageBox::Yes: return QStringLiteral("是(&Y)");
        case QMessageBox::No: return QStringLiteral("否(&N)");
        default: return QString();
        }
    }

    static QMessageBox::Icon iconOf(Icon icon)
    {
        switch (icon) {
        case Icon::Error: return QMessageBox::Critical;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Information: return QMessageBox::Information;
        case Icon::None: break;
        }
        return QMessageBox::NoIcon;
    }
};

MessageService* installed = nullptr;   // nullptr: the desktop's boxes

MessageService& currentService()
{
    static DesktopMessages desktop;
    return installed ? *installed : desktop;
}

} // namespace

Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    return currentService().show(Message{text, buttons, icon, title});
}

MessageService* setMessageService(MessageService* service)
{
    MessageService* previous = installed;
    installed = service;
    return previous;
}

ScriptedMessages::ScriptedMessages() : previous_(setMessageService(this)) {}

ScriptedMessages::~ScriptedMessages()
{
    setMessageService(previous_);
}

// A plain OK box takes no answer from the queue: the queue answers questions.
Answer ScriptedMessages::show(const Message& message)
{
    shown_.push_back(message);
    if (message.buttons == Buttons::Ok) return Answer::Ok;
    if (!answers_.empty()) {
        const Answer answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }
    return message.buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

} // namespace ui
