#pragma once
#include <QString>
#include <stdexcept>

namespace polyx {

// A failed operation: carries the French message the user sees in the
// standard error box. Raising one ends the running command.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace polyx
