#include "core/answer/AnswerEffect.h"

#include <gtest/gtest.h>

using namespace vorlane;

namespace {

const QDate Today(2026, 3, 15);

// The row values an answer leaves, beside the counters the recording tests check.
TEST(AnswerEffect, RowValuesByKind)
{
    const AnswerRow stored { QStringLiteral("B"), QStringLiteral("2026-03-14"), QStringLiteral("A"),
        QStringLiteral("A"), 4, -2 };

    const AnswerEffect emptied = answerEffect(stored, QString(), Today);
    EXPECT_EQ(emptied.kind, AnswerEffect::Kind::Emptied);
    EXPECT_EQ(emptied.row.windowAnswer, QString());
    EXPECT_EQ(emptied.row.lastAnswer, QStringLiteral("A"));
    EXPECT_EQ(emptied.row.lastDate, stored.lastDate);

    // Repeated after midnight: stored again, not counted, and the day stays where it was.
    const AnswerEffect repeated = answerEffect(stored, QStringLiteral("A"), Today);
    EXPECT_EQ(repeated.kind, AnswerEffect::Kind::Repeated);
    EXPECT_FALSE(repeated.right);
    EXPECT_EQ(repeated.row.lastDate, stored.lastDate);
    EXPECT_EQ(repeated.row.attempts, 4);
    EXPECT_EQ(repeated.row.wrongScore, -2);

    const AnswerEffect counted = answerEffect(stored, QStringLiteral("B"), Today);
    EXPECT_EQ(counted.kind, AnswerEffect::Kind::Counted);
    EXPECT_TRUE(counted.right);
    EXPECT_EQ(counted.row.lastDate, QStringLiteral("2026-03-15"));
    EXPECT_EQ(counted.row.lastAnswer, QStringLiteral("B"));
    EXPECT_EQ(counted.row.windowAnswer, QStringLiteral("B"));
    EXPECT_EQ(counted.row.attempts, 5);
    EXPECT_EQ(counted.row.wrongScore, -1);
    EXPECT_EQ(counted.flags.firstToday, Flag::Yes);
    EXPECT_EQ(counted.flags.wrongBefore, Flag::Yes);
    EXPECT_EQ(counted.flags.firstEver, Flag::No);
    EXPECT_EQ(counted.flags.wrongNow, Flag::No);
}

// Right is the key to the character: no trimming, no case folding.
TEST(AnswerEffect, RightOnlyWhenEqualToTheKey)
{
    const AnswerRow stored { QStringLiteral("AB"), QString(), QString(), QString(), 0, 0 };
    for (const char *answer : { "ab", "AB ", "A", "BA" })
        EXPECT_FALSE(answerEffect(stored, QString::fromLatin1(answer), Today).right) << answer;
    EXPECT_TRUE(answerEffect(stored, QStringLiteral("AB"), Today).right);
}

} // namespace
