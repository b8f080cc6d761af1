#pragma once

#include <QString>

#include <stdexcept>

namespace taskstore {

// A statement the database rejected, or a file it could not open; carries its text.
class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace taskstore
