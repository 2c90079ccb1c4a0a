#include "PracticeFixture.h"

#include "core/practice/Catalogue.h"
#include "core/practice/PracticeSession.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

const QString Chapter = QStringLiteral("100101");

struct Counters
{
    int logAnswers, logWrong, logDone, logWrongQuestions;
    int chapterDone, chapterAnswers, chapterWrong;
    int pointDone, pointAnswers, pointWrong;
    friend bool operator==(const Counters &, const Counters &) = default;
};

void PrintTo(const Counters &c, std::ostream *os)
{
    *os << "log " << c.logAnswers << '/' << c.logWrong << '/' << c.logDone << '/' << c.logWrongQuestions
        << " chapter " << c.chapterDone << '/' << c.chapterAnswers << '/' << c.chapterWrong << " point "
        << c.pointDone << '/' << c.pointAnswers << '/' << c.pointWrong;
}

Counters readCounters(PracticeBank &bank)
{
    const QString day = bank.clock.today().toString(Qt::ISODate);
    auto log = [&](const char *column) {
        return bank.integer(
            QStringLiteral("SELECT coalesce(%1,0) FROM tab_rz WHERE A1=?").arg(QLatin1String(column)),
            { day });
    };
    auto kmmc = [&](const char *column, const QString &code) {
        return bank.integer(
            QStringLiteral("SELECT %1 FROM tab_kmmc WHERE C1=?").arg(QLatin1String(column)), { code });
    };
    auto rule = [&](const char *column) {
        return bank.integer(
            QStringLiteral("SELECT %1 FROM tab_rule WHERE ftid='1100010001'").arg(QLatin1String(column)));
    };
    // Every ancestor row moves with the chapter.
    for (const char *column : { "C4", "D1", "D2" })
        EXPECT_EQ(kmmc(column, Chapter), kmmc(column, QStringLiteral("10"))) << column;
    return { log("A2"), log("A3"), log("B1"), log("B2"), kmmc("C4", Chapter), kmmc("D1", Chapter),
        kmmc("D2", Chapter), rule("q1"), rule("q2"), rule("q4") };
}

class Recording : public ::testing::Test
{
protected:
    Recording()
    {
        bank.addQuestion(
            QStringLiteral("q1"), Chapter, 61, QStringLiteral("B"), 4, { QStringLiteral("1100010001") });
        openList();
    }
    void openList()
    {
        const PracticeListQuery query { QStringLiteral("select * from tab_answ order by a1"), {} };
        ASSERT_TRUE(session.openQuestionList(query).value());
    }
    RecordOutcome::Kind record(const QString &answer)
    {
        const Result<RecordOutcome> outcome = session.recordAnswer(1, answer);
        EXPECT_TRUE(outcome.ok()) << outcome.reason().toStdString();
        return outcome.ok() ? outcome->kind : RecordOutcome::Emptied;
    }
    QString column(const char *name)
    {
        return bank.text(QStringLiteral("SELECT %1 FROM tab_answ WHERE A1='q1'").arg(QLatin1String(name)));
    }

    PracticeBank bank;
    PracticeSession session { bank.db(), bank.clock };
};

// One counted answer, from a given history of the question, row by row of the effect table.
struct EffectCase
{
    const char *name;
    const char *lastAnswer; // E2 before; nullptr = never answered
    int wrongScore; // E4 before
    bool earlierToday; // E1 is today
    const char *answer;
    int expectedScore;
    Counters delta;
};

void PrintTo(const EffectCase &c, std::ostream *os)
{
    *os << c.name;
}

class RecordingEffect : public Recording, public ::testing::WithParamInterface<EffectCase>
{
};

TEST_P(RecordingEffect, MovesTheRowAndEveryCounter)
{
    const EffectCase &c = GetParam();
    const QString today = bank.clock.today().toString(Qt::ISODate);
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2=?, E4=?, E1=?, E3=2 WHERE A1='q1'"),
        { c.lastAnswer ? QVariant(QString::fromUtf8(c.lastAnswer)) : QVariant(), c.wrongScore,
            c.earlierToday ? today : QStringLiteral("2026-03-01") });
    if (c.earlierToday) // the log row of the earlier answer today, which was wrong when E2 is not the key
        bank.exec(QStringLiteral("INSERT INTO tab_rz (A1, A2, A3, B1, B2) VALUES (?, 1, ?, 1, ?)"),
            { today, QString::fromUtf8(c.lastAnswer) != QLatin1String("B"),
                QString::fromUtf8(c.lastAnswer) != QLatin1String("B") });
    openList();
    const Counters before = readCounters(bank);

    EXPECT_EQ(record(QString::fromUtf8(c.answer)), RecordOutcome::Counted);

    const Counters after = readCounters(bank);
    const Counters moved { after.logAnswers - before.logAnswers, after.logWrong - before.logWrong,
        after.logDone - before.logDone, after.logWrongQuestions - before.logWrongQuestions,
        after.chapterDone - before.chapterDone, after.chapterAnswers - before.chapterAnswers,
        after.chapterWrong - before.chapterWrong, after.pointDone - before.pointDone,
        after.pointAnswers - before.pointAnswers, after.pointWrong - before.pointWrong };
    EXPECT_EQ(moved, c.delta);
    EXPECT_EQ(column("E4").toInt(), c.expectedScore);
    EXPECT_EQ(column("E3").toInt(), 3);
    EXPECT_EQ(column("E2"), QString::fromUtf8(c.answer));
    EXPECT_EQ(column("E2_1"), QString::fromUtf8(c.answer));
    EXPECT_EQ(column("E1"), today);
}

// The key of q1 is "B".
INSTANTIATE_TEST_SUITE_P(Recording, RecordingEffect,
    ::testing::Values(
        EffectCase { "NeverAnsweredRight", nullptr, 0, false, "B", 0, { 1, 0, 1, 0, 1, 1, 0, 1, 1, 0 } },
        EffectCase { "NeverAnsweredWrong", nullptr, 0, false, "A", -3, { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 } },
        EffectCase { "EmptyAnswerIsNeverAnswered", "", 0, false, "A", -3, { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 } },
        EffectCase { "AnsweredBeforeRightWhileOnWrongList", "A", -2, false, "B", -1,
            { 1, 0, 1, 0, 0, 1, 0, 0, 1, 0 } },
        EffectCase {
            "AnsweredBeforeRightOffWrongList", "B", 0, false, "B", 0, { 1, 0, 1, 0, 0, 1, 0, 0, 1, 0 } },
        EffectCase { "AnsweredBeforeWrong", "B", 0, false, "C", -1, { 1, 1, 1, 1, 0, 1, 1, 0, 1, 1 } },
        EffectCase { "AgainTodayRightAfterWrong", "A", -3, true, "B", -2, { 1, 0, 0, -1, 0, 1, 0, 0, 1, 0 } },
        EffectCase { "AgainTodayWrongAfterRight", "B", 0, true, "A", -1, { 1, 1, 0, 1, 0, 1, 1, 0, 1, 1 } },
        EffectCase {
            "VoidedCountsAsAnsweredWrong", "zero", 0, false, "B", 0, { 1, 0, 1, 0, 0, 1, 0, 0, 1, 0 } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Recording, SameAnswerAgainCountsNothing)
{
    record(QStringLiteral("A"));
    const Counters once = readCounters(bank);
    EXPECT_EQ(record(QStringLiteral("A")), RecordOutcome::Repeated);
    EXPECT_EQ(readCounters(bank), once);
    EXPECT_EQ(column("E3").toInt(), 1);
    EXPECT_EQ(column("E4").toInt(), -3);
}

// A session running past midnight: the answer repeated after midnight is not counted, so the
// change that follows is the question's first answer of the new day, not a second one.
TEST_F(Recording, PastMidnightTheDaysWrongCountNeverGoesBelowZero)
{
    bank.addQuestion(QStringLiteral("q2"), Chapter, 61, QStringLiteral("A"));
    openList();
    bank.clock.set(QDateTime(QDate(2026, 3, 14), QTime(23, 50)));
    record(QStringLiteral("A")); // q1 wrong
    bank.clock.set(QDateTime(QDate(2026, 3, 15), QTime(0, 10)));
    ASSERT_TRUE(session.recordAnswer(2, QStringLiteral("A")).ok()); // q2 right
    EXPECT_EQ(record(QStringLiteral("A")), RecordOutcome::Repeated);
    EXPECT_EQ(column("E1"), QStringLiteral("2026-03-14"));
    EXPECT_EQ(record(QStringLiteral("B")), RecordOutcome::Counted); // q1 now right
    const Counters day = readCounters(bank);
    EXPECT_EQ(day.logAnswers, 2);
    EXPECT_EQ(day.logDone, 2); // two questions answered today
    EXPECT_EQ(day.logWrongQuestions, 0);
    EXPECT_EQ(column("E1"), QStringLiteral("2026-03-15"));
}

TEST_F(Recording, ChangedAnswerCountsASecondAttemptNotFirstToday)
{
    record(QStringLiteral("A")); // wrong
    EXPECT_EQ(record(QStringLiteral("B")), RecordOutcome::Counted);
    const Counters c = readCounters(bank);
    EXPECT_EQ(column("E3").toInt(), 2);
    EXPECT_EQ(column("E4").toInt(), -2);
    // One distinct question today, no longer wrong; two answers, one of them wrong.
    EXPECT_EQ(c, (Counters { 2, 1, 1, 0, 1, 2, 1, 1, 2, 1 }));
}

TEST_F(Recording, WrongFirstLeavesTheWrongListAfterThreeMoreRightAnswers)
{
    const QList<std::pair<QString, int>> walk { { QStringLiteral("A"), -3 }, { QStringLiteral("B"), -2 },
        { QStringLiteral("C"), -3 }, { QStringLiteral("B"), -2 }, { QStringLiteral("C"), -3 },
        { QStringLiteral("B"), -2 }, { QStringLiteral("C"), -3 }, { QStringLiteral("B"), -2 } };
    for (const auto &[answer, score] : walk) {
        record(answer);
        EXPECT_EQ(column("E4").toInt(), score) << answer.toStdString();
    }
    // Three right answers in new windows walk it off the list.
    for (int expected : { -1, 0, 0 }) {
        openList();
        record(QStringLiteral("B"));
        EXPECT_EQ(column("E4").toInt(), expected);
    }
    const PracticeListQuery wrong = practiceListQuery(PracticeMode::WrongQuestions, Chapter);
    EXPECT_FALSE(session.openQuestionList(wrong).value());
}

TEST_F(Recording, EmptyPanelOnlyClearsTheWindowAnswer)
{
    record(QStringLiteral("A"));
    const Counters once = readCounters(bank);
    EXPECT_EQ(record(QString()), RecordOutcome::Emptied);
    EXPECT_EQ(readCounters(bank), once);
    EXPECT_EQ(column("E2_1"), QString());
    EXPECT_EQ(column("E2"), QStringLiteral("A"));
    EXPECT_EQ(session.indicatorState(1), IndicatorState::NotAnswered);
}

TEST_F(Recording, OnlyExamPointsBeforeTheFirstGapCount)
{
    bank.addQuestion(QStringLiteral("q2"), Chapter, 61, QStringLiteral("A"), 4,
        { QStringLiteral("1100010001"), QString(), QStringLiteral("1100010002") });
    openList();
    ASSERT_TRUE(session.recordAnswer(2, QStringLiteral("A")).ok());
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT q2 FROM tab_rule WHERE ftid='1100010001'")), 1);
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT q2 FROM tab_rule WHERE ftid='1100010002'")), 0);
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT q2 FROM tab_fgmc WHERE id='110001'")), 1);
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT q2 FROM tab_fgmc WHERE id='11'")), 1);
}

TEST_F(Recording, AFailingCounterLeavesTheQuestionUntouched)
{
    bank.exec(QStringLiteral("DROP TABLE tab_rz"));
    const Result<RecordOutcome> outcome = session.recordAnswer(1, QStringLiteral("A"));
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(column("E3").toInt(), 0);
    EXPECT_EQ(column("E2"), QString());
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1=?"), { Chapter }), 0);
    EXPECT_EQ(session.indicatorState(1), IndicatorState::NotAnswered);
}

TEST_F(Recording, OpeningAListClearsEveryWindowAnswerOfTheBank)
{
    bank.addQuestion(QStringLiteral("other"), QStringLiteral("100102"), 61, QStringLiteral("A"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2_1='C'"));
    const PracticeListQuery onlyQ1 { QStringLiteral("select * from tab_answ where a1='q1'"), {} };
    ASSERT_TRUE(session.openQuestionList(onlyQ1).value());
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ WHERE E2_1 <> ''")), 0);
    EXPECT_EQ(session.indicatorState(1), IndicatorState::NotAnswered);
}

TEST_F(Recording, VoidThenRestoreKeepsItOutOfNewQuestions)
{
    ASSERT_TRUE(session.setVoided(1, true).ok());
    EXPECT_EQ(column("F1").toInt(), 1);
    ASSERT_TRUE(session.setVoided(1, false).ok());
    EXPECT_EQ(column("F1").toInt(), 0);
    EXPECT_EQ(column("E2"), QStringLiteral("zero"));
    EXPECT_EQ(column("E3").toInt(), 0);
    EXPECT_FALSE(session.openQuestionList(practiceListQuery(PracticeMode::NewQuestions, Chapter)).value());
    EXPECT_TRUE(session.openQuestionList(practiceListQuery(PracticeMode::ReviewQuestions, Chapter)).value());
}

TEST_F(Recording, NotesAndTimeUpAreStored)
{
    ASSERT_TRUE(session.saveNote(1, QStringLiteral("  ")).ok());
    EXPECT_EQ(column("A14"), QStringLiteral("  "));
    EXPECT_FALSE(session.at(1).hasNote());
    ASSERT_TRUE(session.markTimeUp(1).ok());
    EXPECT_EQ(column("csbs"), QStringLiteral("Y"));
}

// Groups of twenty: the count, the size of the last group and how previous and next move.
struct GroupCase
{
    int questions;
    int groups;
    int lastGroupSize;
};

void PrintTo(const GroupCase &c, std::ostream *os)
{
    *os << c.questions << " questions";
}

class Groups : public ::testing::TestWithParam<GroupCase>
{
};

TEST_P(Groups, CutTheListInTwenties)
{
    const GroupCase c = GetParam();
    PracticeBank bank;
    bank.addQuestions(c.questions);
    PracticeSession session(bank.db(), bank.clock);
    ASSERT_TRUE(session.openQuestionList(practiceListQuery(PracticeMode::NewQuestions, Chapter)).value());
    session.showGroup(PracticeSession::GroupMove::First);
    EXPECT_EQ(session.groupCount(), c.groups);
    EXPECT_EQ(session.groupSize(), qMin(20, c.questions));
    for (int g = 2; g <= c.groups; ++g)
        session.showGroup(PracticeSession::GroupMove::Next);
    EXPECT_EQ(session.group(), c.groups);
    EXPECT_EQ(session.groupFirst(), (c.groups - 1) * 20 + 1);
    EXPECT_EQ(session.groupSize(), c.lastGroupSize);
    session.showGroup(PracticeSession::GroupMove::Next); // past the end: stays
    EXPECT_EQ(session.group(), c.groups);
    if (c.groups > 1) {
        session.showGroup(PracticeSession::GroupMove::Previous);
        EXPECT_EQ(session.groupFirst(), (c.groups - 2) * 20 + 1);
        EXPECT_EQ(session.groupSize(), 20);
    }
}

INSTANTIATE_TEST_SUITE_P(Practice, Groups,
    ::testing::Values(
        GroupCase { 1, 1, 1 }, GroupCase { 20, 1, 20 }, GroupCase { 21, 2, 1 }, GroupCase { 45, 3, 5 }),
    [](const auto &info) { return std::to_string(info.param.questions); });

TEST(PracticeTypeFilter, KeepsTheFilterWhenTheTypeHasNoQuestion)
{
    PracticeBank bank;
    bank.addQuestions(3, Chapter, 61);
    bank.addQuestions(2, QStringLiteral("100102"), 66);
    PracticeSession session(bank.db(), bank.clock);
    ASSERT_TRUE(session.openQuestionList(practiceListQuery(PracticeMode::NewQuestions, QStringLiteral("10")))
                    .value());
    EXPECT_EQ(session.countOfType(61), 3);
    EXPECT_EQ(session.countOfType(67), 0);
    EXPECT_TRUE(session.applyTypeFilter(66));
    EXPECT_EQ(session.count(), 2);
    EXPECT_EQ(session.at(1).typeId, 66);
    EXPECT_FALSE(session.applyTypeFilter(67));
    EXPECT_EQ(session.typeFilter(), 66);
    EXPECT_TRUE(session.applyTypeFilter(0));
    EXPECT_EQ(session.count(), 5);
}

TEST(PracticeBody, CompositeQuestionsCarryTheirStem)
{
    PracticeBank bank;
    const QString stemId = QStringLiteral("1001010000000001");
    bank.addQuestion(stemId + QStringLiteral("-1"), Chapter, 61, QStringLiteral("A"));
    bank.exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?, '<p>材料</p>')"), { stemId });
    bank.exec(QStringLiteral("UPDATE tab_exer SET jx='  '"));
    PracticeSession session(bank.db(), bank.clock);
    const Result<QuestionBody> body = session.loadBody(stemId + QStringLiteral("-1"));
    ASSERT_TRUE(body.ok());
    EXPECT_EQ(body->stem, QStringLiteral("<p>材料</p>"));
    EXPECT_FALSE(body->hasExplanation);
    EXPECT_FALSE(session.loadBody(QStringLiteral("missing")).ok());
}

} // namespace
