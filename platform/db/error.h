#pragma once
#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the database layer: a failed open, a query the engine
// refuses, a value that does not fit its column, an optimistic-lock conflict.
// Texts a window may show after its own words are Chinese.
class Error : public std::runtime_error {
public:
    enum class Kind {
        Other,
        Busy,       // another program holds the database: trying again later may succeed
        Conflict    // the row was changed or deleted elsewhere since it was read
    };
    explicit Error(const QString& message, Kind kind = Kind::Other)
        : std::runtime_error(message.toStdString()), message_(message), kind_(kind)
    {
    }
    const QString& message() const { return message_; }
    Kind kind() const { return kind_; }

private:
    QString message_;
    Kind kind_;
};

} // namespace db
