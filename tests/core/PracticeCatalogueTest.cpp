#include "PracticeFixture.h"

#include "core/practice/Catalogue.h"
#include "core/practice/PracticeSession.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

TEST(PracticeCatalogue, ListsRowsInOrderWithoutTheHiddenRow)
{
    PracticeBank bank;
    const Result<QList<CatalogueRow>> rows = loadCatalogue(bank.db());
    ASSERT_TRUE(rows.ok());
    QStringList codes;
    for (const CatalogueRow &row : *rows)
        codes << row.code;
    EXPECT_EQ(codes,
        (QStringList {
            QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100101"), QStringLiteral("100102") }));
}

TEST(PracticeCatalogue, TotalsCountLeafChaptersAndCapTheQuestions)
{
    PracticeBank bank;
    Result<CatalogueTotals> totals = loadCatalogueTotals(bank.db());
    ASSERT_TRUE(totals.ok());
    EXPECT_FALSE(totals->score.has_value()); // the label keeps "分数"

    // Counters kept only on shorter codes are in no total.
    bank.exec(QStringLiteral("UPDATE tab_kmmc SET C3=9000, D1=3, D2=1 WHERE length(C1)=6"));
    bank.exec(QStringLiteral("UPDATE tab_kmmc SET C3=50000, D1=100, D2=100 WHERE length(C1)<6"));
    totals = loadCatalogueTotals(bank.db());
    ASSERT_TRUE(totals.ok());
    EXPECT_EQ(totals->questions, 10000);
    EXPECT_EQ(totals->answers, 6);
    EXPECT_EQ(totals->wrong, 2);
    EXPECT_EQ(totals->score.value_or(QString()), QStringLiteral("66.67"));
}

TEST(PracticeCatalogue, HeadingsCannotBePractised)
{
    EXPECT_FALSE(isPractisableCode(QStringLiteral("1")));
    EXPECT_FALSE(isPractisableCode(QStringLiteral("10")));
    EXPECT_TRUE(isPractisableCode(QStringLiteral("100")));
    EXPECT_TRUE(isPractisableCode(QStringLiteral("100101")));
}

// Which questions each mode lists, and in which order.
struct ListCase
{
    const char *name;
    PracticeMode mode;
    const char *code;
    bool byDoubleClick;
    QStringList expected;
};

void PrintTo(const ListCase &c, std::ostream *os)
{
    *os << c.name;
}

class PracticeLists : public ::testing::TestWithParam<ListCase>
{
};

TEST_P(PracticeLists, SelectTheModesQuestions)
{
    const ListCase &c = GetParam();
    PracticeBank bank;
    const QString ch1 = QStringLiteral("100101"), ch2 = QStringLiteral("100102");
    // new: n1 (type 66), n2, n3 (type 61, xx 2 and 1); answered: r1 (E4 -2), r2 (E4 -1, 3 attempts),
    // r3 right; v1 voided and on the wrong list; e1 answered with an empty text; o1 another chapter.
    bank.addQuestion(QStringLiteral("n1"), ch1, 66, QStringLiteral("AB"), 4, {}, 1);
    bank.addQuestion(QStringLiteral("n2"), ch1, 61, QStringLiteral("A"), 4, {}, 2);
    bank.addQuestion(QStringLiteral("n3"), ch1, 61, QStringLiteral("A"), 4, {}, 1);
    bank.addQuestion(QStringLiteral("r1"), ch1, 61, QStringLiteral("A"), 4, {}, 3);
    bank.addQuestion(QStringLiteral("r2"), ch1, 61, QStringLiteral("A"), 4, {}, 4);
    bank.addQuestion(QStringLiteral("r3"), ch1, 61, QStringLiteral("A"), 4, {}, 5);
    bank.addQuestion(QStringLiteral("v1"), ch1, 61, QStringLiteral("A"), 4, {}, 6);
    bank.addQuestion(QStringLiteral("e1"), ch1, 61, QStringLiteral("A"), 4, {}, 7);
    bank.addQuestion(QStringLiteral("o1"), ch2, 61, QStringLiteral("A"), 4, {}, 1);
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2='B', E3=1, E4=-2, E1='2026-03-01' WHERE A1='r1'"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2='B', E3=3, E4=-1, E1='2026-03-01' WHERE A1='r2'"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2='A', E3=1, E4=0, E1='2026-03-02' WHERE A1='r3'"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2='zero', F1=1, E3=1, E4=-3 WHERE A1='v1'"));
    bank.exec(QStringLiteral("UPDATE tab_answ SET E2='' WHERE A1='e1'"));

    PracticeSession session(bank.db(), bank.clock);
    const Result<bool> opened
        = session.openQuestionList(practiceListQuery(c.mode, QString::fromUtf8(c.code), c.byDoubleClick));
    ASSERT_TRUE(opened.ok()) << opened.reason().toStdString();
    QStringList ids;
    for (int p = 1; p <= session.count(); ++p)
        ids << session.at(p).id;
    EXPECT_EQ(ids, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Practice, PracticeLists,
    ::testing::Values(
        ListCase { "New", PracticeMode::NewQuestions, "100101", false,
            { QStringLiteral("n3"), QStringLiteral("n2"), QStringLiteral("e1"), QStringLiteral("n1") } },
        ListCase { "NewAcrossChaptersOfAPart", PracticeMode::NewQuestions, "1001", false,
            { QStringLiteral("n3"), QStringLiteral("n2"), QStringLiteral("e1"), QStringLiteral("o1"),
                QStringLiteral("n1") } },
        ListCase { "NewByDoubleClick", PracticeMode::NewQuestions, "100101", true,
            { QStringLiteral("n3"), QStringLiteral("n2"), QStringLiteral("e1"), QStringLiteral("n1") } },
        ListCase { "Wrong", PracticeMode::WrongQuestions, "100101", false,
            { QStringLiteral("r1"), QStringLiteral("r2") } },
        ListCase { "ReviewKeepsVoided", PracticeMode::ReviewQuestions, "100101", false,
            { QStringLiteral("v1"), QStringLiteral("r1"), QStringLiteral("r3"), QStringLiteral("r2") } },
        ListCase { "OtherChapter", PracticeMode::WrongQuestions, "100102", false, {} },
        ListCase { "QuoteInCodeIsJustText", PracticeMode::NewQuestions, "10'01", false, {} }),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
