#include "demobank/DemoBank.h"

#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace vorlane::demo {
namespace {

// A bank made by the demo tool in its own temporary folder, opened for reading.
struct MadeBank
{
    explicit MadeBank(const DemoBankOptions &options)
    {
        QStandardPaths::setTestModeEnabled(true);
        path = dir.filePath(QString::fromLatin1(bank::FileName));
        const Status made = makeDemoBank(path, options);
        if (!made) {
            ADD_FAILURE() << made.reason().toStdString();
            return;
        }
        auto opened = Database::open(path, bank::password());
        if (!opened)
            ADD_FAILURE() << opened.reason().toStdString();
        else
            db = *opened;
    }

    QList<QVariantList> rows(const QString &sql, const QVariantList &values = {}) const
    {
        QList<QVariantList> result;
        Statement statement = db->prepare(sql);
        statement.bindAll(values);
        while (statement.next()) {
            QVariantList row;
            for (int column = 0; column < statement.columnCount(); ++column)
                row << statement.value(column);
            result << row;
        }
        return result;
    }
    qint64 count(const QString &sql, const QVariantList &values = {}) const
    {
        return db->scalar(sql, values).toLongLong();
    }
    // Everything the bank holds, in a stable order, as one digest.
    QByteArray digest() const
    {
        QCryptographicHash hash(QCryptographicHash::Sha256);
        for (const QString &table : db->userTables()) {
            if (table.startsWith(QLatin1String("tab_ss"))) // the search index, made from the rows below
                continue;
            for (const QVariantList &row :
                rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(table))) {
                for (const QVariant &value : row)
                    hash.addData(QByteArray(value.toString().toUtf8() + '\x1f'));
            }
        }
        return hash.result();
    }

    QTemporaryDir dir;
    QString path;
    std::shared_ptr<Database> db;
};

// Banks are made once per size and shared by the tests that only read them.
const MadeBank &bankOf(int questions)
{
    static std::map<int, std::unique_ptr<MadeBank>> banks;
    auto &made = banks[questions];
    if (!made)
        made = std::make_unique<MadeBank>(DemoBankOptions { questions, DemoBankOptions {}.seed });
    return *made;
}

const QString Points = QStringLiteral("K3,K4,K5,K6,K7,K8,K9,K10,K11,K12");

class DemoBankContent : public ::testing::TestWithParam<int>
{
protected:
    const MadeBank &bank() const { return bankOf(GetParam()); }
    void SetUp() override { ASSERT_TRUE(bank().db) << "the bank was not made"; }
};

// The normal demo bank and one scaled to a requested size must both hold together.
INSTANTIATE_TEST_SUITE_P(Sizes, DemoBankContent, ::testing::Values(0, 3000), [](const auto &info) {
    return info.param == 0 ? std::string("Demo") : "Questions" + std::to_string(info.param);
});

TEST_P(DemoBankContent, CatalogueCountersMatchTheQuestionsBelowEachRow)
{
    const auto rows = bank().rows(QStringLiteral(
        "SELECT k.C1, k.C3, (SELECT count(*) FROM tab_answ a WHERE substr(a.A10, 1, length(k.C1)) = k.C1),"
        " k.C4, k.D1, k.D2, k.C6 FROM tab_kmmc k"));
    ASSERT_FALSE(rows.isEmpty());
    for (const QVariantList &row : rows) {
        const QString code = row.at(0).toString();
        EXPECT_EQ(row.at(1).toLongLong(), row.at(2).toLongLong()) << "C3 of " << code.toStdString();
        EXPECT_EQ(row.at(3).toLongLong() + row.at(4).toLongLong() + row.at(5).toLongLong(), 0)
            << code.toStdString();
        EXPECT_EQ(row.at(6).toString(), QStringLiteral("0")) << code.toStdString();
        EXPECT_TRUE(QList<qsizetype>({ 1, 2, 4, 6 }).contains(code.size())) << code.toStdString();
        if (code.size() > 1) { // every row hangs below an existing parent
            EXPECT_EQ(bank().count(QStringLiteral("SELECT count(*) FROM tab_kmmc WHERE C1 = ?"),
                          { code.left(code.size() == 2 ? 1 : code.size() - 2) }),
                1)
                << code.toStdString();
        }
    }
    // Every question sits in a chapter, and the charted rows cover the whole bank once.
    EXPECT_EQ(bank().count(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A10 NOT IN "
                                          "(SELECT C1 FROM tab_kmmc WHERE length(C1) = 6)")),
        0);
    EXPECT_EQ(bank().count(QStringLiteral("SELECT sum(C3) FROM tab_kmmc WHERE C7 = '0'")),
        bank().count(QStringLiteral("SELECT count(*) FROM tab_answ")));
    EXPECT_EQ(bank().count(QStringLiteral("SELECT count(DISTINCT bh) FROM tab_kmmc")),
        bank().count(QStringLiteral("SELECT count(*) FROM tab_kmmc")));
    EXPECT_GT(
        bank().count(QStringLiteral("SELECT count(*) FROM tab_kmmc WHERE length(C1) = 6 AND jx <> ''")), 0);
    EXPECT_EQ(
        bank().count(QStringLiteral("SELECT count(*) FROM tab_kmmc WHERE C1_1 IS NULL OR C1_1 = ''")), 0);
}

TEST_P(DemoBankContent, ExamPointCountersMatchTheQuestionsNamingThem)
{
    const QString naming
        = QStringLiteral("(SELECT count(*) FROM tab_answ a WHERE r.ftid IN (%1))").arg(Points);
    for (const QVariantList &row : bank().rows(
             QStringLiteral("SELECT r.ftid, r.q, %1, r.q1 + r.q2 + r.q4 FROM tab_rule r").arg(naming))) {
        EXPECT_EQ(row.at(1).toLongLong(), row.at(2).toLongLong())
            << "q of article " << row.at(0).toString().toStdString();
        EXPECT_EQ(row.at(3).toLongLong(), 0);
    }
    // A law or category counts a question once, however many of its articles the question names.
    QString anyPoint;
    for (const QString &point : Points.split(u','))
        anyPoint += QStringLiteral(" OR substr(a.%1, 1, length(f.id)) = f.id").arg(point);
    const auto laws
        = bank().rows(QStringLiteral("SELECT f.id, f.q, (SELECT count(*) FROM tab_answ a WHERE 0%1), "
                                     "f.q1 + f.q2 + f.q4 FROM tab_fgmc f")
                          .arg(anyPoint));
    ASSERT_FALSE(laws.isEmpty());
    for (const QVariantList &row : laws) {
        EXPECT_EQ(row.at(1).toLongLong(), row.at(2).toLongLong())
            << "q of " << row.at(0).toString().toStdString();
        EXPECT_EQ(row.at(3).toLongLong(), 0);
    }
}

TEST_P(DemoBankContent, ExamPointsAreFilledFromK3WithoutGapsAndExist)
{
    QSet<QString> articles;
    const QRegularExpression title(QStringLiteral("^第[一二三四五六七八九十]+条$"));
    for (const QVariantList &row : bank().rows(QStringLiteral("SELECT ftid, id, sn, n FROM tab_rule"))) {
        const QString ftid = row.at(0).toString();
        articles.insert(ftid);
        EXPECT_EQ(ftid.size(), 10);
        EXPECT_EQ(ftid.left(6), row.at(1).toString());
        EXPECT_EQ(bank().count(QStringLiteral("SELECT count(*) FROM tab_fgmc WHERE id IN (?, ?)"),
                      { ftid.left(6), ftid.left(2) }),
            2)
            << ftid.toStdString();
        EXPECT_TRUE(title.match(row.at(2).toString()).hasMatch()) << row.at(2).toString().toStdString();
        EXPECT_TRUE(row.at(3).toString().startsWith(QStringLiteral("<p>") + row.at(2).toString()));
    }
    int mostPoints = 0;
    for (const QVariantList &row : bank().rows(QStringLiteral("SELECT A1, %1 FROM tab_answ").arg(Points))) {
        QSet<QString> named;
        bool ended = false;
        for (int slot = 1; slot <= 10; ++slot) {
            const QString point = row.at(slot).toString();
            if (point.isEmpty()) {
                ended = true;
                continue;
            }
            EXPECT_FALSE(ended) << "gap before K" << slot + 2 << " in " << row.at(0).toString().toStdString();
            EXPECT_TRUE(articles.contains(point)) << point.toStdString();
            EXPECT_FALSE(named.contains(point)) << "named twice in " << row.at(0).toString().toStdString();
            named.insert(point);
        }
        mostPoints = qMax(mostPoints, int(named.size()));
    }
    EXPECT_EQ(mostPoints, 10);
}

// The draw table of mock papers: (subject, type, chapter prefix, questions drawn).
struct DrawGroup
{
    int subject;
    int type;
    const char *prefix;
    int count;
};

const DrawGroup DrawTable[] = {
    { 1, 61, "10", 60 },
    { 1, 66, "10", 20 },
    { 2, 61, "20", 70 },
    { 2, 66, "20", 30 },
    { 3, 61, "30", 70 },
    { 3, 66, "30", 30 },
    { 4, 61, "06", 20 },
    { 4, 61, "07", 18 },
    { 4, 61, "08", 17 },
    { 4, 61, "09", 15 },
    { 4, 65, "06", 5 },
    { 4, 65, "07", 5 },
    { 4, 65, "08", 5 },
    { 4, 65, "09", 5 },
    { 4, 66, "06", 4 },
    { 4, 66, "07", 2 },
    { 4, 66, "08", 2 },
    { 4, 66, "09", 2 },
    { 5, 64, "05", 6 },
};

TEST_P(DemoBankContent, EveryDrawGroupHasMoreQuestionsThanItDraws)
{
    for (const DrawGroup &group : DrawTable) {
        // Only questions with a body can be copied into a paper; a group of n draws from n + 1.
        const qint64 pool
            = bank().count(QStringLiteral("SELECT count(*) FROM tab_answ a JOIN tab_exer e ON e.A1 = a.A1 "
                                          "WHERE a.A13 = ? AND substr(a.A10, 1, 2) = ? AND a.F1 <> 1"),
                { group.type, QString::fromLatin1(group.prefix) });
        EXPECT_GT(pool, group.count + group.count / 4) << "type " << group.type << " from " << group.prefix;
        EXPECT_GT(bank().count(QStringLiteral("SELECT B2 FROM tab_tx%1 WHERE A1 = ?").arg(group.subject),
                      { group.type }),
            0)
            << "type " << group.type << " is switched off for subject " << group.subject;
    }
}

TEST_P(DemoBankContent, AnswerKeysAreCanonicalForTheirKind)
{
    const QSet<int> single { 61, 63, 64, 65 }, multiple { 66 }, selfAssessed { 67, 72, 73, 74 };
    for (const QVariantList &row : bank().rows(QStringLiteral("SELECT A1, A13, A2, A2_1 FROM tab_answ"))) {
        const std::string id = row.at(0).toString().toStdString();
        const int type = row.at(1).toInt();
        const QString key = row.at(2).toString();
        const int options = row.at(3).toInt();
        if (selfAssessed.contains(type)) {
            EXPECT_EQ(key, QStringLiteral("1")) << id;
            EXPECT_EQ(options, 1) << id;
            continue;
        }
        ASSERT_TRUE(single.contains(type) || multiple.contains(type))
            << "unknown type " << type << " of " << id;
        EXPECT_GE(options, 2) << id;
        EXPECT_LE(options, 6) << id;
        EXPECT_TRUE(multiple.contains(type) ? key.size() >= 2 : key.size() == 1)
            << id << " " << key.toStdString();
        for (qsizetype i = 0; i < key.size(); ++i) {
            EXPECT_GE(key.at(i), QChar(u'A')) << id;
            EXPECT_LT(key.at(i).unicode(), u'A' + options) << id << ": letter beyond the options shown";
            if (i > 0) {
                EXPECT_LT(key.at(i - 1), key.at(i)) << id << ": letters out of A-to-F order";
            }
        }
    }
}

TEST_P(DemoBankContent, CompositeIdsMatchTheirStemsAndOrdinaryIdsHaveTwelveCharacters)
{
    const QRegularExpression sub(QStringLiteral("^(.{16})-([1-9][0-9]*)$"));
    QHash<QString, QList<int>> parts;
    QHash<QString, QString> chapterAndType;
    int ordinary = 0;
    for (const QVariantList &row :
        bank().rows(QStringLiteral("SELECT A1, A10 || '/' || A13 FROM tab_answ ORDER BY A1"))) {
        const QString id = row.at(0).toString();
        if (!id.contains(u'-')) {
            EXPECT_EQ(id.size(), 12) << id.toStdString();
            EXPECT_FALSE(id.startsWith(u'U')) << "user question ids start with U";
            ++ordinary;
            continue;
        }
        const auto match = sub.match(id);
        ASSERT_TRUE(match.hasMatch()) << id.toStdString();
        parts[match.captured(1)] << match.captured(2).toInt();
        const QString shared = chapterAndType.value(match.captured(1), row.at(1).toString());
        EXPECT_EQ(shared, row.at(1).toString())
            << "sub-questions of one stem differ in chapter or type: " << id.toStdString();
        chapterAndType.insert(match.captured(1), shared);
    }
    EXPECT_GT(ordinary, 0);
    const auto stems = bank().rows(QStringLiteral("SELECT A1, A15 FROM tab_title"));
    EXPECT_GT(stems.size(), 0);
    EXPECT_EQ(stems.size(), parts.size()) << "every stem has sub-questions and every sub-question a stem";
    for (const QVariantList &stem : stems) {
        const QString id = stem.at(0).toString();
        ASSERT_TRUE(parts.contains(id)) << id.toStdString();
        EXPECT_FALSE(stem.at(1).toString().isEmpty());
        QList<int> numbers = parts.value(id);
        std::sort(numbers.begin(), numbers.end());
        EXPECT_GE(numbers.size(), 2) << id.toStdString();
        for (int i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(numbers.at(i), i + 1)
                << "sub-questions of " << id.toStdString() << " are numbered 1, 2, …";
    }
}

TEST_P(DemoBankContent, QuestionsHaveBodiesAndMostHaveExplanations)
{
    const qint64 total = bank().count(QStringLiteral("SELECT count(*) FROM tab_answ"));
    EXPECT_EQ(total, GetParam() > 0 ? GetParam() : total);
    EXPECT_EQ(bank().count(QStringLiteral("SELECT count(*) FROM tab_answ a JOIN tab_exer e ON e.A1 = a.A1 "
                                          "WHERE e.A15 LIKE '<p>%'")),
        total);
    EXPECT_EQ(bank().count(QStringLiteral("SELECT count(*) FROM tab_exer")), total);
    const qint64 explained
        = bank().count(QStringLiteral("SELECT count(*) FROM tab_exer WHERE trim(jx) <> ''"));
    EXPECT_GT(explained, total * 8 / 10);
    EXPECT_LT(explained, total) << "some questions come without an explanation";
    // A fresh bank: nothing answered, nothing voided, no log, no papers.
    EXPECT_EQ(
        bank().count(QStringLiteral("SELECT count(*) FROM tab_answ WHERE E1 IS NOT NULL OR E2 IS NOT NULL "
                                    "OR E2_1 IS NOT NULL OR E3 <> 0 OR E4 <> 0 OR F1 <> 0 OR ecount <> 0")),
        0);
    EXPECT_EQ(
        bank().count(QStringLiteral("SELECT (SELECT count(*) FROM tab_rz) + (SELECT count(*) FROM tab_cj)")),
        0);
}

TEST(DemoBank, FullScoresAreRoundAndDeclareWhatIsDrawn)
{
    const MadeBank &bank = bankOf(0);
    ASSERT_TRUE(bank.db);
    const int fullScores[] = { 100, 100, 100, 100, 120 };
    QList<QVariantList> firstTypes;
    for (int subject = 1; subject <= 5; ++subject) {
        const auto types
            = bank.rows(QStringLiteral("SELECT A1, B1, B2, B3, time FROM tab_tx%1 ORDER BY A1").arg(subject));
        int full = 0, undrawn = 0;
        for (const QVariantList &type : types) {
            const int declared = type.at(2).toInt();
            full += declared * type.at(3).toInt();
            undrawn += declared == 0 ? 1 : 0;
            int drawn = 0;
            for (const DrawGroup &group : DrawTable)
                drawn += group.subject == subject && group.type == type.at(0).toInt() ? group.count : 0;
            EXPECT_EQ(declared, drawn) << "subject " << subject << " type " << type.at(0).toInt();
            EXPECT_GE(type.at(4).toDouble(), 0.1);
            EXPECT_LE(type.at(4).toDouble(), 30.0);
        }
        EXPECT_EQ(full, fullScores[subject - 1]) << "subject " << subject;
        EXPECT_GT(undrawn, 0) << "some types are practised only";
        // Every subject lists the same types under the same names, so any subject's table serves the windows.
        if (subject == 1)
            firstTypes = types;
        for (int i = 0; i < types.size() && i < firstTypes.size(); ++i)
            EXPECT_EQ(types.at(i).at(1), firstTypes.at(i).at(1));
        EXPECT_EQ(types.size(), firstTypes.size());
    }
    // The self-assessed types carry names that question entry recognises.
    for (int id : { 67, 72, 73, 74 }) {
        const QString name
            = bank.db->scalar(QStringLiteral("SELECT B1 FROM tab_tx1 WHERE A1 = ?"), { id }).toString();
        EXPECT_TRUE(
            QStringList({ QStringLiteral("简答"), QStringLiteral("主观"), QStringLiteral("论述"),
                            QStringLiteral("案例分析"), QStringLiteral("名词解释"),
                            QStringLiteral("查找错误"), QStringLiteral("综合"), QStringLiteral("计算") })
                .contains(name))
            << id;
    }
}

TEST(DemoBank, HoldsOnePlanRowAndTheProductRow)
{
    const MadeBank &bank = bankOf(0);
    ASSERT_TRUE(bank.db);
    const auto plan = bank.rows(
        QStringLiteral("SELECT PlanMark, PlanAmount, PlanTime, ExamDate, LeastMark, ExamTime FROM tab_plan"));
    ASSERT_EQ(plan.size(), 1);
    EXPECT_EQ(plan.at(0).at(0).toInt(), 0);
    EXPECT_GT(plan.at(0).at(1).toInt(), 0);
    EXPECT_GT(plan.at(0).at(2).toInt(), 0);
    EXPECT_TRUE(QDate::fromString(plan.at(0).at(3).toString(), Qt::ISODate).isValid());
    EXPECT_EQ(plan.at(0).at(4).toInt(), 60);
    EXPECT_EQ(plan.at(0).at(5).toInt(), 7200);
    const auto products = bank.rows(QStringLiteral("SELECT sjbs, cpbs FROM tab_sj"));
    ASSERT_EQ(products.size(), 1);
    EXPECT_EQ(products.at(0).at(1).toString(), QStringLiteral("VORLANE-QB-2026"));
    EXPECT_FALSE(products.at(0).at(0).toString().isEmpty());
}

TEST(DemoBank, SameSeedMakesTheSameBankAndAnotherSeedOtherQuestions)
{
    const MadeBank first(DemoBankOptions {});
    const MadeBank again(DemoBankOptions {});
    DemoBankOptions otherSeed;
    otherSeed.seed = 7;
    const MadeBank other(otherSeed);
    ASSERT_TRUE(first.db && again.db && other.db);
    EXPECT_EQ(first.digest(), again.digest());
    EXPECT_NE(first.digest(), other.digest());
    // The seed changes the questions, never the catalogue or the laws.
    const QString shape = QStringLiteral("SELECT group_concat(C1 || ':' || C2) FROM tab_kmmc");
    EXPECT_EQ(first.db->scalar(shape), other.db->scalar(shape));
    EXPECT_EQ(first.count(QStringLiteral("SELECT count(*) FROM tab_answ")),
        other.count(QStringLiteral("SELECT count(*) FROM tab_answ")));
}

TEST(DemoBank, LargeBankKeepsTheCatalogueAndLaws)
{
    const MadeBank &demo = bankOf(0);
    const MadeBank &large = bankOf(3000);
    ASSERT_TRUE(demo.db && large.db);
    for (const QString &sql :
        { QStringLiteral("SELECT group_concat(C1) FROM (SELECT C1 FROM tab_kmmc ORDER BY bh)"),
            QStringLiteral("SELECT group_concat(ftid) FROM (SELECT ftid FROM tab_rule ORDER BY ftid)"),
            QStringLiteral("SELECT group_concat(id) FROM (SELECT id FROM tab_fgmc ORDER BY bh)") })
        EXPECT_EQ(demo.db->scalar(sql), large.db->scalar(sql)) << sql.toStdString();
    EXPECT_LT(demo.count(QStringLiteral("SELECT count(*) FROM tab_answ")), 3000);
}

TEST(DemoBank, RefusesToOverwriteAFileAndLeavesItAlone)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("existing.db"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a bank");
    }
    EXPECT_FALSE(makeDemoBank(path).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a bank"));

    const QString fresh = dir.filePath(QStringLiteral("fresh.db"));
    EXPECT_FALSE(makeDemoBank(fresh, DemoBankOptions { -5, 1 }).ok());
    EXPECT_FALSE(QFile::exists(fresh));
}

TEST(DemoBank, ReplacingKeepsTheOldFileUntilTheNewBankIsMade)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bank.db"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the old bank");
    }
    // Too many questions for the four-digit ids: refused, and the old file stays.
    EXPECT_FALSE(replaceWithDemoBank(path, DemoBankOptions { 100000000, 1 }).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("the old bank"));
    file.close();

    ASSERT_TRUE(replaceWithDemoBank(path).ok());
    EXPECT_TRUE(Database::open(path, bank::password()).ok());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("bank.db") });
}

} // namespace
} // namespace vorlane::demo
