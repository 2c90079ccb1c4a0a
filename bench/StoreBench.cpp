// What one recorded answer costs on a large bank, beside the cheapest durable write.
//
//   vorlane_bench [--benchmark_...]     VORLANE_BENCH_DIR=folder puts the bank there (a real
//                                       disk, not tmpfs, or the syncs cost nothing)

#include "core/Clock.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/Schema.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

using namespace vorlane;

namespace {

constexpr int QuestionCount = 100000;

QString questionId(int index)
{
    return QStringLiteral("B%1").arg(index, 11, 10, QLatin1Char('0'));
}

// Five subjects, 500 chapters (codes of length 1, 2, 4, 6), 20 categories of 10 laws with
// 50 articles each, and 100 000 questions naming three articles, filled in one transaction.
void fillBank(Database &db)
{
    QRandomGenerator random(20260314);
    QStringList chapters;
    QStringList articles;
    Transaction transaction(db);
    {
        Statement catalogue = db.prepare(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C1_1, C2, C3, C7) "
                                                        "VALUES (?1, ?2, ?3, ?3, 0, '0')"));
        int bh = 0;
        auto addNode = [&](const QString &code) {
            catalogue.bind(1, ++bh).bind(2, code).bind(3, QStringLiteral("第%1章").arg(code));
            catalogue.exec();
            catalogue.reset();
        };
        for (int subject = 1; subject <= 5; ++subject) {
            const QString s = QString::number(subject);
            addNode(s);
            for (int part = 0; part < 4; ++part) {
                const QString p = s + QString::number(part);
                addNode(p);
                for (int section = 10; section < 15; ++section) {
                    const QString q = p + QString::number(section);
                    addNode(q);
                    for (int chapter = 10; chapter < 15; ++chapter) {
                        chapters << q + QString::number(chapter);
                        addNode(chapters.last());
                    }
                }
            }
        }
    }
    {
        Statement law = db.prepare(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh) VALUES (?1, ?2, ?3)"));
        Statement rule = db.prepare(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n) VALUES (?1, ?2, ?3, ?4)"));
        int bh = 0;
        for (int category = 1; category <= 20; ++category) {
            const QString c = QStringLiteral("%1").arg(category, 2, 10, QLatin1Char('0'));
            law.bind(1, c).bind(2, QStringLiteral("法规类别%1").arg(c)).bind(3, ++bh);
            law.exec();
            law.reset();
            for (int l = 1; l <= 10; ++l) {
                const QString lawId = c + QStringLiteral("%1").arg(l, 2, 10, QLatin1Char('0')) + QStringLiteral("00");
                law.bind(1, lawId).bind(2, QStringLiteral("法规%1").arg(lawId)).bind(3, ++bh);
                law.exec();
                law.reset();
                for (int a = 1; a <= 50; ++a) {
                    articles << lawId + QStringLiteral("%1").arg(a, 4, 10, QLatin1Char('0'));
                    rule.bind(1, articles.last()).bind(2, lawId).bind(3, QStringLiteral("第%1条").arg(a))
                        .bind(4, QStringLiteral("<p>条文内容 %1</p>").arg(articles.last()));
                    rule.exec();
                    rule.reset();
                }
            }
        }
    }
    {
        Statement answer = db.prepare(QStringLiteral(
            "INSERT INTO tab_answ (A1, A2, A2_1, K3, K4, K5, A10, A13, xx) VALUES (?1, ?2, 4, ?3, ?4, ?5, ?6, 61, ?7)"));
        Statement body = db.prepare(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?1, ?2, ?3)"));
        const QString stem = QStringLiteral("<p>下列关于执业资格考试的说法中，正确的是哪一项？请仔细阅读题干并作答。</p>");
        for (int i = 0; i < QuestionCount; ++i) {
            const QString id = questionId(i);
            answer.bind(1, id).bind(2, QString(QChar(u'A' + int(random.bounded(4)))));
            for (int k = 0; k < 3; ++k)
                answer.bind(3 + k, articles.at(int(random.bounded(qsizetype(articles.size())))));
            answer.bind(6, chapters.at(i % chapters.size())).bind(7, i);
            answer.exec();
            answer.reset();
            body.bind(1, id).bind(2, QString(stem + QString::number(i))).bind(3, QStringLiteral("<p>解析：见相关条文。</p>"));
            body.exec();
            body.reset();
        }
    }
    transaction.commit();
}

struct BenchBank
{
    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    Clock clock;
    std::unique_ptr<ProgressCounters> counters;

    BenchBank() : dir(qEnvironmentVariable("VORLANE_BENCH_DIR", QDir::tempPath()) + QStringLiteral("/vorlane-bench-XXXXXX"))
    {
        const QString path = dir.filePath(QString::fromLatin1(bank::FileName));
        if (const Status created = createEmptyBank(path); !created)
            qFatal("%s", qPrintable(created.reason()));
        auto opened = openBank(path);
        if (!opened)
            qFatal("%s", qPrintable(opened.reason()));
        db = *opened;
        fillBank(*db);
        db->execScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        counters = std::make_unique<ProgressCounters>(*db, clock);
        std::fprintf(stderr, "bench bank: %s, %lld questions\n", qPrintable(path),
                     db->scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toLongLong());
    }
};

BenchBank &benchBank()
{
    static BenchBank bank;
    return bank;
}

// Spreads the questions answered over the whole bank, so that pages are not all warm.
QString nextQuestion(int &cursor)
{
    cursor = (cursor + 7919) % QuestionCount;
    return questionId(cursor);
}

// One answer as practice and exam record it: read the question's row, compute the flags from
// it, write the answer into the row and move every counter, all in one durable transaction.
void recordAnswer(BenchBank &bank, const QString &id, bool answerRight)
{
    Database &db = *bank.db;
    const QString today = bank.clock.today().toString(Qt::ISODate);
    Transaction transaction(db);
    Statement row = db.cached("SELECT A2, A10, E1, E2, E4, K3, K4, K5, K6, K7, K8, K9, K10, K11, K12 "
                              "FROM tab_answ WHERE A1=?1");
    row.bind(1, id);
    if (!row.next())
        qFatal("no question %s", qPrintable(id));
    const QString key = row.text(0);
    const QString chapter = row.text(1);
    const QString previous = row.text(3);
    const qint64 wrongScore = row.integer(4);
    AnswerFlags flags;
    flags.firstToday = flagOf(row.text(2) != today);
    flags.firstEver = flagOf(previous.isEmpty());
    flags.wrongBefore = flagOf(previous != key);
    flags.wrongNow = flagOf(!answerRight);
    QStringList points;
    for (int k = 5; k < 15; ++k)
        points << row.text(k);
    row.reset();

    const QString answer = answerRight ? key : QStringLiteral("F");
    db.cached("UPDATE tab_answ SET E2=?2, E2_1=?2, E1=?3, E3=coalesce(E3,0)+1, E4=?4 WHERE A1=?1")
        .bind(1, id)
        .bind(2, answer)
        .bind(3, today)
        .bind(4, answerRight ? wrongScore + 1 : wrongScore - 1)
        .exec();
    bank.counters->countAnswer(chapter, points, flags);
    transaction.commit();
}

void BM_RecordAnswerWithAllCounters(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    int cursor = 0;
    bool right = false;
    for (auto _ : state) {
        recordAnswer(bank, nextQuestion(cursor), right);
        right = !right;
    }
}

// The same with synchronous NORMAL, for comparison only: the bank runs at FULL.
void BM_RecordAnswerSynchronousNormal(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    bank.db->execScript(QStringLiteral("PRAGMA synchronous=NORMAL"));
    int cursor = 1;
    bool right = false;
    for (auto _ : state) {
        recordAnswer(bank, nextQuestion(cursor), right);
        right = !right;
    }
    bank.db->execScript(QStringLiteral("PRAGMA synchronous=FULL"));
}

// The floor: the cheapest durable transaction on the same bank, one row written.
void BM_OneRowCommit(benchmark::State &state)
{
    BenchBank &bank = benchBank();
    int cursor = 0;
    for (auto _ : state) {
        Transaction transaction(*bank.db);
        bank.db->cached("UPDATE tab_answ SET E2_1=?2 WHERE A1=?1")
            .bind(1, nextQuestion(cursor))
            .bind(2, QStringLiteral("A"))
            .exec();
        transaction.commit();
    }
}

} // namespace

BENCHMARK(BM_OneRowCommit)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RecordAnswerWithAllCounters)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_RecordAnswerSynchronousNormal)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

BENCHMARK_MAIN();
