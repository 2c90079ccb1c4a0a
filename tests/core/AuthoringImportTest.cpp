#include "AuthoringFixture.h"

#include "core/authoring/CsvReader.h"
#include "core/authoring/QuestionImport.h"

#include "demobank/DemoBank.h"

#include <QStringEncoder>
#include <QTemporaryDir>

using namespace vorlane;
using vorlane::test::AuthoringBank;

namespace {

struct CsvCase
{
    const char *name;
    QString text;
    QList<QStringList> fields; // expected records
    QList<int> lines; // where each starts
    QString error; // expected refusal, empty when parsed
};

class CsvParsing : public ::testing::TestWithParam<CsvCase>
{
};

TEST_P(CsvParsing, FollowsTheCommonFormat)
{
    const CsvCase &c = GetParam();
    const auto records = parseCsv(c.text);
    if (!c.error.isEmpty()) {
        ASSERT_FALSE(records);
        EXPECT_EQ(records.reason(), c.error);
        return;
    }
    ASSERT_TRUE(records) << records.reason().toStdString();
    ASSERT_EQ(records->size(), c.fields.size());
    for (int i = 0; i < c.fields.size(); ++i) {
        EXPECT_EQ(records->at(i).fields, c.fields.at(i)) << "record " << i;
        EXPECT_EQ(records->at(i).line, c.lines.at(i)) << "record " << i;
    }
}

QStringList f(std::initializer_list<const char *> fields)
{
    QStringList list;
    for (const char *field : fields)
        list << QString::fromUtf8(field);
    return list;
}

INSTANTIATE_TEST_SUITE_P(Cases, CsvParsing,
    ::testing::Values(CsvCase { "Plain", QStringLiteral("a,b,c\n1,2,3\n"),
                          { f({ "a", "b", "c" }), f({ "1", "2", "3" }) }, { 1, 2 }, {} },
        CsvCase { "CrLfAndNoFinalBreak", QStringLiteral("a,b\r\n1,2"), { f({ "a", "b" }), f({ "1", "2" }) },
            { 1, 2 }, {} },
        CsvCase { "QuotedCommaAndBreaks", QStringLiteral("\"甲,乙\",\"一\r\n二\"\nx,y\n"),
            { f({ "甲,乙", "一\r\n二" }), f({ "x", "y" }) }, { 1, 3 }, {} },
        CsvCase { "DoubledQuotes", QStringLiteral("\"他说\"\"好\"\"\",\"\"\n"), { f({ "他说\"好\"", "" }) },
            { 1 }, {} },
        CsvCase { "EmptyFieldsKept", QStringLiteral(",,\n"), { f({ "", "", "" }) }, { 1 }, {} },
        CsvCase {
            "BlankLinesSkipped", QStringLiteral("a\n\n  \nb\n"), { f({ "a" }), f({ "b" }) }, { 1, 4 }, {} },
        CsvCase { "LoneCarriageReturns", QStringLiteral("a\rb\r"), { f({ "a" }), f({ "b" }) }, { 1, 2 }, {} },
        CsvCase { "QuoteLeftOpen", QStringLiteral("a\n\"b,c\nd\n"), {}, {},
            QStringLiteral("第2行：引号没有结束！") },
        CsvCase { "TextAfterClosingQuote", QStringLiteral("\"a\"b,c\n"), {}, {},
            QStringLiteral("第1行：引号后面不能紧跟其他字符！") },
        CsvCase { "QuoteInsideField", QStringLiteral("x\nab\"c\n"), {}, {},
            QStringLiteral("第2行：引号只能出现在字段开头！") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvDecoding, ReadsUtf8WithOrWithoutBomAndGb18030)
{
    const QString text = QStringLiteral("章节代码,题型\n101010,单选\n");
    const QByteArray utf8 = text.toUtf8();
    EXPECT_EQ(decodeCsv(utf8).value(), text);
    EXPECT_EQ(decodeCsv(QByteArray("\xEF\xBB\xBF") + utf8).value(), text);
    QStringEncoder gb18030("GB18030");
    ASSERT_TRUE(gb18030.isValid());
    const QByteArray gb = gb18030.encode(text);
    ASSERT_NE(gb, utf8);
    const auto decoded = decodeCsv(gb);
    ASSERT_TRUE(decoded) << decoded.reason().toStdString();
    EXPECT_EQ(*decoded, text);
    // UTF-16 (NUL bytes) and a UTF-8 mark over other bytes are refused.
    QStringEncoder utf16(QStringConverter::Utf16LE);
    EXPECT_FALSE(decodeCsv(utf16.encode(text)));
    EXPECT_FALSE(decodeCsv(QByteArray("\xEF\xBB\xBF") + gb));
}

const QString Header = QStringLiteral("章节代码,题型,试题内容,待选答案个数,试题答案,试题解析,对应考点\n");

struct RowCase
{
    const char *name;
    QString line;
    QString reason; // empty: good
};

class ImportRowCheck : public AuthoringBank, public ::testing::WithParamInterface<RowCase>
{
};

TEST_P(ImportRowCheck, MarksBadRowsWithTheirReason)
{
    QuestionImport import(authoring);
    const auto preview = import.preview((Header + GetParam().line).toUtf8());
    ASSERT_TRUE(preview) << preview.reason().toStdString();
    ASSERT_EQ(preview->rows.size(), 1);
    EXPECT_EQ(preview->rows.first().line, 2);
    EXPECT_EQ(preview->rows.first().reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(Rows, ImportRowCheck,
    ::testing::Values(
        RowCase { "Good", QStringLiteral("101010,单选,\"题,目\",4,C,解析,0101000001;0201000001"), {} },
        RowCase { "TypeById", QStringLiteral("101010,66,题,5,ACE,,"), {} },
        RowCase { "SelfAssessedFillsCountAndKey", QStringLiteral("101010,简答,题,,,答案在此,"), {} },
        RowCase { "UnknownChapter", QStringLiteral("909090,单选,题,4,A,,"),
            QStringLiteral("章节“909090”不存在！") },
        RowCase { "Heading", QStringLiteral("10,单选,题,4,A,,"),
            QStringLiteral("“10”是科目或篇的标题，不是具体章节") },
        RowCase { "UnknownType", QStringLiteral("101010,单项选择,题,4,A,,"),
            QStringLiteral("题型“单项选择”不存在") },
        RowCase { "LowerCaseKey", QStringLiteral("101010,单选,题,4,a,,"),
            QStringLiteral("单选题的答案应为一个大写字母（A～D）！") },
        RowCase { "KeyBeyondCount", QStringLiteral("101010,多选,题,3,ABD,,"),
            QStringLiteral("多选题的答案应为不重复的大写字母（A～C），按字母顺序填写！") },
        RowCase { "CountOutOfRange", QStringLiteral("101010,单选,题,9,A,,"),
            QStringLiteral("待选答案个数“9”应为1到7的整数") },
        RowCase { "CountNotANumber", QStringLiteral("101010,单选,题,四,A,,"),
            QStringLiteral("待选答案个数“四”应为1到7的整数") },
        RowCase { "PointNotInBank", QStringLiteral("101010,单选,题,4,A,,0101000001；0909000009"),
            QStringLiteral("考点“0909000009”不存在！") },
        RowCase { "EmptyBody", QStringLiteral("101010,单选,  ,4,A,,"), QStringLiteral("请填写试题内容！") },
        RowCase { "MissingColumns", QStringLiteral("101010,单选,题"),
            QStringLiteral("列数不对：应为7列，实为3列") }),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AuthoringBank, ImportRefusesAWrongHeaderOrEncoding)
{
    QuestionImport import(authoring);
    const auto wrong = import.preview(QByteArray("chapter,type,body,options,key,explanation,points\n"));
    ASSERT_FALSE(wrong);
    EXPECT_TRUE(wrong.reason().startsWith(QStringLiteral("文件的标题行不对，不是试题文件。")))
        << wrong.reason().toStdString();
    EXPECT_FALSE(import.preview(QByteArray()));
    QStringEncoder utf16(QStringConverter::Utf16);
    EXPECT_FALSE(import.preview(utf16.encode(Header)));
    EXPECT_FALSE(import.previewFile(QStringLiteral("/nonexistent/file.csv")));
}

TEST_F(AuthoringBank, ImportSavesTheGoodRowsTogetherAndRaisesTheCounts)
{
    QuestionImport import(authoring);
    QStringEncoder gb18030("GB18030");
    const QString text = Header
        + QStringLiteral("101010,单选,第一题,4,A,,0101000001\n"
                         "101011,单选,坏题,4,Z,,\n"
                         "101011,多选,\"第三题\n两行\",5,BD,解析,0101000002;0101000003\n");
    const auto preview = import.preview(gb18030.encode(text));
    ASSERT_TRUE(preview) << preview.reason().toStdString();
    EXPECT_EQ(preview->goodCount(), 2);
    EXPECT_EQ(preview->badCount(), 1);
    const auto imported = import.importRows(*preview);
    ASSERT_TRUE(imported) << imported.reason().toStdString();
    EXPECT_EQ(*imported, 2);
    EXPECT_EQ(integer(QStringLiteral("SELECT count(*) FROM tab_answ WHERE F1=2 AND A1 LIKE 'US%'")), 2);
    EXPECT_EQ(
        bank.scalar(QStringLiteral("SELECT A15 FROM tab_exer e JOIN tab_answ a ON a.A1=e.A1 WHERE a.A2='BD'"))
            .toString(),
        QStringLiteral("<p>第三题<br>两行</p>"));
    EXPECT_EQ(bank.scalar(QStringLiteral("SELECT group_concat(C1||':'||C3, ' ') FROM tab_kmmc")).toString(),
        QStringLiteral("1:2 10:2 1010:2 101010:1 101011:1 2:0 20:0 2010:0 201010:0"));
    EXPECT_EQ(integer(QStringLiteral("SELECT q FROM tab_fgmc WHERE id='010100'")), 2);
}

TEST_F(AuthoringBank, ImportIsAllOrNothing)
{
    QuestionImport import(authoring);
    QString text = Header;
    for (int i = 0; i < 5; ++i)
        text += QStringLiteral("101010,单选,题%1,4,A,,0101000001\n").arg(i);
    const auto preview = import.preview(text.toUtf8());
    ASSERT_TRUE(preview);
    const QString before = snapshot();
    // The fourth question's body fails to write.
    bank.db().execScript(
        QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE INSERT ON tab_exer "
                       "WHEN new.A15 = '<p>题3</p>' BEGIN SELECT RAISE(ABORT, 'failing'); END"));
    const auto failed = import.importRows(*preview);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.reason(), QStringLiteral("第5行：保存试题出现错误！\n没有导入任何试题。"));
    EXPECT_EQ(snapshot(), before);
    bank.db().execScript(QStringLiteral("DROP TRIGGER fail_half_way"));
    // Too many for the sequences left: refused before anything is written.
    bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A10, A13) VALUES ('US1010106149997', '101010', 61)"));
    const QString full = snapshot();
    const auto refused = import.importRows(*preview);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.reason(), QStringLiteral("最多只能录入9999道题！现在还能录入2道，文件中有5道。"));
    EXPECT_EQ(snapshot(), full);
}

} // namespace

namespace {

// The sample in docs/ imports whole into the demo bank, so the format it documents stays true.
TEST(AuthoringImportSample, DocumentedSampleImportsIntoTheDemoBank)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_TRUE(demo::makeDemoBank(path));
    auto db = Database::open(path, bank::password());
    ASSERT_TRUE(db);
    QuestionAuthoring authoring(**db, 1);
    QuestionImport import(authoring);
    const auto preview = import.previewFile(
        QStringLiteral(VORLANE_SOURCE_DIR) + QStringLiteral("/docs/authoring-sample.csv"));
    ASSERT_TRUE(preview) << preview.reason().toStdString();
    ASSERT_EQ(preview->rows.size(), 4);
    for (const ImportRow &row : preview->rows)
        EXPECT_TRUE(row.ok()) << row.line << ": " << row.reason.toStdString();
    const qint64 before = (*db)->scalar(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1='1'")).toLongLong();
    const auto imported = import.importRows(*preview);
    ASSERT_TRUE(imported) << imported.reason().toStdString();
    EXPECT_EQ(*imported, 4);
    EXPECT_EQ((*db)->scalar(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1='1'")).toLongLong(), before + 4);
}

} // namespace
