#pragma once

#include <QString>

#include <stdexcept>

namespace taskdef {

// A save that could not be completed; the previous task is left whole. Carries the text
// to show.
class SaveError : public std::runtime_error {
public:
    explicit SaveError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace taskdef
