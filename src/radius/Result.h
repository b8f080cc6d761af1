#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace radius {

// A value or the library's error text, copied when the call failed.
template <typename T>
class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(const QString &message)
    {
        Result r;
        r.m_error = message;
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    T &value() { return *m_value; }
    const T &value() const { return *m_value; }
    T &operator*() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }
    const QString &error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};

// Success or an error text.
class Status {
public:
    Status() = default;
    static Status failure(QString message)
    {
        Status s;
        s.m_failed = true;
        s.m_error = std::move(message);
        return s;
    }
    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

} // namespace radius
