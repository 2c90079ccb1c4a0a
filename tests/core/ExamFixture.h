#pragma once

#include "TestBank.h"

#include "core/Clock.h"

#include <QDateTime>

namespace vorlane::test {

// A small exam bank: question types, questions with their bodies, the plan row.
class ExamBank : public TestBank
{
public:
    ExamBank()
        : clock(QDateTime(QDate(2026, 3, 8), QTime(9, 0)))
    {
    }

    void addType(int subject, int type, const QString &name, int declared, int points)
    {
        exec(QStringLiteral("INSERT INTO tab_tx%1 (A1, B1, B2, B3) VALUES (?1, ?2, ?3, ?4)").arg(subject),
            { type, name, declared, points });
    }

    void addQuestion(const QString &id, int type, const QString &chapter,
        const QString &key = QStringLiteral("A"), int flag = 0, bool withBody = true)
    {
        exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, F1, E2_1) VALUES (?1, ?2, 4, ?3, "
                            "?4, ?5, 'B')"),
            { id, key, chapter, type, flag });
        if (withBody)
            exec(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?1, ?2, ?3)"),
                { id, QStringLiteral("<p>%1</p>").arg(id), QStringLiteral("<p>jx %1</p>").arg(id) });
    }

    // n questions "<prefix>-<type>-<i>" in chapter <chapter>.
    void addQuestions(int count, int type, const QString &chapter, const QString &key = QStringLiteral("A"))
    {
        for (int i = 1; i <= count; ++i)
            addQuestion(QStringLiteral("Q%1_%2_%3").arg(chapter).arg(type).arg(i, 3, 10, QLatin1Char('0')),
                type, chapter, key);
    }

    void setPlan(int leastMark, int examTimeSeconds)
    {
        exec(QStringLiteral("DELETE FROM tab_plan"));
        exec(QStringLiteral("INSERT INTO tab_plan (LeastMark, ExamTime) VALUES (?1, ?2)"),
            { leastMark, examTimeSeconds });
    }

    FixedClock clock;
};

} // namespace vorlane::test
