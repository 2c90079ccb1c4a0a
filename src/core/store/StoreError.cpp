#include "core/store/StoreError.h"

#include "core/log/Logging.h"

namespace vorlane {

QString storeFailureSentence(StoreError::Kind kind, StoreAction action)
{
    QString happened;
    switch (kind) {
    case StoreError::Kind::DiskFull:
        happened = QStringLiteral("磁盘空间已满");
        break;
    case StoreError::Kind::ReadOnly:
        happened = QStringLiteral("题库文件不能写入");
        break;
    case StoreError::Kind::Busy:
        happened = QStringLiteral("题库正被另一个程序占用");
        break;
    case StoreError::Kind::Damaged:
        happened = QStringLiteral("题库文件已损坏");
        break;
    case StoreError::Kind::DiskError:
        happened = QStringLiteral("读写磁盘时出错");
        break;
    case StoreError::Kind::Other:
        happened = QStringLiteral("读写题库时出错");
        break;
    }
    const QString consequence = action == StoreAction::Write
        ? QStringLiteral("这次的改动没有保存，题库里原有的数据没有受影响。")
        : QStringLiteral("没能读出数据，题库没有改动。");
    return happened + QStringLiteral("，") + consequence;
}

Status storeFailure(const StoreError &error, StoreAction action)
{
    return storeFailure(error, storeFailureSentence(error.kind(), action));
}

Status storeFailure(const StoreError &error, const QString &reason)
{
    const Status failure = Status::failure(reason, error.detail());
    qCWarning(lcStore).noquote() << failure.logText();
    return failure;
}

} // namespace vorlane
