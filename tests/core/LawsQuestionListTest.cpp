#include "PracticeFixture.h"

#include "core/practice/Catalogue.h"
#include "core/practice/PracticeSession.h"
#include "core/practice/QuestionList.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

QStringList listedIds(PracticeSession &session)
{
    QStringList ids;
    for (int position = 1; position <= session.count(); ++position)
        ids << session.at(position).id;
    return ids;
}

// An article's list: every question naming it in any of the ten slots, voided ones too, in
// xx order with the ones without xx last, then by id.
TEST(LawsQuestionList, ArticleListsEveryQuestionNamingIt)
{
    PracticeBank bank;
    const QString article = QStringLiteral("1100010002");
    const QString other = QStringLiteral("1100010001");
    QStringList tenth(9, other);
    tenth << article;
    bank.addQuestion(
        QStringLiteral("c"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, { article }, 2);
    bank.addQuestion(QStringLiteral("a"), QStringLiteral("100102"), 61, QStringLiteral("A"), 4, tenth, 2);
    bank.addQuestion(
        QStringLiteral("b"), QStringLiteral("100101"), 66, QStringLiteral("AB"), 4, { other }, 1);
    bank.addQuestion(
        QStringLiteral("d"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, { other, article }, 1);
    bank.addQuestion(
        QStringLiteral("v"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, { article }, 3);
    bank.addQuestion(
        QStringLiteral("n"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, { article }, 0);
    bank.exec(QStringLiteral("UPDATE tab_answ SET F1 = 1, E2 = 'zero' WHERE A1 = 'v'"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET xx = NULL WHERE A1 = 'n'"));

    PracticeSession session(bank.db(), bank.clock);
    const Result<bool> opened = session.openQuestionList(QuestionListQuery::article(article));
    ASSERT_TRUE(opened.ok()) << opened.reason().toStdString();
    EXPECT_TRUE(*opened);
    EXPECT_EQ(listedIds(session),
        (QStringList { QStringLiteral("d"), QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("v"),
            QStringLiteral("n") }));
    EXPECT_EQ(session.at(4).voidFlag, 1);
    EXPECT_EQ(session.at(1).editCount, 0); // the list carries no ecount: no "edited" notice

    // An article without questions, and a key that is only text.
    EXPECT_FALSE(*session.openQuestionList(QuestionListQuery::article(QStringLiteral("1100010003"))));
    EXPECT_FALSE(*session.openQuestionList(QuestionListQuery::article(QStringLiteral("x' or '1'='1"))));
}

TEST(LawsQuestionList, ChapterQueryComposesTheCatalogueStatement)
{
    const QuestionListQuery query
        = QuestionListQuery::chapter(PracticeMode::WrongQuestions, QStringLiteral("100101"), false);
    const PracticeListQuery composed = composeQuestionList(query);
    const PracticeListQuery direct
        = practiceListQuery(PracticeMode::WrongQuestions, QStringLiteral("100101"));
    EXPECT_EQ(composed.sql, direct.sql);
    EXPECT_EQ(composed.values, direct.values);
    EXPECT_TRUE(composeQuestionList(QuestionListQuery()).isEmpty());
    // Every value is bound: no key or code appears in the statement's text.
    const PracticeListQuery article = composeQuestionList(QuestionListQuery::article(QStringLiteral("K'1")));
    EXPECT_FALSE(article.sql.contains(QStringLiteral("K'1")));
    EXPECT_EQ(article.values, QVariantList { QStringLiteral("K'1") });
}

TEST(LawsQuestionList, NamedQuestionsInChapterOrder)
{
    PracticeBank bank;
    bank.addQuestion(QStringLiteral("x2"), QStringLiteral("100102"), 61, QStringLiteral("A"), 4, {}, 1);
    bank.addQuestion(QStringLiteral("x1"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, {}, 2);
    bank.addQuestion(QStringLiteral("x3"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, {}, 1);
    bank.addQuestion(QStringLiteral("x4"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4, {}, 0);

    PracticeSession session(bank.db(), bank.clock);
    ASSERT_TRUE(*session.openQuestionList(QuestionListQuery::questions(
        { QStringLiteral("x2"), QStringLiteral("x1"), QStringLiteral("x3"), QStringLiteral("gone'") })));
    EXPECT_EQ(listedIds(session),
        (QStringList { QStringLiteral("x3"), QStringLiteral("x1"), QStringLiteral("x2") }));
    EXPECT_FALSE(*session.openQuestionList(QuestionListQuery::questions({})));

    QStringList many;
    for (int i = 0; i < 2000; ++i)
        many << QString::number(i);
    EXPECT_EQ(QuestionListQuery::questions(many).questionIds.size(), QuestionListQuery::MaxQuestionIds);
    EXPECT_FALSE(session.openQuestionList(QuestionListQuery()).ok());
}

} // namespace
