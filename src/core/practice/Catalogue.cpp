#include "core/practice/Catalogue.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

namespace vorlane {

namespace {

// The list columns every practice window reads; the same for the three modes.
const QLatin1String ListColumns(
    "select a1,a2,a2_1,k3,k4,k5,k6,k7,k8,k9,k10,k11,k12,a10,a13,a14,e1,e2,e2_1,e3,e4,"
    "f1,xx,csbs,ecount from tab_answ ");

} // namespace

QString prefixUpperBound(const QString &code)
{
    if (code.isEmpty())
        return code;
    QString upper = code;
    upper[upper.size() - 1] = QChar(upper.at(upper.size() - 1).unicode() + 1);
    return upper;
}

Result<QList<CatalogueRow>> loadCatalogue(Database &db)
{
    try {
        QList<CatalogueRow> rows;
        Statement query = db.prepare(QStringLiteral(
            "SELECT C1, C1_1, C2, C3, C4, D1, D2, C6 FROM tab_kmmc WHERE C1 <> 'xx' ORDER BY bh, C1"));
        while (query.next()) {
            rows.append(CatalogueRow { query.text(0), query.text(1), query.text(2), query.integer(3),
                query.integer(4), query.integer(5), query.integer(6), query.text(7) });
        }
        return rows;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Result<CatalogueTotals> loadCatalogueTotals(Database &db)
{
    try {
        Statement query = db.prepare(QStringLiteral("select sum(C3) as count_c3,sum(D1) as count_d1,sum(D2) "
                                                    "as count_d2 from tab_kmmc where length(c1)=6"));
        CatalogueTotals totals;
        if (query.next()) {
            totals.questions = qMin(query.integer(0), CatalogueTotals::QuestionDisplayCap);
            totals.answers = query.integer(1);
            totals.wrong = query.integer(2);
        }
        if (totals.answers > 0) {
            const double score = double(totals.answers - totals.wrong) / double(totals.answers) * 100.0;
            totals.score = QString::asprintf("%2.2f", score);
        }
        return totals;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

bool isPractisableCode(const QString &code)
{
    return code.size() > 2;
}

PracticeListQuery practiceListQuery(PracticeMode mode, const QString &code, bool byDoubleClick)
{
    // ?1 the code, ?2 its length, ?3 the end of its range.
    const QLatin1String chapter("where (substr(A10,1,?2) = ?1) and A10 >= ?1 and A10 < ?3 ");
    QString sql = ListColumns + chapter;
    switch (mode) {
    case PracticeMode::NewQuestions:
        sql += QLatin1String("and (E2 = '' or E2 is null) and (f1<>1) ");
        sql += byDoubleClick ? QLatin1String("order by a13,a10,xx") : QLatin1String("order by a13,a10,xx,a1");
        break;
    case PracticeMode::WrongQuestions:
        sql += QLatin1String("and (E4 < 0) and (f1<>1) order by a13,e3,e4,e1,xx,a1");
        break;
    case PracticeMode::ReviewQuestions:
        // Answered before: an empty E2 is a question never answered, like a null one.
        sql += QLatin1String("and (E2 <> '' and E2 is not null) order by a13,e3,e4,e1,xx,a1");
        break;
    }
    if (code.isEmpty())
        return { sql, { code, 0, code } };
    return { sql, { code, int(code.size()), prefixUpperBound(code) } };
}

} // namespace vorlane
