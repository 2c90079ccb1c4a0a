#include "core/store/BankCheck.h"

#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "core/store/QuestionCounts.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace vorlane {

namespace {

// What the question rows say about one counter row: the rebuilt figures and the range the
// wrong answers must lie in (the rows keep no count of them: a question whose wrong-answer
// score is negative was answered wrongly at least once, one whose score is not negative was
// answered rightly at least once).
struct Tally
{
    qint64 answered = 0;
    qint64 answers = 0;
    qint64 surelyWrong = 0;
    qint64 surelyRight = 0;

    void add(qint64 attempts, qint64 wrongScore)
    {
        if (attempts <= 0)
            return;
        ++answered;
        answers += attempts;
        if (wrongScore < 0)
            ++surelyWrong;
        else
            ++surelyRight;
    }
    void add(const Tally &other)
    {
        answered += other.answered;
        answers += other.answers;
        surelyWrong += other.surelyWrong;
        surelyRight += other.surelyRight;
    }
    // The stored wrong count if the rows allow it, else the nearest value they allow.
    qint64 wrongWithin(qint64 stored) const
    {
        return std::clamp(stored, surelyWrong, std::max(surelyWrong, answers - surelyRight));
    }
};

class Checker
{
public:
    Checker(Database &db, BankCheckReport &report)
        : m_db(db)
        , m_report(report)
    {
    }

    void questionCounts();
    void catalogue();
    void examPoints();
    void papers();
    void dailyLog();

private:
    void count(CheckFinding kind, int rows = 1)
    {
        if (rows > 0)
            m_report.found[kind] += rows;
    }

    Database &m_db;
    BankCheckReport &m_report;
};

void Checker::questionCounts()
{
    // The recount writes every count; what it changed is what differed.
    const auto counts = [this] {
        QList<QVariantList> values;
        for (const char *sql :
            { "SELECT rowid, C3 FROM tab_kmmc ORDER BY rowid", "SELECT rowid, q FROM tab_rule ORDER BY rowid",
                "SELECT rowid, q FROM tab_fgmc ORDER BY rowid" }) {
            Statement rows = m_db.prepare(QString::fromLatin1(sql));
            while (rows.next())
                values.append({ QString::fromLatin1(sql), rows.integer(0), rows.value(1) });
        }
        return values;
    };
    const QList<QVariantList> before = counts();
    QuestionCounts(m_db).recountAll();
    const QList<QVariantList> after = counts();
    int changed = 0;
    for (qsizetype i = 0; i < std::min(before.size(), after.size()); ++i)
        if (before.at(i).at(2).toLongLong() != after.at(i).at(2).toLongLong()
            || before.at(i).at(2).isNull() != after.at(i).at(2).isNull())
            ++changed;
    count(CheckFinding::QuestionCounts, changed);
}

void Checker::catalogue()
{
    QHash<QString, Tally> byChapter;
    {
        Statement rows
            = m_db.prepare(QStringLiteral("SELECT upper(coalesce(A10,'')), coalesce(E3,0), coalesce(E4,0) "
                                          "FROM tab_answ WHERE coalesce(E3,0) > 0"));
        while (rows.next())
            byChapter[rows.text(0)].add(rows.integer(1), rows.integer(2));
    }
    struct Node
    {
        qint64 rowid;
        qint64 answered, answers, wrong;
        Tally truth;
    };
    QList<Node> nodes;
    QHash<QString, qsizetype> byCode;
    {
        Statement rows = m_db.prepare(QStringLiteral(
            "SELECT rowid, upper(C1), coalesce(C4,0), coalesce(D1,0), coalesce(D2,0) FROM tab_kmmc"));
        while (rows.next()) {
            byCode.insert(rows.text(1), nodes.size());
            nodes.append({ rows.integer(0), rows.integer(2), rows.integer(3), rows.integer(4), {} });
        }
    }
    // An answer moves its chapter's row and every row whose code is a shorter prefix of it.
    for (auto it = byChapter.cbegin(); it != byChapter.cend(); ++it)
        for (qsizetype length = it.key().size(); length >= 1; --length)
            if (const auto node = byCode.constFind(it.key().left(length)); node != byCode.cend())
                nodes[*node].truth.add(*it);

    Statement update = m_db.prepare(QStringLiteral("UPDATE tab_kmmc SET C4=?2, D1=?3, D2=?4 WHERE rowid=?1"));
    for (const Node &node : nodes) {
        const qint64 wrong = node.truth.wrongWithin(node.wrong);
        count(CheckFinding::CatalogueAnswered, node.answered != node.truth.answered);
        count(CheckFinding::CatalogueAnswers, node.answers != node.truth.answers);
        count(CheckFinding::CatalogueWrong, node.wrong != wrong);
        if (node.answered != node.truth.answered || node.answers != node.truth.answers
            || node.wrong != wrong) {
            update.bindAll({ node.rowid, node.truth.answered, node.truth.answers, wrong });
            update.exec();
            update.reset();
        }
    }
    // The score follows from the two counts, formatted as the counters format it.
    count(CheckFinding::CatalogueScore,
        m_db.exec(QStringLiteral("UPDATE tab_kmmc SET C6=CASE WHEN coalesce(D1,0)<=0 THEN '0' "
                                 "ELSE printf('%.2f', (D1-coalesce(D2,0))*100.0/D1) END "
                                 "WHERE C6 IS NOT CASE WHEN coalesce(D1,0)<=0 THEN '0' "
                                 "ELSE printf('%.2f', (D1-coalesce(D2,0))*100.0/D1) END")));
}

void Checker::examPoints()
{
    // Each recorded answer adds to every article the question names, and to each law and
    // category once however many of its points belong to it.
    QHash<QString, Tally> articles;
    QHash<QString, Tally> laws;
    {
        Statement rows = m_db.prepare(QStringLiteral("SELECT coalesce(E3,0), coalesce(E4,0), "
                                                     "K3, K4, K5, K6, K7, K8, K9, K10, K11, K12 "
                                                     "FROM tab_answ WHERE coalesce(E3,0) > 0"));
        while (rows.next()) {
            QSet<QString> ruleIds, lawIds, categoryIds;
            for (int column = 2; column < 12; ++column) {
                const QString point = rows.text(column);
                if (point.trimmed().isEmpty())
                    continue;
                ruleIds.insert(point.toUpper());
                lawIds.insert(point.left(6).toUpper());
                categoryIds.insert(point.left(2).toUpper());
            }
            for (const QString &id : std::as_const(ruleIds))
                articles[id].add(rows.integer(0), rows.integer(1));
            for (const QSet<QString> *ids : { &lawIds, &categoryIds })
                for (const QString &id : *ids)
                    laws[id].add(rows.integer(0), rows.integer(1));
        }
    }
    const struct
    {
        const char *select;
        const char *update;
        const QHash<QString, Tally> &truth;
        CheckFinding kind;
    } tables[] = {
        { "SELECT rowid, upper(ftid), coalesce(q1,0), coalesce(q2,0), coalesce(q4,0) FROM tab_rule",
            "UPDATE tab_rule SET q1=?2, q2=?3, q4=?4 WHERE rowid=?1", articles,
            CheckFinding::ArticleCounters },
        { "SELECT rowid, upper(id), coalesce(q1,0), coalesce(q2,0), coalesce(q4,0) FROM tab_fgmc",
            "UPDATE tab_fgmc SET q1=?2, q2=?3, q4=?4 WHERE rowid=?1", laws, CheckFinding::LawCounters },
    };
    for (const auto &table : tables) {
        QList<QVariantList> changes;
        {
            Statement rows = m_db.prepare(QString::fromLatin1(table.select));
            while (rows.next()) {
                const Tally truth = table.truth.value(rows.text(1));
                const qint64 wrong = truth.wrongWithin(rows.integer(4));
                if (rows.integer(2) != truth.answered || rows.integer(3) != truth.answers
                    || rows.integer(4) != wrong)
                    changes.append({ rows.integer(0), truth.answered, truth.answers, wrong });
            }
        }
        Statement update = m_db.prepare(QString::fromLatin1(table.update));
        for (const QVariantList &change : std::as_const(changes)) {
            update.bindAll(change);
            update.exec();
            update.reset();
        }
        count(table.kind, int(changes.size()));
    }
}

void Checker::papers()
{
    QSet<QString> tables;
    for (const QString &name : m_db.userTables())
        tables.insert(name.toLower());
    QSet<QString> listed;
    QStringList rowsWithoutTable;
    {
        Statement rows = m_db.prepare(QStringLiteral("SELECT A1 FROM tab_cj"));
        while (rows.next()) {
            const QString name = rows.text(0);
            listed.insert(name.toLower());
            if (!isPaperTableName(name.toLower()) || !tables.contains(name.toLower()))
                rowsWithoutTable << name;
        }
    }
    for (const QString &name : std::as_const(rowsWithoutTable))
        m_db.exec(QStringLiteral("DELETE FROM tab_cj WHERE A1=?1"), { name });
    count(CheckFinding::PaperRowWithoutTable, int(rowsWithoutTable.size()));

    // A paper table that no list row names cannot be reviewed or deleted by the user; its
    // answers are already counted in the question rows.
    int dropped = 0;
    for (const QString &name : std::as_const(tables)) {
        if (!isPaperTableName(name) || listed.contains(name))
            continue;
        m_db.execScript(QStringLiteral("DROP TABLE %1").arg(name));
        ++dropped;
    }
    count(CheckFinding::PaperTableWithoutRow, dropped);
}

void Checker::dailyLog()
{
    Statement days = m_db.prepare(QStringLiteral(
        "SELECT A1 FROM tab_rz WHERE coalesce(A2,0)<0 OR coalesce(A3,0)<0 OR coalesce(B1,0)<0 "
        "OR coalesce(B2,0)<0 OR coalesce(B2,0)>coalesce(B1,0) OR coalesce(A3,0)>coalesce(A2,0) "
        "ORDER BY A1"));
    while (days.next())
        m_report.impossibleDays << days.text(0);
    count(CheckFinding::ImpossibleLogDay, int(m_report.impossibleDays.size()));
}

// Runs every rebuilding step inside the caller's transaction; returns whether anything
// differed.
bool rebuild(Database &db, BankCheckReport &report, const CheckProgress &progress)
{
    report.found.clear();
    report.impossibleDays.clear();
    Checker checker(db, report);
    progress(35, QStringLiteral("正在核对习题数目…"));
    checker.questionCounts();
    progress(45, QStringLiteral("正在核对章节统计…"));
    checker.catalogue();
    progress(65, QStringLiteral("正在核对考点统计…"));
    checker.examPoints();
    progress(80, QStringLiteral("正在核对试卷列表…"));
    checker.papers();
    progress(90, QStringLiteral("正在检查每日记录…"));
    checker.dailyLog();
    return report.repairedAnything();
}

} // namespace

bool BankCheckReport::repairedAnything() const
{
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        if (it.key() != CheckFinding::ImpossibleLogDay && it.value() > 0)
            return true;
    return false;
}

int BankCheckReport::exitCode() const
{
    switch (outcome) {
    case Outcome::Clean:
        return 0;
    case Outcome::Repaired:
        return 1;
    case Outcome::Found:
    case Outcome::Damaged:
        return 2;
    }
    return 2;
}

QString BankCheckReport::findingText(CheckFinding kind)
{
    switch (kind) {
    case CheckFinding::CatalogueAnswered:
        return QStringLiteral("章节的“已做题数”与做题记录不符");
    case CheckFinding::CatalogueAnswers:
        return QStringLiteral("章节的“已做道次”与做题记录不符");
    case CheckFinding::CatalogueWrong:
        return QStringLiteral("章节的“做错道次”超出做题记录允许的范围");
    case CheckFinding::CatalogueScore:
        return QStringLiteral("章节的“综合成绩”没有按已做、做错道次计算");
    case CheckFinding::QuestionCounts:
        return QStringLiteral("章节、法规或考点的习题数目与试题不符");
    case CheckFinding::ArticleCounters:
        return QStringLiteral("考点的做题统计与做题记录不符");
    case CheckFinding::LawCounters:
        return QStringLiteral("法规及其类别的做题统计与做题记录不符");
    case CheckFinding::PaperRowWithoutTable:
        return QStringLiteral("试卷列表中有试卷的内容已经不在");
    case CheckFinding::PaperTableWithoutRow:
        return QStringLiteral("有试卷内容不在试卷列表中");
    case CheckFinding::ImpossibleLogDay:
        return QStringLiteral("每日记录中数字不可能的日子");
    }
    return {};
}

QString BankCheckReport::text() const
{
    if (outcome == Outcome::Damaged)
        return QStringLiteral("题库文件已损坏，无法修复。\n请在“数据备份”中恢复一个完好的备份。");
    QStringList lines;
    const bool anything = repairedAnything();
    if (!anything)
        lines << QStringLiteral("检查完毕：题库完好，统计数字与做题记录一致。");
    else if (outcome == Outcome::Repaired)
        lines << QStringLiteral("检查完毕，已修复以下问题：");
    else if (damage.isEmpty())
        lines << QStringLiteral("检查完毕，发现以下问题（未修复）：");
    else
        lines << QStringLiteral("发现以下问题，但没有修复（%1）：").arg(damage);
    for (auto it = found.cbegin(); it != found.cend(); ++it)
        if (it.key() != CheckFinding::ImpossibleLogDay && it.value() > 0)
            lines << QStringLiteral("  %1：%2 处").arg(findingText(it.key())).arg(it.value());
    if (!impossibleDays.isEmpty())
        lines << QStringLiteral("每日记录中有 %1 天的数字不可能（如负数、做错题数多于做过题数），"
                                "无法从做题记录重算，已保留原样：%2")
                     .arg(impossibleDays.size())
                     .arg(impossibleDays.join(QStringLiteral("、")));
    if (!snapshotPath.isEmpty())
        lines << QStringLiteral("修复前的题库已备份为：%1").arg(snapshotPath);
    return lines.join(QLatin1Char('\n'));
}

BankCheckReport checkBank(
    Database &db, BankSnapshots *snapshots, const BankCheckOptions &options, const CheckProgress &progress)
{
    const CheckProgress tell = progress ? progress : [](int, const QString &) {};
    BankCheckReport report;
    try {
        tell(0, QStringLiteral("正在检查数据页…"));
        const QString pragma = options.fullPageCheck ? QStringLiteral("PRAGMA integrity_check(20)")
                                                     : QStringLiteral("PRAGMA quick_check(20)");
        QStringList problems;
        Statement pages = db.prepare(pragma);
        while (pages.next())
            problems << pages.text(0);
        if (problems != QStringList { QStringLiteral("ok") }) {
            report.outcome = BankCheckReport::Outcome::Damaged;
            report.damage = problems.join(QLatin1Char('\n'));
            return report;
        }
        if (const Status tables = checkBankTables(db); !tables) {
            report.outcome = BankCheckReport::Outcome::Damaged;
            report.damage = tables.reason();
            return report;
        }

    } catch (const StoreError &error) {
        report.outcome = BankCheckReport::Outcome::Damaged;
        report.damage = error.detail();
        return report;
    }

    // First a pass that only looks (it is rolled back); only when it finds something and a
    // repair is wanted, a snapshot, then the same pass again, committed.
    BankCheckReport looked;
    try {
        bool differs = false;
        {
            Transaction look(db);
            differs = rebuild(db, report, tell);
        }
        looked = report;
        if (differs)
            report.outcome = BankCheckReport::Outcome::Found;
        if (differs && options.repair) {
            if (snapshots) {
                tell(92, QStringLiteral("正在备份题库…"));
                const Result<SnapshotInfo> taken = snapshots->take(db, SnapshotReason::BeforeRepair);
                if (!taken) {
                    report.damage = QStringLiteral("无法先备份题库");
                    report.detail = taken.status().detail();
                    return report; // found, not repaired: the bank could not be kept first
                }
                report.snapshotPath = taken->path;
            }
            tell(96, QStringLiteral("正在修复…"));
            Transaction repair(db);
            rebuild(db, report, [](int, const QString &) {});
            repair.commit();
            report.outcome = BankCheckReport::Outcome::Repaired;
        }
    } catch (const StoreError &error) {
        // The transaction has rolled back: the bank is as it was before the check.
        report.found = looked.found;
        report.impossibleDays = looked.impossibleDays;
        report.outcome
            = report.found.isEmpty() ? BankCheckReport::Outcome::Damaged : BankCheckReport::Outcome::Found;
        report.damage = QStringLiteral("修复失败，题库没有改变");
        report.detail = error.detail();
        return report;
    }
    tell(100, QStringLiteral("检查完毕"));
    return report;
}

int checkBankFile(const QString &path, const Clock &clock, QString &output)
{
    auto opened = openBank(path);
    if (!opened) {
        output = QStringLiteral("无法检查题库：%1").arg(opened.reason());
        return 2;
    }
    BankSnapshots snapshots(path, clock);
    const BankCheckReport report = checkBank(**opened, &snapshots);
    output = report.text();
    if (report.outcome == BankCheckReport::Outcome::Damaged && !report.damage.isEmpty())
        output += QLatin1Char('\n') + report.damage;
    return report.exitCode();
}

} // namespace vorlane
