#include "core/settings/BankUpgrade.h"

#include "core/store/BankSnapshots.h"
#include "core/store/Database.h"
#include "core/store/QuestionCounts.h"
#include "core/store/StoreError.h"

#include <QFileInfo>
#include <QHash>

namespace vorlane::settings {

namespace {

constexpr char Alias[] = "vorlane_upgrade";

UpgradeReport report(UpgradeOutcome outcome, QString detail = {})
{
    UpgradeReport r;
    r.outcome = outcome;
    r.detail = std::move(detail);
    switch (outcome) {
    case UpgradeOutcome::NoFile:
        r.message = QStringLiteral("请点击文件夹按钮选择升级文件！");
        r.caption = QStringLiteral("提示");
        r.iconPage = 1;
        break;
    case UpgradeOutcome::CannotOpen:
        r.message = QStringLiteral("无法打开升级文件！");
        r.caption = QStringLiteral("错误");
        r.iconPage = 2;
        break;
    case UpgradeOutcome::OtherProduct:
        r.message = QStringLiteral("升级文件不属于本软件！");
        r.caption = QStringLiteral("提示");
        r.iconPage = 1;
        break;
    case UpgradeOutcome::AlreadyApplied:
        r.message = QStringLiteral("您已升级过了！");
        r.caption = QStringLiteral("提示");
        r.iconPage = 1;
        break;
    case UpgradeOutcome::Failed:
        r.message = QStringLiteral("升级失败！");
        r.caption = QStringLiteral("提示");
        r.iconPage = 2;
        break;
    case UpgradeOutcome::Succeeded:
        r.message = QStringLiteral("升级成功！");
        r.caption = QStringLiteral("提示");
        r.iconPage = 0;
        break;
    }
    return r;
}

// The file stays attached only while one upgrade runs; the alias is fixed, so whatever the
// file is named, no name of its own reaches a statement.
class Attachment
{
public:
    explicit Attachment(Database &db)
        : m_db(db)
    {
    }
    ~Attachment()
    {
        if (!m_attached)
            return;
        try {
            m_db.exec(QStringLiteral("DETACH DATABASE ") + QLatin1String(Alias));
        } catch (const StoreError &) {
            // The connection keeps the file open until it closes; nothing else depends on it.
        }
    }
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;

    void attach(const QString &path)
    {
        // KEY '': the upgrade file is a plain SQLite file, not keyed like the bank.
        m_db.exec(QStringLiteral("ATTACH DATABASE ?1 AS ") + QLatin1String(Alias) + QStringLiteral(" KEY ''"),
            { path });
        m_attached = true;
    }

private:
    Database &m_db;
    bool m_attached = false;
};

QStringList columnsOf(Database &db, const char *schema, const QString &table)
{
    // PRAGMA table_info names the table as an identifier; only our own fixed names reach it.
    Statement info = db.prepare(QStringLiteral("PRAGMA ") + QLatin1String(schema)
        + QStringLiteral(".table_info(") + table + QLatin1Char(')'));
    QStringList names;
    while (info.next())
        names << info.text(1).toLower();
    return names;
}

// Why the attached file is not an upgrade file, or an empty text when it is one. Everything
// here only reads the file's catalogue; no table of it is read before this passes.
QString foreignInputProblem(Database &db, bool *hasStems)
{
    QHash<QString, QString> tables; // lower-case name → its CREATE text
    Statement objects = db.prepare(QStringLiteral("SELECT type, lower(name), sql FROM ")
        + QLatin1String(Alias) + QStringLiteral(".sqlite_master"));
    while (objects.next()) {
        const QString type = objects.text(0);
        const QString name = objects.text(1);
        if (type == QLatin1String("view") || type == QLatin1String("trigger"))
            return QStringLiteral("升级文件含有视图或触发器：%1").arg(name);
        if (type == QLatin1String("table"))
            tables.insert(name, objects.text(2));
    }
    QStringList expected = upgradeTables();
    expected << QStringLiteral("tab_sj");
    *hasStems = tables.contains(QStringLiteral("tab_title"));
    if (*hasStems)
        expected << QStringLiteral("tab_title");
    for (const QString &table : std::as_const(expected)) {
        const auto found = tables.constFind(table);
        if (found == tables.constEnd())
            return QStringLiteral("升级文件缺少数据表 %1").arg(table);
        // A virtual table would hand its reading to a module instead of the file's pages.
        if (found->trimmed().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive))
            return QStringLiteral("数据表 %1 不是普通数据表").arg(table);
        if (columnsOf(db, Alias, table) != columnsOf(db, "main", table))
            return QStringLiteral("数据表 %1 的列与题库不同").arg(table);
    }
    return QString();
}

} // namespace

const QStringList &upgradeTables()
{
    static const QStringList tables = {
        QStringLiteral("tab_kmmc"),
        QStringLiteral("tab_exer"),
        QStringLiteral("tab_answ"),
        QStringLiteral("tab_rule"),
        QStringLiteral("tab_fgmc"),
    };
    return tables;
}

BankUpgrade::BankUpgrade(Database &db, const Clock &clock)
    : m_db(db)
    , m_clock(clock)
{
}

UpgradeReport BankUpgrade::apply(const QString &givenPath)
{
    const QString trimmed = givenPath.trimmed();
    if (trimmed.isEmpty())
        return report(UpgradeOutcome::NoFile);
    // ATTACH would create a missing file; an absolute path is also never read as a URI.
    const QFileInfo file(trimmed);
    if (!file.isFile() || !file.isReadable())
        return report(UpgradeOutcome::CannotOpen, QStringLiteral("找不到文件：%1").arg(trimmed));
    const QString path = file.absoluteFilePath();

    Attachment attachment(m_db);
    bool hasStems = false;
    QString sjbs;
    QString cpbs;
    try {
        attachment.attach(path);
        if (const QString problem = foreignInputProblem(m_db, &hasStems); !problem.isEmpty())
            return report(UpgradeOutcome::CannotOpen, problem);
        Statement first = m_db.prepare(QStringLiteral("SELECT sjbs, cpbs FROM ") + QLatin1String(Alias)
            + QStringLiteral(".tab_sj LIMIT 1"));
        if (first.next()) {
            sjbs = first.text(0);
            cpbs = first.text(1);
        }
    } catch (const StoreError &error) {
        return report(UpgradeOutcome::CannotOpen,
            storeFailure(error, QStringLiteral("这不是可以读取的 SQLite 数据库文件。")).reason());
    }

    try {
        if (m_db.scalar(QStringLiteral("SELECT count(*) FROM main.tab_sj WHERE cpbs = ?1 COLLATE NOCASE"),
                    { cpbs })
                .toInt()
            == 0)
            return report(UpgradeOutcome::OtherProduct);
        if (m_db.scalar(QStringLiteral("SELECT count(*) FROM main.tab_sj WHERE sjbs = ?1 COLLATE NOCASE"),
                    { sjbs })
                .toInt()
            > 0)
            return report(UpgradeOutcome::AlreadyApplied);
    } catch (const StoreError &error) {
        return report(UpgradeOutcome::Failed, storeFailure(error, StoreAction::Read).reason());
    }

    UpgradeReport done = report(UpgradeOutcome::Succeeded);
    // A merge cannot be undone: the bank as it was is kept first, and without that copy nothing
    // is merged.
    const Result<SnapshotInfo> snapshot
        = BankSnapshots(m_db.path(), m_clock).take(m_db, SnapshotReason::BeforeUpgrade);
    if (!snapshot)
        return report(UpgradeOutcome::Failed, snapshot.reason());
    done.snapshotPath = snapshot->path;

    QStringList tables = upgradeTables();
    if (hasStems)
        tables << QStringLiteral("tab_title");
    try {
        Transaction transaction(m_db);
        const qint64 questionsBefore
            = m_db.scalar(QStringLiteral("SELECT count(*) FROM main.tab_answ")).toLongLong();
        for (const QString &table : std::as_const(tables)) {
            // The column list is the bank's own, checked above to be the file's as well.
            const QString columns = columnsOf(m_db, "main", table).join(QLatin1Char(','));
            m_db.exec(QStringLiteral("INSERT INTO main.") + table + QLatin1Char('(') + columns
                + QStringLiteral(") SELECT ") + columns + QStringLiteral(" FROM ") + QLatin1String(Alias)
                + QLatin1Char('.') + table);
        }
        m_db.exec(QStringLiteral("INSERT INTO main.tab_sj (sjbs, cpbs) VALUES (?1, ?2)"), { sjbs, cpbs });
        if (m_afterCopy)
            m_afterCopy();
        // Rows already in the bank (a chapter, a law, an article) gain questions they do not count
        // yet; the file's own counters describe only the file. Every count comes from the rows.
        QuestionCounts(m_db).recountAll();
        done.questionsAdded = int(
            m_db.scalar(QStringLiteral("SELECT count(*) FROM main.tab_answ")).toLongLong() - questionsBefore);
        transaction.commit();
    } catch (const StoreError &error) {
        // A key the bank already holds is the usual cause: say so rather than "an error".
        const bool repeated
            = error.detail().contains(QLatin1String("UNIQUE constraint"), Qt::CaseInsensitive);
        const Status status = repeated
            ? storeFailure(error,
                QStringLiteral(
                    "升级文件中有题库里已有的条目，这次的改动没有保存，题库里原有的数据没有受影响。"))
            : storeFailure(error, StoreAction::Write);
        UpgradeReport failed = report(UpgradeOutcome::Failed, status.reason());
        failed.snapshotPath = done.snapshotPath;
        return failed;
    }
    return done;
}

} // namespace vorlane::settings
