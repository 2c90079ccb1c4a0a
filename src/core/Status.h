#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

namespace vorlane {

// What a core service tells a window: success, or failure with two texts. reason() is the
// sentence for the user (what happened, whether anything was lost), the one a window shows;
// detail() is the technical cause (SQLite's text, the statement) kept for the log.
class Status
{
public:
    Status() = default;
    static Status failure(QString reason, QString detail = {})
    {
        Status s;
        s.m_failed = true;
        s.m_reason = std::move(reason);
        s.m_detail = std::move(detail);
        return s;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return m_reason; }
    const QString &detail() const { return m_detail; }
    // The reason, with the technical cause when there is one: what the log keeps.
    QString logText() const
    {
        return m_detail.isEmpty() ? m_reason : m_reason + QStringLiteral(" | ") + m_detail;
    }

private:
    bool m_failed = false;
    QString m_reason;
    QString m_detail;
};

namespace detail {
// A Result made from an ok Status has neither value nor reason: a fault in the caller. Debug
// builds stop at it; others log it and carry on with a failure that says so.
Status okStatusAsFailure();
// Reading the value of a failure would read what is not there: logged, then the program stops.
[[noreturn]] void valueOfFailedResult(const Status &status);
} // namespace detail

// A value or the reason there is none.
template <typename T> class Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    // Only a failure may stand in for a value: an ok Status here is a fault in the caller.
    Result(Status failure)
        : m_status(std::move(failure))
    {
        if (Q_UNLIKELY(m_status.ok()))
            m_status = detail::okStatusAsFailure();
    }
    static Result failure(QString reason, QString detailText = {})
    {
        return Result(Status::failure(std::move(reason), std::move(detailText)));
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const
    {
        check();
        return *m_value;
    }
    T &value()
    {
        check();
        return *m_value;
    }
    const T *operator->() const { return &value(); }
    const T &operator*() const { return value(); }
    const QString &reason() const { return m_status.reason(); }
    const QString &detail() const { return m_status.detail(); }
    const Status &status() const { return m_status; }

private:
    void check() const
    {
        if (Q_UNLIKELY(!m_value))
            detail::valueOfFailedResult(m_status);
    }

    std::optional<T> m_value;
    Status m_status;
};

} // namespace vorlane
