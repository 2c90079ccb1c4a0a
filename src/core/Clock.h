#pragma once

#include <QDate>
#include <QDateTime>

#include <utility>

namespace vorlane {

// "Today" and "now" for every rule that depends on them, so that tests can set the day.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
};

// A clock that stands still until it is moved.
class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime now)
        : m_now(std::move(now))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &now) { m_now = now; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};

} // namespace vorlane
