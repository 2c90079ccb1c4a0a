#include "upgradefile/UpgradeFile.h"

#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"
#include "demobank/DemoBank.h"

#include <QFile>
#include <QTemporaryDir>

namespace vorlane::demo {

namespace {

// New sections sit beside the demo's: section "1001" becomes "1051", its chapter "100102"
// becomes "105102", and a question id, which begins with its chapter, follows its chapter.
QString movedCode(const char *column)
{
    const QString c = QLatin1String(column);
    return QStringLiteral("substr(%1,1,2) || (CAST(substr(%1,3,2) AS INTEGER) + 50) || substr(%1,5)").arg(c);
}

// New laws are the implementing rules of the demo's: law "010001" gets "019001", and its
// articles ("0100010002") theirs ("0190010002").
QString movedLaw(const QString &column)
{
    return QStringLiteral(
        "CASE WHEN trim(coalesce(%1,'')) = '' THEN %1 ELSE substr(%1,1,2) || '9' || substr(%1,4) END")
        .arg(column);
}

void fill(Database &db, const UpgradeFileOptions &options)
{
    // A demo whose codes already use the new ranges would collide with itself.
    if (db.scalar(QStringLiteral("SELECT count(*) FROM src.tab_kmmc WHERE length(C1) >= 4 "
                                 "AND CAST(substr(C1,3,2) AS INTEGER) >= 50"))
            .toInt()
        > 0)
        throw StoreError(QStringLiteral("demo sections numbered 50 or above leave no room for new ones"));
    if (db.scalar(QStringLiteral(
                      "SELECT count(*) FROM src.tab_fgmc WHERE length(id) = 6 AND substr(id,3,1) = '9'"))
            .toInt()
        > 0)
        throw StoreError(QStringLiteral("demo laws numbered 9xxx leave no room for new ones"));

    const QString code = movedCode("C1");
    db.exec(QStringLiteral("INSERT INTO tab_kmmc (bh,C1,C1_1,C2,C3,C4,D1,D2,C6,C7,jx) "
                           "SELECT bh + (SELECT max(bh) FROM src.tab_kmmc), ")
        + code
        + QStringLiteral(", C1_1 || '（补充）', C2 || '（补充）', 0, 0, 0, 0, '0', C7, jx "
                         "FROM src.tab_kmmc WHERE length(C1) IN (4, 6)"));

    QStringList points;
    for (int k = 3; k <= 12; ++k)
        points << movedLaw(QStringLiteral("K%1").arg(k));
    db.exec(QStringLiteral(
                "INSERT INTO tab_answ (A1,A2,A2_1,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,A10,A13,xx) SELECT ")
        + movedCode("A1") + QStringLiteral(", A2, A2_1, ") + points.join(QStringLiteral(", "))
        + QStringLiteral(", ") + movedCode("A10") + QStringLiteral(", A13, xx FROM src.tab_answ"));
    db.exec(QStringLiteral("INSERT INTO tab_exer (A1,A15,jx) SELECT ") + movedCode("A1")
        + QStringLiteral(", A15, jx FROM src.tab_exer"));
    db.exec(QStringLiteral("INSERT INTO tab_title (A1,A15) SELECT ") + movedCode("A1")
        + QStringLiteral(", A15 FROM src.tab_title"));

    db.exec(QStringLiteral("INSERT INTO tab_fgmc (id,n,bh,q,q1,q2,q4) SELECT ")
        + movedLaw(QStringLiteral("id"))
        + QStringLiteral(
            ", replace(n, '》', '实施细则》'), bh + (SELECT max(bh) FROM src.tab_fgmc), 0, 0, 0, 0 "
            "FROM src.tab_fgmc WHERE length(id) = 6"));
    db.exec(QStringLiteral("INSERT INTO tab_rule (ftid,id,sn,n,q,q1,q2,q4) SELECT ")
        + movedLaw(QStringLiteral("ftid")) + QStringLiteral(", ") + movedLaw(QStringLiteral("id"))
        + QStringLiteral(", sn, n, 0, 0, 0, 0 FROM src.tab_rule"));

    // The file's own counters describe what it carries.
    db.exec(QStringLiteral("UPDATE tab_kmmc SET C3 = (SELECT count(*) FROM tab_answ WHERE substr(A10, 1, "
                           "length(tab_kmmc.C1)) = tab_kmmc.C1)"));
    db.exec(QStringLiteral("UPDATE tab_rule SET q = (SELECT count(*) FROM tab_answ WHERE tab_rule.ftid "
                           "IN (K3,K4,K5,K6,K7,K8,K9,K10,K11,K12))"));
    db.exec(QStringLiteral(
        "UPDATE tab_fgmc SET q = (SELECT count(*) FROM tab_answ WHERE tab_fgmc.id IN (substr(K3,1,6),"
        "substr(K4,1,6),substr(K5,1,6),substr(K6,1,6),substr(K7,1,6),substr(K8,1,6),substr(K9,1,6),"
        "substr(K10,1,6),substr(K11,1,6),substr(K12,1,6)))"));
    db.exec(
        QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES (?1, ?2)"), { options.sjbs, options.cpbs });
}

} // namespace

Status makeUpgradeFile(const QString &path, const UpgradeFileOptions &options)
{
    if (options.questions < 0)
        return Status::failure(QStringLiteral("题目数量不能为负数。"));
    QTemporaryDir work;
    if (!work.isValid())
        return Status::failure(QStringLiteral("无法建立临时文件夹。"));
    const QString source = work.filePath(QStringLiteral("source.db"));
    DemoBankOptions demo;
    demo.questions = options.questions;
    demo.seed = options.seed;
    if (const Status made = makeDemoBank(source, demo); !made)
        return made;

    Status status;
    {
        // No key: an upgrade file is a plain SQLite file.
        auto db = Database::open(path, QByteArray(), Database::Mode::CreateNew);
        if (!db)
            return db.status();
        try {
            Database &file = **db;
            createSchema(file);
            // Only the tables an upgrade carries.
            for (const char *table :
                { "tab_tx1", "tab_tx2", "tab_tx3", "tab_tx4", "tab_tx5", "tab_rz", "tab_plan", "tab_cj" })
                file.execScript(QStringLiteral("DROP TABLE ") + QLatin1String(table));
            file.exec(QStringLiteral("ATTACH DATABASE ?1 AS src KEY ?2"),
                { source, QString::fromLatin1(bank::password()) });
            {
                Transaction transaction(file);
                fill(file, options);
                transaction.commit();
            }
            file.execScript(QStringLiteral("DETACH DATABASE src; VACUUM;"));
        } catch (const StoreError &error) {
            status = Status::failure(error.detail());
        }
    }
    if (!status) {
        for (const QString &suffix : { QString(), QStringLiteral("-journal"), QStringLiteral("-wal") })
            QFile::remove(path + suffix);
    }
    return status;
}

} // namespace vorlane::demo
