#include "core/exam/PaperGenerator.h"

#include "core/Clock.h"
#include "core/Subject.h"
#include "core/practice/Catalogue.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <QRandomGenerator>

#include <utility>
#include <vector>

namespace vorlane::exam {

namespace {

const char *const Titles[] = { "Quorvel", "Brastine", "Calvetor", "Dunmarra", "Eskwold" };

// The draw table: per subject, the cells of each type in the order they are drawn.
struct DrawCell
{
    int subject;
    DrawGroup group;
};

const std::vector<DrawCell> &drawTable()
{
    static const std::vector<DrawCell> table = [] {
        std::vector<DrawCell> cells;
        auto add = [&](int subject, int type, const char *prefix, int count) {
            cells.push_back({ subject, DrawGroup { type, QString::fromLatin1(prefix), count } });
        };
        add(1, 61, "10", 60);
        add(1, 66, "10", 20);
        add(2, 61, "20", 70);
        add(2, 66, "20", 30);
        add(3, 61, "30", 70);
        add(3, 66, "30", 30);
        add(4, 61, "06", 20);
        add(4, 61, "07", 18);
        add(4, 61, "08", 17);
        add(4, 61, "09", 15);
        for (const char *prefix : { "06", "07", "08", "09" })
            add(4, 65, prefix, 5);
        add(4, 66, "06", 4);
        for (const char *prefix : { "07", "08", "09" })
            add(4, 66, prefix, 2);
        add(5, 64, "05", 6);
        return cells;
    }();
    return table;
}

// Drawn questions are few (a paper holds at most 100), so one IN list per cell is enough.
QString placeholders(qsizetype count)
{
    QString text;
    for (qsizetype i = 1; i <= count; ++i)
        text += (i > 1 ? QStringLiteral(",?") : QStringLiteral("?")) + QString::number(i);
    return text;
}

} // namespace

bool isExamSubject(int subject)
{
    return Subject::fromNumber(subject).isValid();
}

QString subjectTitle(int subject)
{
    return isExamSubject(subject) ? QString::fromLatin1(Titles[subject - 1]) : QString();
}

QStringList poolPrefixes(int subject)
{
    return Subject::fromNumber(subject).poolPrefixes();
}

QString poolCondition(int subject)
{
    QStringList terms;
    for (const QString &prefix : poolPrefixes(subject))
        terms << QStringLiteral("substr(A10,1,2) = '%1'").arg(prefix);
    if (terms.isEmpty())
        return QString();
    return QLatin1Char('(') + terms.join(QStringLiteral(" or ")) + QStringLiteral(") and");
}

QString poolStatement(int subject)
{
    return QStringLiteral("select * from tab_answ where ") + poolCondition(subject)
        + QStringLiteral(" (f1 <> 1) order by E3");
}

QList<DrawGroup> drawGroups(int subject, int type)
{
    QList<DrawGroup> groups;
    for (const DrawCell &cell : drawTable())
        if (cell.subject == subject && cell.group.type == type)
            groups << cell.group;
    return groups;
}

QString paperTitle(const QDate &day, int subject, int number)
{
    const QLatin1Char zero('0');
    return QStringLiteral("%1年%2月%3日")
               .arg(day.year(), 4, 10, zero)
               .arg(day.month(), 2, 10, zero)
               .arg(day.day(), 2, 10, zero)
        + subjectTitle(subject) + QLatin1Char('[') + QString::number(number) + QLatin1Char(']');
}

QString createPaperTableStatement(const QString &table)
{
    return QStringLiteral("CREATE TABLE ") + table
        + QStringLiteral(" (A1 TEXT NOT NULL PRIMARY KEY,A2 TEXT,A2_1 INTEGER,"
                         "K3 TEXT,K4 TEXT,K5 TEXT,K6 TEXT,K7 TEXT,K8 TEXT,K9 TEXT,K10 TEXT,K11 TEXT,K12 TEXT"
                         ",A10 TEXT,A13 INTEGER,A14 TEXT,E1 TEXT,E2 TEXT,"
                         "E2_1 TEXT,E3 INTEGER,E4 INTEGER,jx TEXT,csbs TEXT,"
                         "F1 INTEGER)");
}

QString typeNameOf(Database &db, int subject, int typeId)
{
    const Subject examSubject = Subject::ofExam(subject);
    if (!examSubject.isValid())
        return QStringLiteral("未知题型");
    try {
        Statement statement = db.prepare(
            QStringLiteral("SELECT B1 FROM ") + examSubject.typeTable() + QStringLiteral(" WHERE A1=?1"));
        statement.bind(1, typeId);
        if (statement.next())
            return statement.text(0);
    } catch (const StoreError &) {
        // A type table that cannot be read names no type.
    }
    return QStringLiteral("未知题型");
}

QString typeHeadingText(Database &db, int subject, int typeId, int points, int count)
{
    return typeNameOf(db, subject, typeId) + QStringLiteral(" 每题") + QString::number(points)
        + QStringLiteral("分 共") + QString::number(points * count) + QStringLiteral("分");
}

QString typeHeadingFor(Database &db, int subject, int typeId)
{
    const Subject examSubject = Subject::ofExam(subject);
    if (!examSubject.isValid())
        return QString();
    try {
        Statement statement = db.prepare(QStringLiteral("SELECT B1, B2, B3 FROM ") + examSubject.typeTable()
            + QStringLiteral(" WHERE A1=?1"));
        statement.bind(1, typeId);
        if (!statement.next())
            return QString();
        const int points = int(statement.integer(2));
        const int count = int(statement.integer(1));
        return statement.text(0) + QStringLiteral(" 每题") + QString::number(points) + QStringLiteral("分 共")
            + QString::number(points * count) + QStringLiteral("分");
    } catch (const StoreError &) {
        return QString();
    }
}

QString sectionNumeral(int k)
{
    static const char16_t *const numerals[] = { u"一、", u"二、", u"三、", u"四、", u"五、" };
    if (k < 1 || k > 5)
        return QStringLiteral("--");
    return QString::fromUtf16(numerals[k - 1]);
}

PaperGenerator::PaperGenerator(Database &db, const Clock &clock, QRandomGenerator &random)
    : m_db(db)
    , m_clock(clock)
    , m_random(random)
{
}

PaperName PaperGenerator::nextPaperName()
{
    PaperName name;
    qint64 tableNumber = 1;
    {
        Statement newest
            = m_db.prepare(QStringLiteral("SELECT A1, A3_1 FROM tab_cj ORDER BY A3_1 DESC LIMIT 1"));
        if (newest.next()) {
            name.number = newest.isNull(1) ? 1 : int(newest.integer(1)) + 1;
            const QString table = newest.text(0).trimmed();
            bool ok = false;
            const qint64 digits = table.mid(8).toLongLong(&ok);
            if (ok && isPaperTableName(table))
                tableNumber = digits + 1;
        }
    }
    // Numbers and names normally advance together; should they ever have drifted apart, a
    // name still in use by another paper is skipped rather than overwriting that paper.
    Statement taken = m_db.prepare(QStringLiteral("SELECT count(*) FROM tab_cj WHERE A1=?1"));
    for (;; ++tableNumber) {
        name.table = QStringLiteral("tab_exam") + QString::number(tableNumber);
        taken.bind(1, name.table);
        taken.next();
        const bool used = taken.integer(0) > 0;
        taken.reset();
        if (!used)
            break;
    }
    return name;
}

QStringList PaperGenerator::drawQuestions(int subject, int type, const QString &prefix, int count)
{
    const QStringList poolChapters = poolPrefixes(subject);
    if (poolChapters.isEmpty() || prefix.isEmpty() || count <= 0)
        return {};
    // The cell's questions come from the type index alone; whether one may be drawn (not
    // voided) is asked only of the questions the shuffle reaches, so a large pool costs one
    // index range and a handful of lookups.
    Statement cell
        = m_db.prepare(QStringLiteral("SELECT A1, A10 FROM tab_answ WHERE A13=?1 AND A10>=?2 AND A10<?3"));
    cell.bind(1, type).bind(2, prefix).bind(3, prefixUpperBound(prefix));
    QStringList candidates;
    while (cell.next())
        if (poolChapters.contains(cell.text(1).left(2)))
            candidates << cell.text(0);
    Statement drawable
        = m_db.prepare(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A1=?1 AND F1 <> 1"));
    // A partial Fisher–Yates shuffle: taking the first n drawable questions of a uniformly random
    // order makes every set of n drawable questions equally likely; with n or fewer, all of them.
    QStringList drawn;
    const qsizetype m = candidates.size();
    for (qsizetype i = 0; i < m && drawn.size() < count; ++i) {
        const qsizetype j = i + qsizetype(m_random.bounded(quint32(m - i)));
        candidates.swapItemsAt(i, j);
        drawable.bind(1, candidates.at(i));
        drawable.next();
        if (drawable.integer(0) > 0)
            drawn << candidates.at(i);
        drawable.reset();
    }
    return drawn;
}

void PaperGenerator::copyQuestionsIntoPaper(const QString &table, const QStringList &ids)
{
    if (ids.isEmpty())
        return;
    if (!isPaperTableName(table))
        throw StoreError(QStringLiteral("not a paper table: ") + table);
    Statement insert = m_db.prepare(QStringLiteral("INSERT INTO ") + table
        + QStringLiteral(
            "(A1,A2,A2_1,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,A10,A13,A14,E1,E2,E2_1,E3,E4,jx,csbs,F1) "
            "SELECT a.A1,a.A2,a.A2_1,a.K3,a.K4,a.K5,a.K6,a.K7,a.K8,a.K9,a.K10,a.K11,a.K12,"
            "a.A10,a.A13,a.A14,a.E1,a.E2,a.E2_1,a.E3,a.E4,b.jx,a.csbs,a.F1 "
            "FROM tab_answ a JOIN tab_exer b ON a.A1=b.A1 WHERE a.A1 IN (")
        + placeholders(ids.size()) + QLatin1Char(')'));
    for (qsizetype i = 0; i < ids.size(); ++i)
        insert.bind(int(i + 1), ids.at(i));
    insert.exec();
}

void PaperGenerator::fillTypeGroups(int subject, const QString &table, int type)
{
    for (const DrawGroup &group : drawGroups(subject, type))
        copyQuestionsIntoPaper(table, drawQuestions(subject, type, group.prefix, group.count));
}

void PaperGenerator::buildPaper(int subject, const QString &table)
{
    QList<int> types;
    {
        Statement statement = m_db.prepare(QStringLiteral("SELECT A1 FROM ")
            + Subject::fromNumber(subject).typeTable() + QStringLiteral(" WHERE B2 > 0 ORDER BY A1"));
        while (statement.next())
            types << int(statement.integer(0));
    }
    for (int type : std::as_const(types))
        fillTypeGroups(subject, table, type);
}

Result<PaperIdentity> PaperGenerator::generate(int subject, const StageFn &stage)
{
    auto report = [&](const QString &text) {
        if (stage)
            stage(text);
    };
    const QString tableFailed = QStringLiteral("建立数据表时发生错误！");
    report(QStringLiteral("正在初始化数据..."));
    if (!isExamSubject(subject))
        return Result<PaperIdentity>::failure(QStringLiteral("没有发现题目！"));

    // One unit: a failure at any step takes back the result row and the table, so no
    // half-made paper is ever listed.
    try {
        Transaction transaction(m_db);
        const PaperName name = nextPaperName();
        PaperIdentity paper;
        paper.table = name.table;
        paper.title = paperTitle(m_clock.today(), subject, name.number);
        m_db.exec(QStringLiteral("INSERT INTO tab_cj (A1, A3, A3_1, D1) VALUES (?1, ?2, ?3, ?4)"),
            { paper.table, paper.title, name.number, m_clock.today().toString(Qt::ISODate) });

        report(QStringLiteral("正在建立数据表..."));
        try {
            // A table left behind without its row (the program ended while making it) is stale.
            if (m_db.tableExists(paper.table))
                m_db.execScript(QStringLiteral("DROP TABLE ") + paper.table);
            m_db.execScript(createPaperTableStatement(paper.table));
        } catch (const StoreError &error) {
            return storeFailure(error, tableFailed);
        }

        report(QStringLiteral("正在整理数据..."));
        // Asked per chapter prefix, so that the chapter index answers it.
        bool poolHasRows = false;
        Statement pool = m_db.prepare(
            QStringLiteral("SELECT EXISTS (SELECT 1 FROM tab_answ WHERE A10>=?1 AND A10<?2 AND (f1 <> 1))"));
        for (const QString &prefix : poolPrefixes(subject)) {
            pool.bind(1, prefix).bind(2, prefixUpperBound(prefix));
            pool.next();
            poolHasRows = poolHasRows || pool.integer(0) != 0;
            pool.reset();
        }
        if (!poolHasRows)
            return Result<PaperIdentity>::failure(QStringLiteral("没有发现题目！"));
        try {
            buildPaper(subject, paper.table);
        } catch (const StoreError &error) {
            return storeFailure(error, QStringLiteral("提取数据时发生错误！"));
        }

        try {
            m_db.exec(QStringLiteral("UPDATE ") + paper.table + QStringLiteral(" SET E2_1=''"));
            if (m_db.scalar(QStringLiteral("SELECT count(*) FROM ") + paper.table).toInt() == 0)
                return Result<PaperIdentity>::failure(QStringLiteral("无法打开试卷！"));
        } catch (const StoreError &error) {
            return storeFailure(error, QStringLiteral("无法打开试卷！"));
        }
        transaction.commit();
        return paper;
    } catch (const StoreError &error) {
        return storeFailure(error, tableFailed);
    }
}

} // namespace vorlane::exam
