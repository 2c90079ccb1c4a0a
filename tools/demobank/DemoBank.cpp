#include "demobank/DemoBank.h"

#include "demobank/DemoContent.h"
#include "demobank/DemoQuestions.h"

#include "core/laws/BankSearch.h"
#include "core/store/Database.h"
#include "core/store/QuestionCounts.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <map>

namespace vorlane::demo {

namespace {

struct QuestionType
{
    int id;
    const char *name; // the self-assessed ones carry the names question entry recognises
    double minutes;
};

const QuestionType Types[] = {
    { 61, "单选", 1.0 },
    { 63, "判断", 0.5 },
    { 64, "案例单选", 3.0 },
    { 65, "情景单选", 2.0 },
    { 66, "多选", 1.5 },
    { 67, "简答", 5.0 },
    { 72, "论述", 10.0 },
    { 73, "案例分析", 15.0 },
    { 74, "计算", 6.0 },
};

// The types a mock paper of each subject draws, with what the paper declares and scores.
// Subjects 1 to 4 come to 100 points; subject 5's six case questions cannot, so 20 each
// give 120. Every other type is listed with B2 0: practised, never drawn.
struct Scoring
{
    int subject;
    int type;
    int declared;
    int points;
};

const Scoring Scorings[] = {
    { 1, 61, 60, 1 },
    { 1, 66, 20, 2 },
    { 2, 61, 70, 1 },
    { 2, 66, 30, 1 },
    { 3, 61, 70, 1 },
    { 3, 66, 30, 1 },
    { 4, 61, 70, 1 },
    { 4, 65, 20, 1 },
    { 4, 66, 10, 1 },
    { 5, 64, 6, 20 },
};

// What mock papers draw by type and chapter prefix. The demo holds half as many again plus
// four for each group, so every group completes (a group of n needs n + 1) with room to spare.
struct DrawGroup
{
    int type;
    const char *prefix;
    int count;
};

const DrawGroup DrawGroups[] = {
    { 61, "10", 60 },
    { 66, "10", 20 },
    { 61, "20", 70 },
    { 66, "20", 30 },
    { 61, "30", 70 },
    { 66, "30", 30 },
    { 61, "06", 20 },
    { 61, "07", 18 },
    { 61, "08", 17 },
    { 61, "09", 15 },
    { 65, "06", 5 },
    { 65, "07", 5 },
    { 65, "08", 5 },
    { 65, "09", 5 },
    { 66, "06", 4 },
    { 66, "07", 2 },
    { 66, "08", 2 },
    { 66, "09", 2 },
    { 64, "05", 6 },
};

// Composite questions share a 16-character stem id; sub-questions are stem + "-" + n.
const QSet<int> CompositeTypes { 64, 65, 73 };
constexpr int MaxPerChapterAndType = 9999; // four digits in ordinary ids

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

QString chineseNumber(int n)
{
    static const char16_t digits[] = u"零一二三四五六七八九";
    const QChar ten(u'十');
    if (n < 10)
        return QString(QChar(digits[n]));
    QString text = n / 10 > 1 ? QString(QChar(digits[n / 10])) : QString();
    text += ten;
    if (n % 10)
        text += QChar(digits[n % 10]);
    return text;
}

struct Node
{
    QString code;
    QString name; // C2, numbered
    QString label; // C1_1
    QString plainName; // without numbering, for question texts
};

struct Cell
{
    int chapter; // index into chapters
    int type;
    int count;
};

class DemoBankMaker
{
public:
    DemoBankMaker(Database &db, const DemoBankOptions &options)
        : m_db(db)
        , m_options(options)
        , m_rng(options.seed)
        , m_factory(knowledgeUnits(), m_articles, m_rng)
    {
    }

    Status make();

private:
    void buildCatalogue();
    void buildArticles();
    QList<Cell> plan() const;
    QList<int> unitsUnder(const QString &prefix) const;
    QList<int> unitsOfCase(const CaseText &text) const;
    const CaseText *caseFor(const QString &chapter) const;
    void fillCell(const Cell &cell);
    QuestionText ordinary(const QString &chapter, int type);
    void writeQuestion(const QString &id, const QString &chapter, int type, const QuestionText &question);
    void writeComposites(const QString &chapter, int type, int count);
    void writeCatalogue();
    void writeTypes();
    void writeLaws();
    void writeSettings();

    Database &m_db;
    DemoBankOptions m_options;
    Rng m_rng;
    QList<Article> m_articles; // one per knowledge unit
    QuestionFactory m_factory;
    QList<Node> m_nodes;
    QStringList m_chapters;
    QHash<QString, QString> m_sectionNames; // 4-character code -> plain name
    QHash<QString, QString> m_chapterNames;
    mutable QHash<QString, QList<int>> m_unitsUnder;
    QHash<QString, int> m_ordinarySeq, m_stemSeq, m_xx;
    Statement m_insertAnswer { m_db.prepare(
        QStringLiteral("INSERT INTO tab_answ (A1,A2,A2_1,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,A10,A13,xx) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")) };
    Statement m_insertBody { m_db.prepare(
        QStringLiteral("INSERT INTO tab_exer (A1,A15,jx) VALUES (?,?,?)")) };
    Statement m_insertStem { m_db.prepare(QStringLiteral("INSERT INTO tab_title (A1,A15) VALUES (?,?)")) };
};

void DemoBankMaker::buildCatalogue()
{
    QString subjectLabel;
    int sectionNumber = 0;
    int chapterNumber = 0;
    QString partLabel, sectionName;
    for (const CatalogueNode &source : catalogue()) {
        Node node;
        node.code = u8(source.code);
        node.plainName = u8(source.name);
        switch (node.code.size()) {
        case 1:
            node.name = node.label = node.plainName;
            subjectLabel = node.plainName.section(u'　', 0, 0);
            break;
        case 2:
            node.name = node.plainName;
            partLabel
                = node.plainName.startsWith(u'科') ? node.plainName : subjectLabel + u'　' + node.plainName;
            node.label = partLabel;
            sectionNumber = 0;
            break;
        case 4:
            node.name = QStringLiteral("第") + chineseNumber(++sectionNumber) + QStringLiteral("章　")
                + node.plainName;
            sectionName = node.name;
            node.label = partLabel + u'　' + node.name;
            m_sectionNames.insert(node.code, node.plainName);
            chapterNumber = 0;
            break;
        default:
            node.name = QStringLiteral("第") + chineseNumber(++chapterNumber) + QStringLiteral("节　")
                + node.plainName;
            node.label = partLabel + u'　' + sectionName + u'　' + node.name;
            m_chapters << node.code;
            m_chapterNames.insert(node.code, node.plainName);
            break;
        }
        m_nodes << node;
    }
}

void DemoBankMaker::buildArticles()
{
    const auto allLaws = laws();
    QHash<int, int> nextArticle; // the first article of every law is its purpose
    for (const KnowledgeUnit &unit : knowledgeUnits()) {
        const int number = nextArticle.value(unit.law, 2);
        nextArticle.insert(unit.law, number + 1);
        Article article;
        article.lawId = u8(allLaws[unit.law].id);
        article.lawName = u8(allLaws[unit.law].name);
        article.ftid = article.lawId + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
        article.sn = QStringLiteral("第") + chineseNumber(number) + QStringLiteral("条");
        article.text = u8(unit.text).replace(QStringLiteral("{}"), u8(unit.key));
        m_articles << article;
    }
}

QList<int> DemoBankMaker::unitsUnder(const QString &prefix) const
{
    // Asked for every question, so kept: a large bank would otherwise spend its time here.
    if (const auto cached = m_unitsUnder.constFind(prefix); cached != m_unitsUnder.cend())
        return *cached;
    QList<int> units;
    const auto all = knowledgeUnits();
    for (int i = 0; i < int(all.size()); ++i) {
        if (u8(all[i].chapter).startsWith(prefix))
            units << i;
    }
    m_unitsUnder.insert(prefix, units);
    return units;
}

QList<int> DemoBankMaker::unitsOfCase(const CaseText &text) const
{
    QList<int> units;
    for (const QString &prefix : u8(text.sourceChapters).split(u' ', Qt::SkipEmptyParts))
        units << unitsUnder(prefix);
    return units;
}

const CaseText *DemoBankMaker::caseFor(const QString &chapter) const
{
    for (const CaseText &text : caseTexts()) {
        if (chapter.startsWith(u8(text.chapterPrefix)))
            return &text;
    }
    return nullptr;
}

// The demo's question counts: the draw groups with room to spare, and a few practice-only
// questions of the other types in every chapter. A requested size scales these counts
// (largest remainders first, so the total is exact).
QList<Cell> DemoBankMaker::plan() const
{
    std::map<std::pair<int, int>, int> counts; // (chapter index, type) -> questions
    const auto chaptersUnder = [this](const QString &prefix) {
        QList<int> found;
        for (int i = 0; i < m_chapters.size(); ++i) {
            if (m_chapters.at(i).startsWith(prefix))
                found << i;
        }
        return found;
    };
    for (const DrawGroup &group : DrawGroups) {
        const QList<int> chapters = chaptersUnder(u8(group.prefix));
        const int target = group.count + group.count / 2 + 4;
        for (int i = 0; i < chapters.size(); ++i)
            counts[{ chapters.at(i), group.type }]
                += target / chapters.size() + (i < target % chapters.size() ? 1 : 0);
    }
    for (int i = 0; i < m_chapters.size(); ++i) {
        const QString &chapter = m_chapters.at(i);
        const bool firstOfSection = chapter.endsWith(QLatin1String("01"));
        if (chapter.startsWith(QLatin1String("05"))) {
            counts[{ i, 73 }] += 3;
            counts[{ i, 72 }] += 1;
        } else if (chapter.startsWith(u'0')) {
            counts[{ i, 63 }] += 1;
            counts[{ i, 67 }] += 1;
        } else {
            counts[{ i, 63 }] += 2;
            counts[{ i, 67 }] += 1;
            if (firstOfSection)
                counts[{ i, 72 }] += 1;
            if (m_factory.calculationUnit(chapter) >= 0)
                counts[{ i, 74 }] += 2;
        }
    }

    QList<Cell> cells;
    int total = 0;
    for (const auto &[key, count] : counts) {
        cells << Cell { key.first, key.second, count };
        total += count;
    }
    if (m_options.questions <= 0 || total == 0)
        return cells;

    QList<std::pair<double, int>> remainders; // (fraction, cell) for the leftover questions
    int assigned = 0;
    for (int i = 0; i < cells.size(); ++i) {
        const double exact = double(cells[i].count) * m_options.questions / total;
        cells[i].count = int(exact);
        assigned += cells[i].count;
        remainders << std::pair { exact - cells[i].count, i };
    }
    std::stable_sort(
        remainders.begin(), remainders.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (int i = 0; assigned < m_options.questions; ++i, ++assigned)
        ++cells[remainders.at(i % remainders.size()).second].count;
    return cells;
}

QuestionText DemoBankMaker::ordinary(const QString &chapter, int type)
{
    const QString section = chapter.left(4);
    QList<int> own = unitsUnder(chapter);
    QList<int> wide = unitsUnder(section);
    if (wide.size() < 6)
        wide = unitsUnder(chapter.left(2));
    // Case chapters have no rules of their own: they ask about those of the chapters their cases touch.
    if (const CaseText *text = caseFor(chapter); text && own.isEmpty())
        own = wide = unitsOfCase(*text);
    const int unit = own.at(m_rng.below(int(own.size())));
    // Case chapters are named after their cases; what they test is the rest of the name.
    const QString scope = chapter.startsWith(QLatin1String("05")) ? m_chapterNames.value(chapter).chopped(2)
                                                                  : m_sectionNames.value(section);
    switch (type) {
    case 61: {
        const int calculationUnit = m_factory.calculationUnit(chapter);
        switch (m_rng.below(calculationUnit >= 0 ? 4 : 3)) {
        case 0:
            return m_factory.keyChoice(unit);
        case 1:
            return m_factory.rightStatement(unit);
        case 2:
            return m_factory.wrongStatement(wide, scope);
        default:
            return m_factory.calculation(chapter, calculationUnit, true);
        }
    }
    case 63:
        return m_factory.trueFalse(unit);
    case 66:
        return m_factory.multipleChoice(wide, scope);
    case 72:
        return m_factory.essay(unitsUnder(chapter).isEmpty() ? wide : unitsUnder(chapter.left(2)), scope);
    case 74:
        return m_factory.calculation(chapter, m_factory.calculationUnit(chapter), false);
    case 73:
        return m_factory.caseAnalysis(unit);
    case 64:
    case 65:
        return m_factory.keyChoice(unit);
    default:
        return m_factory.shortAnswer(unit);
    }
}

void DemoBankMaker::writeQuestion(
    const QString &id, const QString &chapter, int type, const QuestionText &question)
{
    int &xx = m_xx[chapter];
    m_insertAnswer.reset();
    m_insertAnswer.bind(1, id).bind(2, question.answer).bind(3, question.optionCount);
    for (int slot = 0; slot < 10; ++slot) {
        if (slot < question.units.size()) {
            m_insertAnswer.bind(4 + slot, m_articles.at(question.units.at(slot)).ftid);
        } else {
            m_insertAnswer.bind(4 + slot, QVariant());
        }
    }
    m_insertAnswer.bind(14, chapter).bind(15, type).bind(16, ++xx);
    m_insertAnswer.exec();
    m_insertBody.reset();
    m_insertBody.bind(1, id)
        .bind(2, question.body)
        .bind(3, question.explanation.isEmpty() ? QVariant() : QVariant(question.explanation));
    m_insertBody.exec();
}

void DemoBankMaker::writeComposites(const QString &chapter, int type, int count)
{
    const CaseText *text = caseFor(chapter); // fillCell makes sure there is one
    QList<int> pool = unitsOfCase(*text);
    const QString key = chapter + QString::number(type);
    int remaining = count;
    while (remaining > 0) {
        if (remaining == 1) { // too few left for a case: an ordinary question of the type
            const int seq = ++m_ordinarySeq[key];
            writeQuestion(key + QStringLiteral("%1").arg(seq, 4, 10, QLatin1Char('0')), chapter, type,
                type == 73 ? m_factory.shortAnswer(pool.at(m_rng.below(int(pool.size()))))
                           : ordinary(chapter, type));
            break;
        }
        int parts = qMin(remaining, 2 + m_rng.below(3));
        if (remaining - parts == 1)
            parts = parts > 2 ? parts - 1 : parts + 1;
        const QString stem = key + u'C' + QStringLiteral("%1").arg(++m_stemSeq[key], 7, 10, QLatin1Char('0'));
        m_insertStem.reset();
        m_insertStem.bind(1, stem).bind(2,
            QString(
                QStringLiteral("<p>") + m_factory.caseText(*text).toHtmlEscaped() + QStringLiteral("</p>")));
        m_insertStem.exec();
        m_rng.shuffle(pool);
        for (int part = 0; part < parts; ++part) {
            const int unit = pool.at(part % pool.size());
            const QuestionText question = type == 73 ? m_factory.caseAnalysis(unit)
                : part % 2 == 0 ? m_factory.keyChoice(unit, QStringLiteral("针对上述情况，"))
                                : m_factory.rightStatement(unit, QStringLiteral("针对上述情况，"));
            writeQuestion(stem + u'-' + QString::number(part + 1), chapter, type, question);
        }
        remaining -= parts;
    }
}

void DemoBankMaker::fillCell(const Cell &cell)
{
    const QString &chapter = m_chapters.at(cell.chapter);
    if (CompositeTypes.contains(cell.type) && caseFor(chapter)) {
        writeComposites(chapter, cell.type, cell.count);
        return;
    }
    const QString key = chapter + QString::number(cell.type);
    for (int i = 0; i < cell.count; ++i) {
        const int seq = ++m_ordinarySeq[key];
        writeQuestion(key + QStringLiteral("%1").arg(seq, 4, 10, QLatin1Char('0')), chapter, cell.type,
            ordinary(chapter, cell.type));
    }
}

void DemoBankMaker::writeCatalogue()
{
    Statement insert = m_db.prepare(QStringLiteral(
        "INSERT INTO tab_kmmc (bh,C1,C1_1,C2,C3,C4,D1,D2,C6,C7,jx) VALUES (?,?,?,?,0,0,0,0,'0',?,?)"));
    int bh = 0;
    for (const Node &node : m_nodes) {
        QVariant guidance;
        // Guidance on the first and third chapter of every section.
        if (node.code.size() == 6 && !node.code.endsWith(QLatin1String("02"))) {
            QString items;
            for (int unit : unitsUnder(node.code)) {
                items += QStringLiteral("<li>") + u8(knowledgeUnits()[unit].topic) + QStringLiteral("（")
                    + m_articles.at(unit).lawName.toHtmlEscaped() + m_articles.at(unit).sn
                    + QStringLiteral("）</li>");
            }
            if (node.code.startsWith(QLatin1String("05")))
                items
                    = QStringLiteral("<li>通读案例，找出与题目相关的事实</li><li>对照有关规定逐项判断</li>");
            guidance = QString(QStringLiteral("<h3>本节学习指导</h3><p>本节介绍“")
                + node.plainName.toHtmlEscaped() + QStringLiteral("”的有关规定，重点掌握以下内容：</p><ol>")
                + items
                + QStringLiteral(
                    "</ol><p>建议先通读相关条文，再完成本节练习；做错的题目可在“错题重做”中反复练习。</p>"));
        }
        // The score charts show one point per section.
        const QString charted = node.code.size() == 4 ? QStringLiteral("0") : QStringLiteral("1");
        insert.reset();
        insert.bindAll({ ++bh, node.code, node.label, node.name, charted, guidance });
        insert.exec();
    }
}

void DemoBankMaker::writeTypes()
{
    for (int subject = 1; subject <= 5; ++subject) {
        Statement insert = m_db.prepare(
            QStringLiteral("INSERT INTO tab_tx%1 (A1,B1,B2,B3,time) VALUES (?,?,?,?,?)").arg(subject));
        for (const QuestionType &type : Types) {
            int declared = 0, points = 0;
            for (const Scoring &scoring : Scorings) {
                if (scoring.subject == subject && scoring.type == type.id) {
                    declared = scoring.declared;
                    points = scoring.points;
                }
            }
            insert.reset();
            insert.bindAll({ type.id, u8(type.name), declared, points, type.minutes });
            insert.exec();
        }
    }
}

void DemoBankMaker::writeLaws()
{
    Statement law
        = m_db.prepare(QStringLiteral("INSERT INTO tab_fgmc (id,n,bh,q,q1,q2,q4) VALUES (?,?,?,0,0,0,0)"));
    Statement rule = m_db.prepare(
        QStringLiteral("INSERT INTO tab_rule (ftid,id,sn,n,q,q1,q2,q4) VALUES (?,?,?,?,0,0,0,0)"));
    const auto article
        = [&rule](const QString &ftid, const QString &lawId, const QString &sn, const QString &text) {
              rule.reset();
              const QString html = QStringLiteral("<p>") + sn + QStringLiteral("　") + text.toHtmlEscaped()
                  + QStringLiteral("</p>");
              rule.bindAll({ ftid, lawId, sn, html });
              rule.exec();
          };
    int bh = 0;
    for (const LawCategory &category : lawCategories()) {
        law.reset();
        law.bindAll({ u8(category.id), u8(category.name), ++bh });
        law.exec();
        for (const Law &source : laws()) {
            const QString id = u8(source.id);
            if (!id.startsWith(u8(category.id)))
                continue;
            law.reset();
            law.bindAll({ id, QString(QStringLiteral("《") + u8(source.name) + QStringLiteral("》")), ++bh });
            law.exec();
            article(id + QStringLiteral("0001"), id, QStringLiteral("第一条"), u8(source.purpose));
            for (int unit = 0; unit < m_articles.size(); ++unit) {
                const Article &a = m_articles.at(unit);
                if (a.lawId == id)
                    article(a.ftid, id, a.sn, a.text);
            }
        }
    }
}

void DemoBankMaker::writeSettings()
{
    // A fixed exam date keeps the bank the same from build to build.
    m_db.exec(
        QStringLiteral("INSERT INTO tab_plan (PlanMark,PlanAmount,PlanTime,ExamDate,LeastMark,ExamTime) "
                       "VALUES (0,50,60,?,60,7200)"),
        { QStringLiteral("2027-06-12") });
    m_db.exec(QStringLiteral("INSERT INTO tab_sj (sjbs,cpbs) VALUES (?,?)"),
        { QStringLiteral("VORLANE-QB-2026-BASE"), QStringLiteral("VORLANE-QB-2026") });
}

Status DemoBankMaker::make()
{
    buildCatalogue();
    buildArticles();
    const QList<Cell> cells = plan();
    for (const Cell &cell : cells) {
        if (cell.count > MaxPerChapterAndType)
            return Status::failure(
                QStringLiteral("题目数量过大：每个章节每种题型最多 %1 道。").arg(MaxPerChapterAndType));
    }
    Transaction transaction(m_db);
    for (const Cell &cell : cells)
        fillCell(cell);
    writeCatalogue();
    writeTypes();
    writeLaws();
    QuestionCounts(m_db).recountAll();
    writeSettings();
    transaction.commit();
    return {};
}

} // namespace

Status makeDemoBank(const QString &path, const DemoBankOptions &options)
{
    if (options.questions < 0)
        return Status::failure(QStringLiteral("题目数量不能为负数。"));
    const Status created = createEmptyBank(path);
    if (!created)
        return created;
    Status status;
    {
        auto db = Database::open(path, bank::password());
        if (!db)
            return db.status();
        try {
            // A bank being made is deleted when anything fails, so it needs no journal and no
            // syncs until it is done; a large cache keeps index pages from being written twice.
            (*db)->execScript(QStringLiteral(
                "PRAGMA journal_mode=MEMORY; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;"));
            DemoBankMaker maker(**db, options);
            status = maker.make();
            // The bank search's index ships ready, so the first search does not build it.
            if (status)
                status = BankSearch(**db).rebuild();
        } catch (const StoreError &error) {
            status = Status::failure(error.detail());
        }
    }
    if (!status) { // a half-made bank is of no use to anyone
        for (const QString &suffix : { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") })
            QFile::remove(path + suffix);
    }
    return status;
}

Status replaceWithDemoBank(const QString &path, const DemoBankOptions &options)
{
    const QStringList suffixes { QString(), QStringLiteral("-wal"), QStringLiteral("-shm") };
    const QString fresh = path + QStringLiteral(".new");
    for (const QString &suffix : suffixes)
        QFile::remove(fresh + suffix);
    const Status made = makeDemoBank(fresh, options);
    if (!made)
        return made;
    for (const QString &suffix : suffixes)
        QFile::remove(path + suffix);
    if (!QFile::rename(fresh, path)) {
        QFile::remove(fresh);
        return Status::failure(QStringLiteral("无法写入：%1").arg(path));
    }
    return {};
}

} // namespace vorlane::demo
