#pragma once

#include <QString>
#include <stdexcept>

// A statement or connection failure. The message is what the user sees in the window's
// error box, so it carries the engine's own explanation.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
