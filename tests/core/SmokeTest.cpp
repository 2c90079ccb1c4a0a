#include "core/store/Schema.h"

#include <gtest/gtest.h>

TEST(PaperTableName, AcceptsOnlyTabExamFollowedByDigits)
{
    EXPECT_TRUE(vorlane::isPaperTableName(QStringLiteral("tab_exam12")));
    EXPECT_FALSE(vorlane::isPaperTableName(QStringLiteral("tab_exam")));
    EXPECT_FALSE(vorlane::isPaperTableName(QStringLiteral("tab_exam1; drop table tab_answ")));
    EXPECT_FALSE(vorlane::isPaperTableName(QStringLiteral("tab_cj")));
    // A line break at the end is not part of the form either.
    EXPECT_FALSE(vorlane::isPaperTableName(QStringLiteral("tab_exam3\n")));
}
