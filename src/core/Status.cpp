#include "core/Status.h"

#include "core/log/Logging.h"

namespace vorlane::detail {

Status okStatusAsFailure()
{
    qCCritical(lcStore, "a Result was made from an ok Status, with no value");
    Q_ASSERT_X(false, "Result", "made from an ok Status");
    return Status::failure(
        QStringLiteral("程序内部出错，操作没有完成。"), QStringLiteral("Result made from an ok Status"));
}

void valueOfFailedResult(const Status &status)
{
    qFatal("Result::value() read on a failure: %s", qPrintable(status.logText()));
}

} // namespace vorlane::detail
