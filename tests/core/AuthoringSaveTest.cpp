#include "AuthoringFixture.h"

#include "core/authoring/UserQuestionId.h"
#include "core/store/StoreError.h"

using namespace vorlane;
using vorlane::test::AuthoringBank;

namespace {

struct IdCase
{
    int sequence;
    const char *expected; // nullptr: refused
};

class UserQuestionIdTable : public ::testing::TestWithParam<IdCase>
{
};

TEST_P(UserQuestionIdTable, FormsTheSequenceAsStoredIds)
{
    const IdCase &c = GetParam();
    const auto id = userQuestionId(QStringLiteral("101010"), 61, 4, c.sequence);
    if (!c.expected) {
        ASSERT_FALSE(id);
        EXPECT_EQ(id.reason(), QStringLiteral("最多只能录入9999道题！"));
        return;
    }
    ASSERT_TRUE(id) << id.reason().toStdString();
    EXPECT_EQ(*id, QString::fromLatin1(c.expected));
    EXPECT_LE(id->size(), 20);
}

INSTANTIATE_TEST_SUITE_P(Sequences, UserQuestionIdTable,
    ::testing::Values(IdCase { 1,
                          "US101010614"
                          "00001" },
        IdCase { 7,
            "US101010614"
            "00007" },
        IdCase { 42,
            "US101010614"
            "00042" },
        IdCase { 999,
            "US101010614"
            "00999" },
        IdCase { 1000,
            "US101010614"
            "1000" },
        IdCase { 9999,
            "US101010614"
            "9999" },
        IdCase { 10000, nullptr }, IdCase { 0, nullptr }));

struct SequenceCase
{
    const char *name;
    QStringList existing; // ids already in the bank
    int next;
};

class NextSequence : public AuthoringBank, public ::testing::WithParamInterface<SequenceCase>
{
};

TEST_P(NextSequence, IsOneMoreThanTheHighestUserSequence)
{
    for (const QString &id : GetParam().existing)
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A10, A13) VALUES (?1, '101010', 61)"), { id });
    EXPECT_EQ(nextUserSequence(bank.db()), GetParam().next);
}

INSTANTIATE_TEST_SUITE_P(Banks, NextSequence,
    ::testing::Values(SequenceCase { "NoUserQuestions", {}, 1 },
        SequenceCase { "After999ComesThousand",
            { QStringLiteral("US10101061400999"), QStringLiteral("US10101061400017") }, 1000 },
        SequenceCase { "FourDigitSequences",
            { QStringLiteral("US1010106141000"),
                QStringLiteral("US101010614"
                               "00999") },
            1001 },
        SequenceCase { "LowerCaseUCounts", { QStringLiteral("us10101061400123") }, 124 },
        SequenceCase {
            "OtherIdsDoNotCount", { QStringLiteral("T10101061405555"), QStringLiteral("101010619999") }, 1 }),
    [](const auto &info) { return std::string(info.param.name); });

struct ValidationCase
{
    const char *name;
    QString body;
    QString key;
    int typeId;
    int optionCount;
    QStringList points;
    QString message; // empty: accepted
};

class DraftValidation : public AuthoringBank, public ::testing::WithParamInterface<ValidationCase>
{
};

TEST_P(DraftValidation, AcceptsCanonicalKeysAndExplainsTheRest)
{
    const ValidationCase &c = GetParam();
    QuestionDraft d = draft(c.key, c.typeId, c.optionCount, c.points);
    d.bodyHtml = c.body;
    const Status status = validateDraft(d, *authoring.types());
    if (c.message.isEmpty())
        EXPECT_TRUE(status) << status.reason().toStdString();
    else
        EXPECT_EQ(status.reason(), c.message);
}

const QString Body = QStringLiteral("<p>题</p>");

INSTANTIATE_TEST_SUITE_P(Drafts, DraftValidation,
    ::testing::Values(ValidationCase { "SingleChoice", Body, QStringLiteral("D"), 61, 4, {}, {} },
        ValidationCase { "LetterBeyondTheCount", Body, QStringLiteral("E"), 61, 4, {},
            QStringLiteral("单选题的答案应为一个大写字母（A～D）！") },
        ValidationCase { "LowerCase", Body, QStringLiteral("b"), 61, 4, {},
            QStringLiteral("单选题的答案应为一个大写字母（A～D）！") },
        ValidationCase { "TwoLettersForOne", Body, QStringLiteral("AB"), 61, 4, {},
            QStringLiteral("单选题的答案应为一个大写字母（A～D）！") },
        ValidationCase { "SevenOptionsStillEndAtF", Body, QStringLiteral("G"), 61, 7, {},
            QStringLiteral("单选题的答案应为一个大写字母（A～F）！") },
        ValidationCase { "TrueFalseIsAOrB", Body, QStringLiteral("B"), 63, 2, {}, {} },
        ValidationCase { "Multiple", Body, QStringLiteral("ACD"), 66, 5, {}, {} },
        ValidationCase { "MultipleRepeated", Body, QStringLiteral("AAC"), 66, 5, {},
            QStringLiteral("多选题的答案应为不重复的大写字母（A～E），按字母顺序填写！") },
        ValidationCase { "MultipleOutOfOrder", Body, QStringLiteral("CA"), 66, 5, {},
            QStringLiteral("多选题的答案应为不重复的大写字母（A～E），按字母顺序填写！") },
        ValidationCase { "SelfAssessed", Body, QStringLiteral("1"), 67, 1, {}, {} },
        ValidationCase { "SelfAssessedWithLetter", Body, QStringLiteral("A"), 67, 1, {},
            QStringLiteral("“简答”题的待选答案个数应为1，答案应为“1”（实际答案请写在解析中）！") },
        ValidationCase { "FreeTextType", Body, QStringLiteral("北京,上海"), 71, 1, {}, {} },
        ValidationCase { "EmptyBody",
            QStringLiteral("<html><head><style>p{}</style></head><body><p>&nbsp; </p></body></html>"),
            QStringLiteral("A"), 61, 4, {}, QStringLiteral("请填写试题内容！") },
        ValidationCase { "PictureOnlyBody", QStringLiteral("<p><img src=\"x.png\"></p>"), QStringLiteral("A"),
            61, 4, {}, {} },
        ValidationCase {
            "EmptyKey", Body, QStringLiteral(" "), 61, 4, {}, QStringLiteral("请填写试题答案！") },
        ValidationCase {
            "UnknownType", Body, QStringLiteral("A"), 62, 4, {}, QStringLiteral("请选择题型！") },
        ValidationCase {
            "NoOptions", Body, QStringLiteral("A"), 61, 0, {}, QStringLiteral("待选答案个数应为1到7！") },
        ValidationCase {
            "EightOptions", Body, QStringLiteral("A"), 61, 8, {}, QStringLiteral("待选答案个数应为1到7！") },
        ValidationCase { "HugePastedHtml",
            QStringLiteral("<p>") + QString(100 * 1024, u'字') + QStringLiteral("</p>"), QStringLiteral("A"),
            61, 4, {}, QStringLiteral("试题内容过长（最多64K字符），请删减后再保存！") },
        ValidationCase { "PointTwice", Body, QStringLiteral("A"), 61, 4,
            { QStringLiteral("0101000001"), QStringLiteral("0101000001") },
            QStringLiteral("考点“0101000001”重复！") },
        ValidationCase { "ElevenPoints", Body, QStringLiteral("A"), 61, 4,
            QStringList { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h"),
                QStringLiteral("i"), QStringLiteral("j"), QStringLiteral("k") },
            QStringLiteral("试题对应考点最多为10条！") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AuthoringKey, TypedKeysAreTrimmedAndUpperCase)
{
    EXPECT_EQ(normalisedKey(QStringLiteral("  abd ")), QStringLiteral("ABD"));
}

using QuestionSave = AuthoringBank;

TEST_F(QuestionSave, WritesTheRowsAndRaisesEveryCountOnce)
{
    const auto id = authoring.saveNew(QStringLiteral("101011"),
        draft(QStringLiteral("AC"), 66, 5,
            { QStringLiteral("0101000002"), QStringLiteral("0101000003"), QStringLiteral("0201000001") }));
    ASSERT_TRUE(id) << id.reason().toStdString();
    EXPECT_EQ(*id, QStringLiteral("US1010116650000") + u'1');
    EXPECT_EQ(bank.scalar(QStringLiteral(
                              "SELECT A2||'/'||A2_1||'/'||A10||'/'||A13||'/'||K3||'/'||K4||'/'||K5||'/'||"
                              "coalesce(K6,'-')||'/'||F1||'/'||coalesce(E2,'')||'/'||ecount "
                              "FROM tab_answ WHERE A1=?1"),
                      { *id })
                  .toString(),
        QStringLiteral("AC/5/101011/66/0101000002/0101000003/0201000001/-/2//0"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1=?1"), { *id }).toString(),
        QStringLiteral("<p><b>哪一项</b>正确？</p>"));
    // The chapter and each of its ancestors count one more; the sibling chapter does not.
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(C1||':'||C3, ' ') FROM tab_kmmc")).toString(),
        QStringLiteral("1:1 10:1 1010:1 101010:0 101011:1 2:0 20:0 2010:0 201010:0"));
    // Two points of law 010100 raise it once; categories 01 and 02 once each.
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(id||':'||q, ' ') FROM tab_fgmc")).toString(),
        QStringLiteral("01:1 02:1 010100:1 010200:0 020100:1"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(ftid||':'||q, ' ') FROM tab_rule")).toString(),
        QStringLiteral("0101000001:0 0101000002:1 0101000003:1 0102000001:0 0201000001:1"));
}

TEST_F(QuestionSave, WithoutExamPointsOrExplanationWritesNeither)
{
    QuestionDraft d = draft(QStringLiteral("1"), 67, 1);
    d.explanationHtml = QStringLiteral("<html><body><p>   </p></body></html>");
    const auto id = authoring.saveNew(QStringLiteral("101010"), d);
    ASSERT_TRUE(id) << id.reason().toStdString();
    EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT jx FROM tab_exer WHERE A1=?1"), { *id }).isNull());
    EXPECT_TRUE(bank.scalar(QStringLiteral("SELECT K3 FROM tab_answ WHERE A1=?1"), { *id }).isNull());
    EXPECT_EQ(integer(QStringLiteral("SELECT sum(q) FROM tab_rule")), 0);
    EXPECT_EQ(integer(QStringLiteral("SELECT sum(q) FROM tab_fgmc")), 0);
    // The next save takes the next sequence.
    const auto next = authoring.saveNew(QStringLiteral("101010"), d);
    ASSERT_TRUE(next);
    EXPECT_TRUE(next->endsWith(QLatin1String("00002")));
}

struct RefusalCase
{
    const char *name;
    QString chapter;
    QStringList points;
    QString message;
};

class QuestionSaveRefusal : public AuthoringBank, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(QuestionSaveRefusal, WritesNothing)
{
    const QString before = snapshot();
    const auto id
        = authoring.saveNew(GetParam().chapter, draft(QStringLiteral("A"), 61, 4, GetParam().points));
    ASSERT_FALSE(id);
    EXPECT_EQ(id.reason(), GetParam().message);
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuestionSaveRefusal,
    ::testing::Values(
        RefusalCase { "PartHeading", QStringLiteral("10"), {}, QStringLiteral("请选择具体章节目录！") },
        RefusalCase {
            "UnknownChapter", QStringLiteral("909090"), {}, QStringLiteral("章节“909090”不存在！") },
        RefusalCase { "UnknownExamPoint", QStringLiteral("101010"),
            { QStringLiteral("0101000001"), QStringLiteral("0909000001") },
            QStringLiteral("考点“0909000001”不存在！") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(QuestionSave, PastSequence9999NothingIsWritten)
{
    bank.exec(QStringLiteral(
        "INSERT INTO tab_answ (A1, A10, A13, F1) VALUES ('US1010106149999', '101010', 61, 2)"));
    const QString before = snapshot();
    const auto id = authoring.saveNew(QStringLiteral("101010"), draft());
    ASSERT_FALSE(id);
    EXPECT_EQ(id.reason(), QStringLiteral("最多只能录入9999道题！"));
    EXPECT_EQ(snapshot(), before);
}

// A statement failing half-way through a save takes back the rows and every count already moved.
TEST_F(QuestionSave, FailureHalfWayRollsEverythingBack)
{
    const char *failures[][2] = { { "INSERT", "tab_exer" }, { "UPDATE", "tab_kmmc" },
        { "UPDATE", "tab_rule" }, { "UPDATE", "tab_fgmc" } };
    for (const auto &failure : failures) {
        SCOPED_TRACE(failure[1]);
        const QString before = snapshot();
        bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE %1 ON %2 "
                                            "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END")
                                 .arg(QLatin1String(failure[0]), QLatin1String(failure[1])));
        const auto id = authoring.saveNew(QStringLiteral("101010"),
            draft(
                QStringLiteral("A"), 61, 4, { QStringLiteral("0101000001"), QStringLiteral("0201000001") }));
        ASSERT_FALSE(id);
        EXPECT_EQ(id.reason(), QStringLiteral("保存试题出现错误！"));
        EXPECT_EQ(snapshot(), before);
        bank.db().execScript(QStringLiteral("DROP TRIGGER fail_half_way"));
    }
    EXPECT_TRUE(authoring.saveNew(QStringLiteral("101010"), draft()));
}

} // namespace
