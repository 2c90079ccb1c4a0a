#include "ExamFixture.h"

#include "core/exam/PaperDocument.h"
#include "core/exam/PaperGenerator.h"

#include <QRandomGenerator>

using namespace vorlane;
using namespace vorlane::exam;
using vorlane::test::ExamBank;
using Kind = DocumentBlock::Kind;

namespace {

// A paper of subject 1: three single-choice questions (one of them a sub-question of a shared
// stem, one added by the user), two multiple-choice ones; some with exam points.
class PaperDocumentTest : public ::testing::Test
{
protected:
    PaperDocumentTest()
    {
        bank.addType(1, 61, QStringLiteral("单项选择题"), 60, 1);
        bank.addType(1, 66, QStringLiteral("多项选择题"), 20, 2);
        const QString chapter = QStringLiteral("100101");
        bank.addQuestion(QStringLiteral("A00000000001"), 61, chapter, QStringLiteral("B"));
        bank.addQuestion(QStringLiteral("C000000000000001-1"), 61, chapter, QStringLiteral("C"));
        bank.addQuestion(QStringLiteral("U20260308091500"), 61, chapter, QStringLiteral("A"));
        bank.addQuestion(QStringLiteral("M00000000001"), 66, chapter, QStringLiteral("ACD"));
        bank.addQuestion(QStringLiteral("M00000000002"), 66, chapter, QStringLiteral("BD"));
        bank.exec(
            QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES ('C000000000000001', '<p>案例背景</p>')"));
        bank.exec(QStringLiteral("UPDATE tab_exer SET jx=NULL WHERE A1='A00000000001'"));
        bank.exec(QStringLiteral("UPDATE tab_exer SET jx=' ' WHERE A1='M00000000002'"));
        bank.exec(QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES ('010101', '仓储管理条例')"));
        bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n) VALUES "
                                 "('0101010002', '010101', '第二条', '<p>第二条　仓储应当安全。</p>'),"
                                 "('0909090003', '090909', '第三条', '<p>第三条　无名之法。</p>')"));
        bank.exec(QStringLiteral(
            "UPDATE tab_answ SET K3='0101010002', K4=' ', K5='0909090003' WHERE A1='M00000000001'"));
        QRandomGenerator random(3);
        const Result<PaperIdentity> made = PaperGenerator(bank.db(), bank.clock, random).generate(1);
        EXPECT_TRUE(made.ok()) << made.reason().toStdString();
        paper = *made;
        // Answers given in this paper: the first and the ACD question right, the rest wrong or open.
        bank.exec(QStringLiteral("UPDATE %1 SET E2_1=A2 WHERE A1 IN ('A00000000001','M00000000001')")
                      .arg(paper.table));
        bank.exec(QStringLiteral("UPDATE %1 SET E2_1='' WHERE A1 = 'U20260308091500'").arg(paper.table));
    }

    QList<DocumentBlock> compose(ExportContent content)
    {
        const auto blocks = composePaperDocument(bank.db(), paper, 1, content);
        EXPECT_TRUE(blocks.ok()) << blocks.reason().toStdString();
        return blocks.ok() ? *blocks : QList<DocumentBlock>();
    }

    // The blocks as lines: "T:" title, "H:" heading, text, "R:<prefix>|<html>", "----" page break.
    static QStringList lines(const QList<DocumentBlock> &blocks)
    {
        QStringList out;
        for (const DocumentBlock &block : blocks) {
            switch (block.kind) {
            case Kind::Title:
                out << QStringLiteral("T:") + block.text;
                break;
            case Kind::Heading:
                out << QStringLiteral("H:") + block.text;
                break;
            case Kind::Text:
                out << block.text;
                break;
            case Kind::RichText:
                out << QStringLiteral("R:") + block.text + QLatin1Char('|') + block.html;
                break;
            case Kind::PageBreak:
                out << QStringLiteral("----");
                break;
            }
        }
        return out;
    }

    ExamBank bank;
    PaperIdentity paper;
};

TEST_F(PaperDocumentTest, WholePaperInReadingOrder)
{
    const QStringList expected = {
        QStringLiteral("T:") + paper.title,
        QString(),
        QString(),
        QStringLiteral("H:一、单项选择题[共60题，每题1分，总计60分]"),
        QStringLiteral("R:1、|<p>A00000000001</p>"),
        // The sub-question's stem comes first; the user's question (no "-") has none.
        QStringLiteral("R:|<p>案例背景</p>"),
        QStringLiteral("R:2、|<p>C000000000000001-1</p>"),
        QStringLiteral("R:3、|<p>U20260308091500</p>"),
        QStringLiteral("H:二、多项选择题[共20题，每题2分，总计40分]"),
        QStringLiteral("R:4、|<p>M00000000001</p>"),
        QStringLiteral("R:5、|<p>M00000000002</p>"),
        QStringLiteral("----"),
        QStringLiteral("答案："),
        QString(),
        QString(),
        QStringLiteral("第1题"),
        QStringLiteral("试题答案：B"),
        QStringLiteral("第2题"),
        QStringLiteral("试题答案：C"),
        QStringLiteral("试题解析："),
        QStringLiteral("R:|<p>jx C000000000000001-1</p>"),
        QStringLiteral("第3题"),
        QStringLiteral("试题答案：A"),
        QStringLiteral("试题解析："),
        QStringLiteral("R:|<p>jx U20260308091500</p>"),
        QStringLiteral("第4题"),
        QStringLiteral("试题答案：ACD"),
        QStringLiteral("试题解析："),
        QStringLiteral("R:|<p>jx M00000000001</p>"),
        QStringLiteral("考点："),
        QStringLiteral("仓储管理条例 第二条；"),
        QStringLiteral("R:|<p>第二条　仓储应当安全。</p>"),
        // A law that is not in the bank leaves the article label alone.
        QStringLiteral("第三条；"),
        QStringLiteral("R:|<p>第三条　无名之法。</p>"),
        QStringLiteral("第5题"),
        QStringLiteral("试题答案：BD"),
    };
    EXPECT_EQ(lines(compose(ExportContent::WithAnswers)), expected);
}

TEST_F(PaperDocumentTest, WithoutAnswersStopsAfterTheQuestions)
{
    const QStringList all = lines(compose(ExportContent::WithAnswers));
    const QStringList questions = lines(compose(ExportContent::WithoutAnswers));
    EXPECT_EQ(questions, all.mid(0, all.indexOf(QStringLiteral("----"))));
}

TEST_F(PaperDocumentTest, WrongOnlyKeepsTheUnscoredQuestionsWithTheirNumbers)
{
    const QStringList expected = {
        QStringLiteral("T:") + paper.title + QStringLiteral("（错题）"),
        QString(),
        QString(),
        QStringLiteral("H:一、单项选择题[错2题，每题1分]"),
        QStringLiteral("R:|<p>案例背景</p>"),
        QStringLiteral("R:2、|<p>C000000000000001-1</p>"),
        QStringLiteral("R:3、|<p>U20260308091500</p>"),
        QStringLiteral("H:二、多项选择题[错1题，每题2分]"),
        QStringLiteral("R:5、|<p>M00000000002</p>"),
        QStringLiteral("----"),
        QStringLiteral("答案："),
        QString(),
        QString(),
        QStringLiteral("第2题"),
        QStringLiteral("试题答案：C"),
        QStringLiteral("试题解析："),
        QStringLiteral("R:|<p>jx C000000000000001-1</p>"),
        QStringLiteral("第3题"),
        QStringLiteral("试题答案：A"),
        QStringLiteral("试题解析："),
        QStringLiteral("R:|<p>jx U20260308091500</p>"),
        QStringLiteral("第5题"),
        QStringLiteral("试题答案：BD"),
    };
    EXPECT_EQ(lines(compose(ExportContent::WrongOnly)), expected);
}

TEST_F(PaperDocumentTest, WrongOnlyOfAPerfectPaperSaysSo)
{
    bank.exec(QStringLiteral("UPDATE %1 SET E2_1=A2").arg(paper.table));
    const auto blocks = composePaperDocument(bank.db(), paper, 1, ExportContent::WrongOnly);
    ASSERT_FALSE(blocks.ok());
    EXPECT_EQ(blocks.reason(), noWrongQuestions());
}

TEST_F(PaperDocumentTest, MissingTypesBodiesAndStemsStillGiveTheirParagraphs)
{
    bank.exec(QStringLiteral("DELETE FROM tab_tx1 WHERE A1=66"));
    bank.exec(QStringLiteral("DELETE FROM tab_exer WHERE A1='M00000000002'"));
    bank.exec(QStringLiteral("DELETE FROM tab_title"));
    const QStringList got = lines(compose(ExportContent::WithoutAnswers));
    EXPECT_TRUE(got.contains(QStringLiteral("H:二、未知题型[共0题，每题0分，总计0分]")));
    EXPECT_TRUE(got.contains(QStringLiteral("5、")));
    EXPECT_EQ(got.at(got.indexOf(QStringLiteral("R:2、|<p>C000000000000001-1</p>")) - 1), QString());
}

TEST_F(PaperDocumentTest, RefusesWhatIsNotAReadablePaper)
{
    PaperIdentity other = paper;
    for (const QString &table : { QStringLiteral("tab_answ"), QStringLiteral("tab_exam99") }) {
        other.table = table;
        const auto blocks = composePaperDocument(bank.db(), other, 1, ExportContent::WithAnswers);
        ASSERT_FALSE(blocks.ok()) << table.toStdString();
        EXPECT_EQ(blocks.reason(), QStringLiteral("导出试题发生错误，请退出后重试！"));
    }
}

TEST(PaperDocumentName, TitleBecomesAFileName)
{
    EXPECT_EQ(suggestedDocumentName(QStringLiteral("2026年03月08日Quorvel[1]"), ExportContent::WithAnswers),
        QStringLiteral("2026年03月08日Quorvel[1].docx"));
    EXPECT_EQ(suggestedDocumentName(QStringLiteral("a/b:c"), ExportContent::WithoutAnswers),
        QStringLiteral("a_b_c（不含答案）.docx"));
    EXPECT_EQ(suggestedDocumentName(QStringLiteral(".."), ExportContent::WrongOnly),
        QStringLiteral("试卷..（错题）.docx"));
}

} // namespace
