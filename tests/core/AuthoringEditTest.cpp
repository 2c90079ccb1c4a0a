#include "AuthoringFixture.h"

#include "core/authoring/ExamPointPicker.h"

using namespace vorlane;
using vorlane::test::AuthoringBank;

namespace {

class QuestionEdit : public AuthoringBank
{
protected:
    void SetUp() override
    {
        AuthoringBank::SetUp();
        // A second question naming 0101000001 and a case question with a shared stem.
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3, K4, K5, K6) VALUES "
                                 "('101010610002', 'B', 4, '101010', 61, '0101000001', '0101000002', "
                                 "'0102000001', '0201000001')"));
        bank.exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES ('101010610002', '<p>二</p>')"));
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13) VALUES "
                                 "('10101064C0000001-1', 'A', 4, '101010', 61)"));
        bank.exec(
            QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES ('10101064C0000001-1', '<p>小题</p>')"));
        bank.exec(
            QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES ('10101064C0000001', '<p>案例</p>')"));
        QuestionCounts(bank.db()).recountAll();
    }
    qint64 articleQ(const char *ftid)
    {
        return integer(QStringLiteral("SELECT q FROM tab_rule WHERE ftid=?1"), { QString::fromLatin1(ftid) });
    }
};

TEST_F(QuestionEdit, LoadsTheQuestionWithItsExamPointLines)
{
    const auto question = authoring.load(QStringLiteral("101010610002"));
    ASSERT_TRUE(question) << question.reason().toStdString();
    EXPECT_EQ(question->draft.key, QStringLiteral("B"));
    EXPECT_EQ(question->draft.bodyHtml, QStringLiteral("<p>二</p>"));
    EXPECT_FALSE(question->hasStem());
    ASSERT_EQ(question->examPoints.size(), 4);
    EXPECT_EQ(question->examPoints.at(0).line, QStringLiteral("法010100[第1条]"));
    EXPECT_EQ(question->draft.examPoints,
        QStringList({ QStringLiteral("0101000001"), QStringLiteral("0101000002"),
            QStringLiteral("0102000001"), QStringLiteral("0201000001") }));
}

// Four points down to two: K3 and K4 written, K5 to K12 cleared; the dropped articles fall to
// their true counts, and so do their laws and categories.
TEST_F(QuestionEdit, SaveKeepsRichTextClearsLaterSlotsAndRecounts)
{
    ASSERT_EQ(articleQ("0102000001"), 1);
    QuestionDraft d
        = draft(QStringLiteral("ABD"), 66, 5, { QStringLiteral("0101000002"), QStringLiteral("0101000003") });
    const Status saved = authoring.saveEdit(QStringLiteral("101010610002"), d);
    ASSERT_TRUE(saved) << saved.reason().toStdString();
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A2||'/'||A2_1||'/'||A13||'/'||K3||'/'||K4||'/'||"
                                         "coalesce(K5,'-')||coalesce(K6,'-')||coalesce(K12,'-')||'/'||ecount "
                                         "FROM tab_answ WHERE A1='101010610002'"))
                  .toString(),
        QStringLiteral("ABD/5/66/0101000002/0101000003/---/1"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A15||jx FROM tab_exer WHERE A1='101010610002'")).toString(),
        QStringLiteral("<p><b>哪一项</b>正确？</p><p><i>因为</i></p>"));
    EXPECT_EQ(articleQ("0101000001"), 1); // still named by the demo question
    EXPECT_EQ(articleQ("0101000002"), 1);
    EXPECT_EQ(articleQ("0101000003"), 1);
    EXPECT_EQ(articleQ("0102000001"), 0);
    EXPECT_EQ(articleQ("0201000001"), 0);
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(id||':'||q, ' ') FROM tab_fgmc")).toString(),
        QStringLiteral("01:2 02:0 010100:2 010200:0 020100:0"));
    // What the edit left is what a full recount gives.
    const QString afterEdit = snapshot();
    QuestionCounts(bank.db()).recountAll();
    EXPECT_EQ(snapshot(), afterEdit);
    // Each save counts, also one that changes nothing.
    ASSERT_TRUE(authoring.saveEdit(QStringLiteral("101010610002"), d));
    EXPECT_EQ(integer(QStringLiteral("SELECT ecount FROM tab_answ WHERE A1='101010610002'")), 2);
}

TEST_F(QuestionEdit, CaseQuestionSavesItsStem)
{
    auto question = authoring.load(QStringLiteral("10101064C0000001-1"));
    ASSERT_TRUE(question);
    EXPECT_TRUE(question->hasStem());
    EXPECT_EQ(question->draft.stemHtml, QStringLiteral("<p>案例</p>"));
    EditableQuestion edited = question.value();
    edited.draft.stemHtml = QStringLiteral("<p><u>新案例</u></p>");
    const Status saved = authoring.saveEdit(edited.id, edited.draft);
    ASSERT_TRUE(saved) << saved.reason().toStdString();
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT A15 FROM tab_title WHERE A1='10101064C0000001'")).toString(),
        QStringLiteral("<p><u>新案例</u></p>"));
}

TEST_F(QuestionEdit, RefusedOrFailedEditsChangeNothing)
{
    const QString before = snapshot();
    EXPECT_EQ(authoring.typeNamed(QStringLiteral("单选题")).reason(),
        QStringLiteral("题型“单选题”不存在，请从列表中选择题型！"));
    EXPECT_EQ(authoring.saveEdit(QStringLiteral("101010610002"), draft(QString())).reason(),
        QStringLiteral("请填写试题答案！"));
    EXPECT_EQ(
        authoring.saveEdit(QStringLiteral("nope"), draft()).reason(), QStringLiteral("试题“nope”不存在！"));
    EXPECT_EQ(snapshot(), before);
    // A failure after the body was written takes the body back too.
    bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE UPDATE ON tab_rule "
                                        "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END"));
    EXPECT_EQ(authoring
                  .saveEdit(QStringLiteral("101010610002"),
                      draft(QStringLiteral("A"), 61, 4, { QStringLiteral("0101000003") }))
                  .reason(),
        QStringLiteral("保存试题出现错误！"));
    EXPECT_EQ(snapshot(), before);
}

int lawIndex(const ExamPointPicker &picker, const char *id)
{
    for (int i = 0; i < picker.laws().size(); ++i) {
        if (picker.laws().at(i).id == QLatin1String(id))
            return i;
    }
    return -1;
}

// The picker counts only new ticks against the seven a question may hold.
struct PickerCase
{
    const char *name;
    QStringList held;
    QList<int> tick; // rows of the first law's articles to tick
    QString message; // empty: accepted
    int added;
};

class PickerLimit : public AuthoringBank, public ::testing::WithParamInterface<PickerCase>
{
};

TEST_P(PickerLimit, AcceptsOrRefusesWithTheCount)
{
    const PickerCase &c = GetParam();
    ExamPointPicker picker(bank.db(), c.held);
    ASSERT_TRUE(picker.load());
    ASSERT_GE(picker.laws().size(), 3);
    ASSERT_EQ(picker.laws().at(0).id, QStringLiteral("01")); // categories and laws in the bank's order
    ASSERT_TRUE(picker.chooseLaw(lawIndex(picker, "010100")));
    ASSERT_EQ(picker.articles().size(), 3);
    for (int row : c.tick)
        picker.setTicked(row, true);
    const auto picked = picker.confirm();
    if (c.message.isEmpty()) {
        ASSERT_TRUE(picked) << picked.reason().toStdString();
        EXPECT_EQ(picked->size(), c.added);
    } else {
        EXPECT_EQ(picked.reason(), c.message);
    }
}

QStringList held(int count)
{
    QStringList keys;
    for (int i = 0; i < count; ++i)
        keys << QStringLiteral("09990000%1").arg(i, 2, 10, QLatin1Char('0'));
    return keys;
}

INSTANTIATE_TEST_SUITE_P(Cases, PickerLimit,
    ::testing::Values(PickerCase { "FiveHeldTwoMore", held(5), { 0, 1 }, {}, 2 },
        PickerCase { "FiveHeldThreeMore", held(5), { 0, 1, 2 },
            QStringLiteral("对应考点最多不能超过7条，已有考点5条！"), 0 },
        PickerCase {
            "SevenHeldAnyTick", held(7), { 0 }, QStringLiteral("对应考点最多不能超过7条，已有考点7条！"), 0 },
        PickerCase { "NothingTicked", {}, {}, QStringLiteral("请选择对应考点，退出请按关闭按钮！"), 0 },
        PickerCase { "HeldTicksAreNotNew", held(5) << QStringLiteral("0101000001"), { 1 }, {}, 1 },
        PickerCase { "OnlyHeldTicked", { QStringLiteral("0101000001") }, {},
            QStringLiteral("请选择对应考点，退出请按关闭按钮！"), 0 }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AuthoringBank, PickerPreTicksHeldArticlesAndNamesLines)
{
    ExamPointPicker picker(bank.db(), { QStringLiteral("0101000002") });
    ASSERT_TRUE(picker.load());
    ASSERT_TRUE(picker.chooseLaw(lawIndex(picker, "010100")));
    ASSERT_EQ(picker.articles().size(), 3);
    EXPECT_FALSE(picker.articles().at(0).ticked);
    EXPECT_TRUE(picker.articles().at(1).ticked);
    picker.setTicked(2, true);
    const auto picked = picker.confirm();
    ASSERT_TRUE(picked);
    ASSERT_EQ(picked->size(), 1);
    EXPECT_EQ(picked->at(0).key, QStringLiteral("0101000003"));
    EXPECT_EQ(picked->at(0).line, QStringLiteral("法010100[第3条]"));
    EXPECT_EQ(ExamPointPicker::usageLines().size(), 21);
}

TEST(ExamPointListRules, KeepsTenDistinctPointsAndRemovesByRow)
{
    ExamPointList list(ExamPointList::Owner::Editor);
    QList<ExamPointLine> points;
    for (int i = 0; i < 12; ++i)
        points << ExamPointLine { QStringLiteral("k%1").arg(i), QStringLiteral("line%1").arg(i) };
    list.add(points.mid(0, 2));
    list.add(points.mid(1, 2)); // k1 is held already
    EXPECT_EQ(list.keys(), QStringList({ QStringLiteral("k0"), QStringLiteral("k1"), QStringLiteral("k2") }));
    EXPECT_TRUE(list.canAdd());
    list.add(points);
    EXPECT_EQ(list.size(), 10);
    EXPECT_TRUE(list.canAdd().reason().startsWith(QStringLiteral("试题对应知识点最多为10条！\n")));
    list.removeAt(0);
    list.removeAt(42);
    EXPECT_EQ(list.size(), 9);
    EXPECT_EQ(list.keys().first(), QStringLiteral("k1"));
    EXPECT_TRUE(ExamPointList(ExamPointList::Owner::Entry).canAdd());
}

} // namespace
