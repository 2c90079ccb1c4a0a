#include "PracticeFixture.h"
#include "SmallDisk.h"

#include "core/practice/PracticeSession.h"
#include "core/store/BankCheck.h"

#include <QDir>
#include <QFile>

using namespace vorlane;
using vorlane::test::PracticeBank;
using vorlane::test::SmallDisk;

namespace {

// Texts that break careless code: quotes and SQL, emoji, right-to-left, a NUL, 100 kB.
QStringList hostileTexts()
{
    return {
        QStringLiteral("it's \"quoted\"'; DROP TABLE tab_answ; --"),
        QStringLiteral("表情 😀👍🏽 组合 👨‍👩‍👧"),
        QStringLiteral("\u202Eשלום مرحبا\u202C 混排"),
        QString::fromUtf16(u"前\u0000后", 3),
        QString(100 * 1024, QChar(u'长')),
    };
}

} // namespace

// Notes and free answers come back exactly as they went in, whatever they hold.
TEST(HostileInput, NotesAndAnswersComeBackExactly)
{
    PracticeBank bank;
    const QStringList texts = hostileTexts();
    for (int i = 0; i < texts.size(); ++i)
        bank.addQuestion(QStringLiteral("h%1").arg(i), QStringLiteral("100101"), 67, QStringLiteral("1"), 1);
    PracticeSession session(bank.db(), bank.clock);
    ASSERT_TRUE(
        session.openQuestionList({ QStringLiteral("select * from tab_answ order by a1"), {} }).value());
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(session.saveNote(i + 1, texts.at(i)).ok());
        ASSERT_TRUE(session.recordAnswer(i + 1, texts.at(i)).ok());
    }
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ")), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        const QString id = QStringLiteral("h%1").arg(i);
        EXPECT_EQ(bank.text(QStringLiteral("SELECT A14 FROM tab_answ WHERE A1=?1"), { id }), texts.at(i));
        EXPECT_EQ(bank.text(QStringLiteral("SELECT E2 FROM tab_answ WHERE A1=?1"), { id }), texts.at(i));
    }
    ASSERT_TRUE(session.finish(QStringLiteral("0:01:00")).ok());
    const BankCheckReport report = checkBank(bank.db(), nullptr);
    EXPECT_EQ(report.outcome, BankCheckReport::Outcome::Clean) << report.text().toStdString();
}

// The disk fills up while answers are recorded: the answer is refused with a sentence the user
// can read, every earlier answer stays, and once there is room again the session goes on.
TEST(HostileInput, AFullDiskRefusesTheAnswerAndKeepsEveryEarlierOne)
{
    SmallDisk disk(2048);
    if (!disk.available())
        GTEST_SKIP() << "no right to mount a small file system here";
    const QString path = QDir(disk.path()).filePath(QStringLiteral("bank.db"));
    ASSERT_TRUE(createEmptyBank(path));
    auto opened = openBank(path);
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    Database &db = **opened;
    db.exec(
        QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2) VALUES (1,'1','科目一'),(2,'100101','第一章')"));
    for (int i = 0; i < 40; ++i)
        db.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, E3, E4) VALUES (?1, 'A', 4, "
                               "'100101', 61, 0, 0)"),
            { QStringLiteral("q%1").arg(i, 2, 10, QLatin1Char('0')) });
    const FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
    PracticeSession session(db, clock);
    ASSERT_TRUE(
        session.openQuestionList({ QStringLiteral("select * from tab_answ order by a1"), {} }).value());
    ASSERT_TRUE(session.recordAnswer(1, QStringLiteral("A")).ok());
    ASSERT_TRUE(session.recordAnswer(2, QStringLiteral("B")).ok());

    // Fill the disk to the last byte.
    const QString fillerPath = QDir(disk.path()).filePath(QStringLiteral("filler"));
    {
        QFile filler(fillerPath);
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
    }
    // Long notes make sure the next write needs new pages.
    Status refused;
    for (int i = 3; i <= 40 && refused.ok(); ++i) {
        const Status noted = session.saveNote(i, QString(20000, QChar(u'满')));
        refused = noted.ok() ? session.recordAnswer(i, QStringLiteral("C")).status() : noted;
    }
    ASSERT_FALSE(refused.ok()) << "the disk never filled";
    EXPECT_TRUE(refused.reason().contains(QStringLiteral("磁盘空间已满"))) << refused.reason().toStdString();
    EXPECT_FALSE(refused.reason().contains(QLatin1String("full"))) << refused.reason().toStdString();

    QFile::remove(fillerPath);
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT E2 FROM tab_answ WHERE A1='q00'")).toString(), QStringLiteral("A"));
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT E2 FROM tab_answ WHERE A1='q01'")).toString(), QStringLiteral("B"));
    ASSERT_TRUE(session.recordAnswer(40, QStringLiteral("A")).ok());
    BankCheckOptions look;
    look.repair = false;
    const BankCheckReport report = checkBank(db, nullptr, look);
    EXPECT_TRUE(report.damage.isEmpty()) << report.damage.toStdString();
    EXPECT_FALSE(report.found.contains(CheckFinding::CatalogueAnswers)) << report.text().toStdString();
}
