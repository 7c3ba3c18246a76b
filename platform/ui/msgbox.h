#pragma once
// Message boxes through one service, so tests answer them by script.
#include <QString>
#include <memory>
#include <vector>

namespace ui {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Error, Question, Warning, Information };
enum class Answer { Ok, Cancel, Yes, No };

struct Message {
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QString title;   // empty: the program's title
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual Answer show(const Message& message) = 0;
};

// Shows a modal box through the current service and returns the answer.
Answer msgBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None, const QString& title = QString());

// Replaces the service (nullptr restores the real boxes); returns the previous one.
MessageService* setMessageService(MessageService* service);

// Records every box and answers the questions (OK/Cancel, Yes/No) from a
// queue, Ok/Yes when the queue is empty; a plain OK box answers Ok and takes
// nothing from the queue. Installs itself while it lives.
class ScriptedMessages : public MessageService {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    Answer show(const Message& message) override;
    void answerNext(Answer answer) { answers_.push_back(answer); }
    const std::vector<Message>& shown() const { return shown_; }
    QString lastText() const { return shown_.empty() ? QString() : shown_.back().text; }
    void clear() { shown_.clear(); answers_.clear(); }

private:
    std::vector<Message> shown_;
    std::vector<Answer> answers_;
    MessageService* previous_ = nullptr;
};

} // namespace ui
