#pragma once

#include <QString>

#include <stdexcept>

namespace vorlane {

// Raised by the store layer when a statement fails. It never leaves core: services catch it
// at their public edge and hand the window a Status with the reason.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &reason)
        : std::runtime_error(reason.toStdString())
        , m_reason(reason)
    {
    }
    const QString &reason() const { return m_reason; }

private:
    QString m_reason;
};

} // namespace vorlane
