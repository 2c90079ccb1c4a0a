#include "core/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace vorlane;

namespace {

constexpr char ChildLock[] = "VORLANE_LOCK_CHILD";
constexpr char ChildBarrier[] = "VORLANE_LOCK_BARRIER";
constexpr char ChildHold[] = "VORLANE_LOCK_HOLD_MS";

std::unique_ptr<QProcess> startChild(const QString &lock, const QString &barrier, int holdMs = 150)
{
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(ChildLock), lock);
    environment.insert(QLatin1String(ChildBarrier), barrier);
    environment.insert(QLatin1String(ChildHold), QString::number(holdMs));
    child->setProcessEnvironment(environment);
    child->start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
        { QStringLiteral("--gtest_filter=InstanceLockChild.ClaimAtTheBarrier") });
    return child;
}

// Reads the child's lines up to the one given (the test framework prints its own first).
bool waitForLine(QProcess &child, const QByteArray &wanted, QByteArray *found = nullptr)
{
    for (;;) {
        while (child.canReadLine()) {
            const QByteArray line = child.readLine().trimmed();
            if (line == wanted || (found && (line == "primary" || line == "secondary"))) {
                if (found)
                    *found = line;
                return true;
            }
        }
        if (!child.waitForReadyRead(10000))
            return false;
    }
}

} // namespace

// Not a test of its own: the process that the test below starts twice at once. It waits at the
// barrier, claims, says what it got and holds a primary claim a little while.
TEST(InstanceLockChild, ClaimAtTheBarrier)
{
    const QString lockPath = qEnvironmentVariable(ChildLock);
    if (lockPath.isEmpty())
        GTEST_SKIP() << "only run as the child of InstanceLock.TwoStartsAtOnceNeverBothClaim";
    const QString barrier = qEnvironmentVariable(ChildBarrier);
    std::printf("ready\n");
    std::fflush(stdout);
    while (!QFile::exists(barrier))
        QThread::usleep(200);
    InstanceLock lock(lockPath);
    const bool primary = lock.tryLock();
    std::printf(primary ? "primary\n" : "secondary\n");
    std::fflush(stdout);
    if (primary)
        QThread::msleep(qEnvironmentVariableIntValue(ChildHold));
}

TEST(InstanceLock, SecondClaimFailsUntilTheFirstGoes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vorlane.lock"));
    auto first = std::make_unique<InstanceLock>(path);
    ASSERT_TRUE(first->tryLock());
    EXPECT_TRUE(first->tryLock());
    InstanceLock second(path);
    EXPECT_FALSE(second.tryLock());
    first.reset();
    EXPECT_TRUE(second.tryLock());
    // A folder that cannot hold the file: no claim, and no crash.
    InstanceLock nowhere(dir.filePath(QStringLiteral("missing/vorlane.lock")));
    EXPECT_FALSE(nowhere.tryLock());
}

// Real processes, released together at a barrier: exactly one of each pair is the running
// copy; a killed holder leaves nothing that blocks the next.
TEST(InstanceLock, TwoStartsAtOnceNeverBothClaim)
{
    QTemporaryDir dir;
    const QString lockPath = dir.filePath(QStringLiteral("vorlane.lock"));
    constexpr int Pairs = 40;
    int primaries = 0;
    for (int pair = 0; pair < Pairs; ++pair) {
        const QString barrier = dir.filePath(QStringLiteral("go-%1").arg(pair));
        const std::unique_ptr<QProcess> a = startChild(lockPath, barrier);
        const std::unique_ptr<QProcess> b = startChild(lockPath, barrier);
        for (QProcess *child : { a.get(), b.get() }) {
            ASSERT_TRUE(child->waitForStarted(10000));
            ASSERT_TRUE(waitForLine(*child, "ready")) << "the child never became ready";
        }
        QFile(barrier).open(QIODevice::WriteOnly);
        int primaryInPair = 0;
        for (QProcess *child : { a.get(), b.get() }) {
            QByteArray claim;
            ASSERT_TRUE(waitForLine(*child, "", &claim));
            primaryInPair += claim == "primary";
            ASSERT_TRUE(child->waitForFinished(10000));
        }
        EXPECT_EQ(primaryInPair, 1) << "pair " << pair;
        primaries += primaryInPair;
    }
    EXPECT_EQ(primaries, Pairs);

    // A holder killed outright does not keep the claim.
    const QString open = dir.filePath(QStringLiteral("open"));
    QFile(open).open(QIODevice::WriteOnly);
    const std::unique_ptr<QProcess> holder = startChild(lockPath, open, 60000);
    QByteArray claim;
    ASSERT_TRUE(waitForLine(*holder, "", &claim));
    ASSERT_EQ(claim, QByteArray("primary"));
    InstanceLock mine(lockPath);
    EXPECT_FALSE(mine.tryLock());
    holder->kill();
    holder->waitForFinished();
    EXPECT_TRUE(mine.tryLock());
}
