#pragma once
// The error the dormant telephone classes raise to their user: a number, the
// object that raised it and a description, as a component's error carries them.
#include <QString>
#include <cstdint>
#include <stdexcept>

namespace callerid {

class AutomationError : public std::runtime_error {
public:
    AutomationError(std::int32_t number, const QString& source, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), source_(source), description_(description)
    {
    }
    std::int32_t number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    std::int32_t number_;
    QString source_;
    QString description_;
};

} // namespace callerid
