#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// An error that carries the text to show the user; what() holds the same text.
class TextError : public std::runtime_error {
public:
    explicit TextError(const QString &text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace platform
