#include "core/exam/PaperDocument.h"

#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace vorlane::exam {

namespace {

using Kind = DocumentBlock::Kind;

struct PaperRow
{
    int number = 0; // the question's number in the paper
    QString id;
    QString key;
    int type = 0;
    QString explanation;
    QStringList examPoints;
    bool right = false;
};

// Types whose key is a choice or a verdict the reader can check; the others are self-assessed
// and their answer lives in the explanation.
bool hasKeyLine(int type)
{
    return type == 61 || (type >= 63 && type <= 66);
}

bool isBlank(const QString &html)
{
    return html.trimmed().isEmpty();
}

class Composer
{
public:
    Composer(Database &db, int subject)
        : m_db(db)
        , m_subject(subject == 0 ? 1 : subject)
    {
    }

    QList<PaperRow> readPaper(const QString &table)
    {
        QList<PaperRow> rows;
        Statement statement = m_db.prepare(
            QStringLiteral("SELECT A1,A2,A13,jx,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,(A2 = E2_1) FROM ") + table
            + QStringLiteral(" ORDER BY A13, A1"));
        while (statement.next()) {
            PaperRow row;
            row.number = int(rows.size()) + 1;
            row.id = statement.text(0);
            row.key = statement.text(1);
            row.type = int(statement.integer(2));
            row.explanation = statement.isNull(3) ? QString() : statement.text(3);
            for (int column = 4; column <= 13; ++column) {
                const QString point = statement.text(column).trimmed();
                if (!point.isEmpty())
                    row.examPoints << point;
            }
            row.right = statement.integer(14) != 0;
            rows << row;
        }
        return rows;
    }

    void questionsPart(const QList<PaperRow> &rows, ExportContent content)
    {
        QSet<int> typesMet;
        int section = 0;
        for (const PaperRow &row : rows) {
            if (!typesMet.contains(row.type)) {
                typesMet.insert(row.type);
                ++section;
                add(Kind::Heading, sectionNumeral(section) + sectionHeading(row.type, rows, content));
            }
            // A sub-question shares the stem named by the first 16 characters of its id; the stem
            // goes before each of them, so every question reads whole on its own.
            if (row.id.contains(QLatin1Char('-')))
                addRich(QString(),
                    m_db.scalar(QStringLiteral("SELECT A15 FROM tab_title WHERE A1=?1"), { row.id.left(16) })
                        .toString());
            addRich(QString::number(row.number) + QStringLiteral("、"),
                m_db.scalar(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1=?1"), { row.id }).toString());
        }
    }

    void answersPart(const QList<PaperRow> &rows)
    {
        m_blocks << DocumentBlock { Kind::PageBreak, {}, {} };
        add(Kind::Text, QStringLiteral("答案："));
        add(Kind::Text, QString());
        add(Kind::Text, QString());
        for (const PaperRow &row : rows) {
            add(Kind::Text, QStringLiteral("第%1题").arg(row.number));
            if (hasKeyLine(row.type))
                add(Kind::Text, QStringLiteral("试题答案：") + row.key);
            if (!isBlank(row.explanation)) {
                add(Kind::Text, QStringLiteral("试题解析："));
                addRich(QString(), row.explanation);
            }
            if (!row.examPoints.isEmpty()) {
                add(Kind::Text, QStringLiteral("考点："));
                for (const QString &point : row.examPoints)
                    examPoint(point);
            }
        }
    }

    QList<DocumentBlock> take() { return std::move(m_blocks); }

    void add(Kind kind, const QString &text) { m_blocks << DocumentBlock { kind, text, {} }; }

private:
    void addRich(const QString &prefix, const QString &html)
    {
        if (isBlank(html))
            add(Kind::Text, prefix);
        else
            m_blocks << DocumentBlock { Kind::RichText, prefix, html };
    }

    // "二、多项选择题[共20题，每题2分，总计40分]" from the declared count and points of the type.
    QString sectionHeading(int type, const QList<PaperRow> &rows, ExportContent content)
    {
        int count = 0;
        int points = 0;
        if (isExamSubject(m_subject)) {
            Statement statement
                = m_db.prepare(QStringLiteral("SELECT B2, B3 FROM tab_tx%1 WHERE A1=?1").arg(m_subject));
            statement.bind(1, type);
            if (statement.next()) {
                count = int(statement.integer(0));
                points = int(statement.integer(1));
            }
        }
        const QString name = typeNameOf(m_db, m_subject, type);
        if (content == ExportContent::WrongOnly) {
            const auto wrong = std::count_if(
                rows.cbegin(), rows.cend(), [type](const PaperRow &row) { return row.type == type; });
            return name + QStringLiteral("[错%1题，每题%2分]").arg(wrong).arg(points);
        }
        return name
            + QStringLiteral("[共%1题，每题%2分，总计%3分]").arg(count).arg(points).arg(count * points);
    }

    // "《某法》 第十二条；" followed by the article's text. The law is named by the first six
    // characters of the article's id, as everywhere the bank links articles to laws.
    void examPoint(const QString &point)
    {
        Statement article = m_db.prepare(QStringLiteral(
            "SELECT r.sn, r.n, f.n FROM tab_rule r LEFT JOIN tab_fgmc f ON f.id = ?2 WHERE r.ftid = ?1"));
        article.bind(1, point).bind(2, point.left(6));
        if (!article.next()) {
            add(Kind::Text, point + QStringLiteral("；"));
            return;
        }
        const QString law = article.isNull(2) ? QString() : article.text(2);
        add(Kind::Text,
            (law.isEmpty() ? QString() : law + QLatin1Char(' ')) + article.text(0) + QStringLiteral("；"));
        addRich(QString(), article.text(1));
    }

    Database &m_db;
    int m_subject;
    QList<DocumentBlock> m_blocks;
};

} // namespace

Result<QList<DocumentBlock>> composePaperDocument(
    Database &db, const PaperIdentity &paper, int subject, ExportContent content)
{
    const QString failed = QStringLiteral("导出试题发生错误，请退出后重试！");
    if (!isPaperTableName(paper.table))
        return Result<QList<DocumentBlock>>::failure(failed);
    try {
        Composer composer(db, subject);
        QList<PaperRow> rows = composer.readPaper(paper.table);
        if (rows.isEmpty())
            return Result<QList<DocumentBlock>>::failure(failed);
        if (content == ExportContent::WrongOnly) {
            rows.removeIf([](const PaperRow &row) { return row.right; });
            if (rows.isEmpty())
                return Result<QList<DocumentBlock>>::failure(noWrongQuestions());
        }

        const QString title
            = content == ExportContent::WrongOnly ? paper.title + QStringLiteral("（错题）") : paper.title;
        composer.add(Kind::Title, title);
        composer.add(Kind::Text, QString());
        composer.add(Kind::Text, QString());
        composer.questionsPart(rows, content);
        if (content != ExportContent::WithoutAnswers)
            composer.answersPart(rows);
        return composer.take();
    } catch (const StoreError &error) {
        return storeFailure(error, failed); // the statement and SQLite's text go to the log
    }
}

const QString &noWrongQuestions()
{
    static const QString text = QStringLiteral("本卷没有做错的试题！");
    return text;
}

QString suggestedDocumentName(const QString &title, ExportContent content)
{
    static const QRegularExpression unfit(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString name = title;
    name.replace(unfit, QStringLiteral("_"));
    name = name.trimmed();
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("试卷"));
    switch (content) {
    case ExportContent::WithAnswers:
        break;
    case ExportContent::WithoutAnswers:
        name += QStringLiteral("（不含答案）");
        break;
    case ExportContent::WrongOnly:
        name += QStringLiteral("（错题）");
        break;
    }
    return name + QStringLiteral(".docx");
}

} // namespace vorlane::exam
