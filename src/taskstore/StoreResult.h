#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace taskstore {

// The outcome of a store call: its value, or the text of what went wrong (the database's
// own text, or the store's refusal). Callers decide how to show it.
template <typename T = std::monostate>
class StoreResult {
public:
    static StoreResult success(T value = {}) { return StoreResult(std::move(value), {}, false); }
    static StoreResult failure(const QString &error) { return StoreResult({}, error, true); }

    bool ok() const { return !m_failed; }
    const T &value() const { return m_value; }
    const QString &error() const { return m_error; }

private:
    StoreResult(T value, QString error, bool failed)
        : m_value(std::move(value)), m_error(std::move(error)), m_failed(failed)
    {
    }

    T m_value;
    QString m_error;
    bool m_failed;
};

using StoreStatus = StoreResult<>;

} // namespace taskstore
