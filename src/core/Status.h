#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace vorlane {

// What a core service tells a window: success, or failure with a reason to show.
class Status
{
public:
    Status() = default;
    static Status failure(QString reason)
    {
        Status s;
        s.m_failed = true;
        s.m_reason = std::move(reason);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return m_reason; }

private:
    bool m_failed = false;
    QString m_reason;
};

// A value or the reason there is none.
template <typename T> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(Status failure)
        : m_reason(failure.reason())
    {
    }
    static Result failure(QString reason) { return Result(Status::failure(std::move(reason))); }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    const T *operator->() const { return &*m_value; }
    const T &operator*() const { return *m_value; }
    const QString &reason() const { return m_reason; }
    Status status() const { return ok() ? Status() : Status::failure(m_reason); }

private:
    std::optional<T> m_value;
    QString m_reason;
};

} // namespace vorlane
