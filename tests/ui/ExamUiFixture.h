#pragma once

#include "ShellFixture.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/exam/PaperGenerator.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace vorlane::test {

// A small bank in a temporary folder with everything a window of the mock exam needs.
class ExamUiFixture
{
public:
    ExamUiFixture()
        : clock(QDateTime(QDate(2026, 3, 8), QTime(9, 0)))
    {
        const QString path = dir.filePath(QStringLiteral("bank.db"));
        createEmptyBank(path);
        db = *Database::open(path, bank::password());
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        context
            = std::make_unique<ui::UiContext>(ui::UiContext { state, *db, clock, prompt, progress, modal });
        setPlan(0, 7200);
    }

    void exec(const QString &sql, const QVariantList &values = {}) { db->exec(sql, values); }
    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return db->scalar(sql, values); }

    void addType(int subject, int type, int declared, int points)
    {
        exec(QStringLiteral("INSERT INTO tab_tx%1 (A1, B1, B2, B3) VALUES (?1, ?2, ?3, ?4)").arg(subject),
            { type, type == 66 ? QStringLiteral("多项选择题") : QStringLiteral("单项选择题"), declared,
                points });
    }

    // count questions of the type in the chapter, keyed "A", each with a body.
    void addQuestions(int count, int type, const QString &chapter)
    {
        for (int i = 1; i <= count; ++i) {
            const QString id
                = QStringLiteral("Q%1_%2_%3").arg(chapter).arg(type).arg(i, 3, 10, QLatin1Char('0'));
            exec(QStringLiteral(
                     "INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, F1) VALUES (?1, 'A', 4, ?2, ?3, 0)"),
                { id, chapter, type });
            exec(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?1, ?2, NULL)"),
                { id,
                    QStringLiteral("<p>题目 %1：下列说法正确的是？</p><p>A. 甲 B. 乙 C. 丙 D. 丁</p>")
                        .arg(id) });
        }
    }

    void setPlan(int leastMark, int examTime)
    {
        exec(QStringLiteral("DELETE FROM tab_plan"));
        exec(QStringLiteral("INSERT INTO tab_plan (LeastMark, ExamTime) VALUES (?1, ?2)"),
            { leastMark, examTime });
    }

    // A paper of subject 1 with `single` single-choice and `multiple` multiple-choice questions.
    exam::PaperIdentity makePaper(int single, int multiple = 0)
    {
        addType(1, 61, single, 1);
        addType(1, 66, multiple, 2);
        addQuestions(single, 61, QStringLiteral("100101"));
        addQuestions(multiple, 66, QStringLiteral("100102"));
        QRandomGenerator random(1);
        return *exam::PaperGenerator(*db, clock, random).generate(1);
    }

    // A full paper of subject 2: 70 single and 30 multiple-choice questions.
    exam::PaperIdentity makeFullPaper()
    {
        state.examSubject = 2;
        addType(2, 61, 70, 1);
        addType(2, 66, 30, 1);
        addQuestions(70, 61, QStringLiteral("200101"));
        addQuestions(30, 66, QStringLiteral("200102"));
        QRandomGenerator random(2);
        return *exam::PaperGenerator(*db, clock, random).generate(2);
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    AppState state;
    FixedClock clock;
    ui::ModalRunner modal = quietRunner();
    ui::PromptDialog prompt { modal };
    ui::ProgressWindow progress;
    std::unique_ptr<ui::UiContext> context;
};

template <typename T> T *child(QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

} // namespace vorlane::test
