#pragma once

#include "core/Subject.h"
#include "core/practice/QuestionList.h"

#include <QList>
#include <QString>
#include <QVariantList>

namespace vorlane {

// One entry of AnswerTimeTable: a question type and its answer-timer tick.
struct AnswerTime
{
    int typeId = 0;
    int tickMs = 0;
    friend bool operator==(const AnswerTime &, const AnswerTime &) = default;
};

// The values the whole program shares while it runs. One object, handed to whoever needs it.
struct AppState
{
    // Folder of the program's resources (pic/, sound/, htm/, data/), always ending in "/".
    QString appDir;
    // "800" or "1024": which of the two window geometries to use.
    QString screenLayout = QStringLiteral("1024");
    // Subject of the mock exam last started; its question types are "tab_tx" + this number.
    int examSubject = 1;
    QList<AnswerTime> answerTimeTable;
    // What the next practice window lists, as a value: core composes and binds its statement.
    QuestionListQuery practiceList;
    QString currentChapterName;
    bool musicOn = false;
    QString musicFile;

    bool compactLayout() const { return screenLayout == QLatin1String("800"); }
    QString typeTable() const { return Subject::ofExam(examSubject).typeTable(); }

    // The answer-timer tick of a question type; a type not in the table gets 600 ms.
    int answerTickMs(int typeId) const
    {
        for (const AnswerTime &entry : answerTimeTable)
            if (entry.typeId == typeId)
                return entry.tickMs;
        return 600;
    }
};

} // namespace vorlane
