#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the database layer: a failed open, a query the engine
// refuses, a value that does not fit its column, an optimistic-lock conflict.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace db
