#include "PracticeFixture.h"

#include "core/laws/BankSearch.h"
#include "core/laws/SearchText.h"
#include "demobank/DemoBank.h"

using namespace vorlane;
using vorlane::test::PracticeBank;

namespace {

TEST(LawsSearchText, PlainTextLeavesTheMarkupOut)
{
    const struct
    {
        const char *html;
        const char *plain;
    } cases[] = {
        { "<p>第一条　为了规范</p>", "第一条　为了规范" },
        { "<p class=\"x>y\">甲</p><p>乙</p>", "甲 乙" }, // '>' inside a quoted attribute
        { "合<b>同</b>法", "合 同 法" }, // a tag parts the text
        { "a &lt;b&gt; &amp; &quot;c&quot; &#20013;&#x6587;&nbsp;d", "a <b> & \"c\" 中文 d" },
        { "&unknown; & &#xZZ;", "&unknown; & &#xZZ;" }, // not references: kept as written
        { "<!-- 注释 <p> -->正文", "正文" },
        { "<style>p { color: red }</style><script>var s = '<p>';</script>文字", "文字" },
        { "  前  <br/>\n 后 ", "前 后" },
        { "（　　）", "（　　）" }, // an ideographic blank is text
        { "1 < 2 且 3<4", "1 < 2 且 3<4" }, // a '<' that opens no tag is text
        { "", "" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(plainTextOfHtml(QString::fromUtf8(c.html)), QString::fromUtf8(c.plain)) << c.html;
}

TEST(LawsSearchText, OneTokenPerCharacter)
{
    const struct
    {
        const char *text;
        const char *tokens;
    } cases[] = {
        { "仓储合同", "仓 储 合 同" },
        { "GB/T 123", "G B T 1 2 3" }, // ASCII punctuation and blanks only separate
        { "ＧＢ１２", "G B 1 2" }, // full-width forms fold
        { "第一条　（定义）", "第 一 条 定 义" },
        { "甲，乙。", "甲 乙 。" }, // the full-width comma folds to ASCII and separates
        { "\"AND\" OR *", "A N D O R" }, // no query syntax survives
        { "𠀀字", "𠀀 字" }, // outside the basic plane: one token
        { "  ", "" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(searchTokens(QString::fromUtf8(c.text)), QString::fromUtf8(c.tokens)) << c.text;
    EXPECT_EQ(phraseQuery(QStringLiteral(" 合同 ")), QStringLiteral("\"合 同\""));
    EXPECT_EQ(phraseQuery(QStringLiteral("\"*")), QString());
}

class SearchBank : public PracticeBank
{
public:
    SearchBank()
    {
        exec(QStringLiteral("UPDATE tab_rule SET n = '<p>当事人订立<span "
                            "class=\"合同\">仓储合同</span>，应当采用书面形式。</p>' "
                            "WHERE ftid = '1100010001'"));
        exec(QStringLiteral("UPDATE tab_rule SET n = '<p>违约责任</p>' WHERE ftid = '1100010002'"));
        exec(QStringLiteral("UPDATE tab_rule SET sn = '第1条 总则 合同' WHERE ftid = '1100010003'"));
        addQuestion(QStringLiteral("q1"), QStringLiteral("100101"), 61, QStringLiteral("A"));
        addQuestion(QStringLiteral("q2"), QStringLiteral("100102"), 61, QStringLiteral("A"));
        addQuestion(QStringLiteral("q3"), QStringLiteral("100101"), 61, QStringLiteral("A"));
        setBody(QStringLiteral("q1"), QStringLiteral("<p>关于<b>仓储</b>合同的说法，正确的是（　　）。</p>"));
        setBody(QStringLiteral("q2"), QStringLiteral("<p style=\"font-family:宋体\">保管人的责任</p>"));
        setBody(QStringLiteral("q3"), QStringLiteral("<p>下列说法正确的是</p>"));
    }
    void setBody(const QString &id, const QString &html)
    {
        exec(QStringLiteral("UPDATE tab_exer SET A15 = ?1 WHERE A1 = ?2"), { html, id });
    }
};

QStringList keys(const QList<SearchHit> &hits)
{
    QStringList found;
    for (const SearchHit &hit : hits)
        found << hit.key;
    return found;
}

TEST(LawsSearch, FindsPhrasesInArticlesAndQuestionsNotInMarkup)
{
    SearchBank bank;
    BankSearch search(bank.db());
    EXPECT_FALSE(search.hasIndex());

    const Result<SearchResult> contract = search.find(QStringLiteral("仓储合同"));
    ASSERT_TRUE(contract.ok()) << contract.reason().toStdString();
    EXPECT_TRUE(search.hasIndex()); // the first search built it
    EXPECT_EQ(keys(contract->articles), QStringList { QStringLiteral("1100010001") });
    EXPECT_EQ(keys(contract->questions), QStringList { QStringLiteral("q1") }); // across the <b> tag
    const SearchHit &article = contract->articles.at(0);
    EXPECT_EQ(article.lawId, QStringLiteral("110001"));
    EXPECT_EQ(article.place, QStringLiteral("合同法"));
    EXPECT_EQ(article.text, QStringLiteral("第3条 订立"));
    const SearchHit &question = contract->questions.at(0);
    EXPECT_EQ(question.place, QStringLiteral("第一章"));
    EXPECT_EQ(question.text, QStringLiteral("关于 仓储 合同的说法，正确的是（　　）。"));

    // Titles count; attribute values, tag names and style text do not.
    EXPECT_EQ(keys(search.find(QStringLiteral("总则 合同"))->articles),
        QStringList { QStringLiteral("1100010003") });
    for (const char *markup : { "宋体", "span", "class", "font", "p" }) {
        const Result<SearchResult> hits = search.find(QString::fromUtf8(markup));
        EXPECT_TRUE(hits->articles.isEmpty() && hits->questions.isEmpty()) << markup;
    }
    // Phrases, not words anywhere: "正确的是" is in q1 and q3, "确正" nowhere.
    EXPECT_EQ(keys(search.find(QStringLiteral("正确的是"))->questions),
        (QStringList { QStringLiteral("q1"), QStringLiteral("q3") }));
    EXPECT_TRUE(search.find(QStringLiteral("确正"))->questions.isEmpty());
    // Blank or punctuation only: nothing to look for.
    EXPECT_TRUE(search.find(QStringLiteral("  "))->questions.isEmpty());
    EXPECT_TRUE(search.find(QStringLiteral("' OR 1=1 --"))->questions.isEmpty());
}

TEST(LawsSearch, ChangesToTheBankAreFoundAtTheNextSearch)
{
    SearchBank bank;
    BankSearch search(bank.db());
    ASSERT_TRUE(search.rebuild().ok());
    EXPECT_TRUE(search.find(QStringLiteral("冷链运输"))->questions.isEmpty());

    // An edited body, a new question, a deleted one, an edited article.
    bank.setBody(QStringLiteral("q3"), QStringLiteral("<p>冷链运输的温度</p>"));
    bank.addQuestion(QStringLiteral("q4"), QStringLiteral("100102"), 61, QStringLiteral("A"));
    bank.setBody(QStringLiteral("q4"), QStringLiteral("冷链运输"));
    bank.exec(QStringLiteral("DELETE FROM tab_exer WHERE A1 = 'q1'"));
    bank.exec(QStringLiteral("UPDATE tab_rule SET n = '冷链运输条款' WHERE ftid = '1100010002'"));

    const Result<SearchResult> found = search.find(QStringLiteral("冷链运输"));
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(keys(found->questions), (QStringList { QStringLiteral("q3"), QStringLiteral("q4") }));
    EXPECT_EQ(keys(found->articles), QStringList { QStringLiteral("1100010002") });
    EXPECT_TRUE(search.find(QStringLiteral("关于"))->questions.isEmpty()); // q1's old text is gone
    EXPECT_TRUE(search.find(QStringLiteral("下列说法"))->questions.isEmpty()); // and q3's
    EXPECT_EQ(bank.integer(QStringLiteral("SELECT count(*) FROM tab_sspend")), 0);

    // A source table made again loses its triggers: the index is built afresh.
    bank.exec(QStringLiteral("DROP TRIGGER tab_ss_exer_upd"));
    EXPECT_FALSE(search.hasIndex());
    bank.setBody(QStringLiteral("q2"), QStringLiteral("新的题面"));
    EXPECT_EQ(keys(search.find(QStringLiteral("新的题面"))->questions), QStringList { QStringLiteral("q2") });
    EXPECT_TRUE(search.hasIndex());
}

TEST(LawsSearch, AStemFoundListsTheQuestionsOfItsCase)
{
    SearchBank bank;
    bank.exec(QStringLiteral(
        "INSERT INTO tab_title (A1, A15) VALUES ('0501016500000001', '<p>某冷库发生火灾</p>')"));
    for (const char *id : { "0501016500000001-1", "0501016500000001-2" })
        bank.addQuestion(QString::fromLatin1(id), QStringLiteral("100102"), 61, QStringLiteral("A"));
    bank.addQuestion(QStringLiteral("0501016500000001x"), QStringLiteral("100102"), 61, QStringLiteral("A"));
    BankSearch search(bank.db());
    const Result<SearchResult> found = search.find(QStringLiteral("冷库发生火灾"));
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(keys(found->questions),
        (QStringList { QStringLiteral("0501016500000001-1"), QStringLiteral("0501016500000001-2") }));
    EXPECT_EQ(found->questions.at(0).text, QStringLiteral("某冷库发生火灾"));
}

TEST(LawsSearch, ListsAreCappedAndSaySo)
{
    SearchBank bank;
    for (int i = 0; i < 5; ++i) {
        const QString id = QStringLiteral("m%1").arg(i);
        bank.addQuestion(id, QStringLiteral("100101"), 61, QStringLiteral("A"));
        bank.setBody(id,
            QStringLiteral("保管人应当妥善保管，这是第%"
                           "1题，内容足够长，以便截断之后只显示题目开头的那一部分文字，后面的不再显示。")
                .arg(i));
    }
    BankSearch search(bank.db());
    Result<SearchResult> found = search.find(QStringLiteral("保管人"), 3);
    ASSERT_TRUE(found.ok());
    EXPECT_EQ(found->questions.size(), 3);
    EXPECT_TRUE(found->moreQuestions);
    EXPECT_EQ(found->questionIds().size(), 3);
    EXPECT_TRUE(found->questions.at(0).text.endsWith(QStringLiteral("…")));
    EXPECT_EQ(found->questions.at(0).text.size(), BankSearch::StartLength + 1);
    found = search.find(QStringLiteral("保管人"), 10);
    EXPECT_EQ(found->questions.size(), 6);
    EXPECT_FALSE(found->moreQuestions);
}

} // namespace

namespace {

TEST(LawsSearch, TheDemoBankShipsWithItsIndex)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("demo.db"));
    ASSERT_TRUE(demo::makeDemoBank(path, { .questions = 60 }).ok());
    auto db = Database::open(path, bank::password());
    ASSERT_TRUE(db.ok());
    BankSearch search(**db);
    EXPECT_TRUE(search.hasIndex());
    // Every article and every question body is in it.
    EXPECT_EQ((*db)->scalar(QStringLiteral("SELECT count(*) FROM tab_ssdoc WHERE kind = 1")).toLongLong(),
        (*db)->scalar(QStringLiteral("SELECT count(*) FROM tab_rule")).toLongLong());
    EXPECT_EQ((*db)->scalar(QStringLiteral("SELECT count(*) FROM tab_ssdoc WHERE kind = 2")).toLongLong(),
        (*db)->scalar(QStringLiteral("SELECT count(*) FROM tab_exer WHERE A15 <> ''")).toLongLong());
    const Result<SearchResult> found = search.find(QStringLiteral("仓储经营"));
    ASSERT_TRUE(found.ok());
    EXPECT_FALSE(found->articles.isEmpty());
    EXPECT_FALSE(found->questions.isEmpty());
}

} // namespace
