#include "core/settings/StartupRules.h"

#include "core/AppState.h"
#include "core/Subject.h"
#include "core/settings/AnswerTimes.h"
#include "core/store/BankFiles.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

#include <cmath>

namespace vorlane {

QString screenLayoutFor(const QSize &screenSize)
{
    if (screenSize.width() == 800 || screenSize.height() == 600)
        return QStringLiteral("800");
    return QStringLiteral("1024");
}

bool isSmallFonts(double logicalDotsPerInch)
{
    // Fractional scale factors leave the logical resolution a little off 96.
    return std::abs(logicalDotsPerInch - 96.0) < 1.0;
}

Result<QMap<int, QString>> loadSubjectTitles(Database &db)
{
    QMap<int, QString> titles;
    QMap<int, QStringList> partNames;
    try {
        Statement query
            = db.prepare(QStringLiteral("SELECT C1, C2 FROM tab_kmmc WHERE length(C1) <= 2 ORDER BY bh, C1"));
        while (query.next()) {
            const QString code = query.text(0);
            const QString title = query.text(1).trimmed();
            if (title.isEmpty())
                continue;
            if (code.size() == 1 && Subject::fromNumber(code.toInt()).isValid()) {
                titles.insert(code.toInt(), title);
                continue;
            }
            for (int subject = 1; subject <= Subject::Count; ++subject)
                if (Subject::fromNumber(subject).poolPrefixes().contains(code))
                    partNames[subject].append(title);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    // A subject without a row of its own (its chapters sit under a shared row) is named by its
    // parts: a single part by its whole title, several by the last word of each.
    for (auto it = partNames.cbegin(); it != partNames.cend(); ++it) {
        if (titles.contains(it.key()))
            continue;
        if (it->size() == 1) {
            titles.insert(it.key(), it->first());
            continue;
        }
        QStringList names;
        for (const QString &part : *it) {
            qsizetype start = part.size();
            while (start > 0 && !part.at(start - 1).isSpace())
                --start;
            names.append(part.mid(start));
        }
        titles.insert(it.key(), names.join(QStringLiteral("、")));
    }
    return titles;
}

void applyMenuShowRules(AppState &state, Database &db)
{
    state.musicOn = true;
    state.examSubject = Subject::ofExam(state.examSubject).number();
    const Result<QList<AnswerTime>> times = loadAnswerTimes(db, state.examSubject);
    if (times && !times->isEmpty())
        state.answerTimeTable = times.value();
}

Result<std::shared_ptr<Database>> openBankAtStartup(const BankLocation &location, const QString &appDir)
{
    if (const Status seeded = seedBankIfMissing(location, appDir); !seeded)
        return seeded;
    // The same check as every other opening of a bank, so that a bank refused there is never
    // written to here.
    return openBank(location.path);
}

} // namespace vorlane
