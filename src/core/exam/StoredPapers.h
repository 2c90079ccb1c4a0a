#pragma once

#include "core/Status.h"

#include <QList>
#include <QString>

#include <optional>

namespace vorlane {

class Clock;
class Database;

namespace exam {

// One stored paper as the list shows it.
struct StoredPaper
{
    QString table;
    QString title;
    int number = 0;
    std::optional<double> score; // none until graded
    QString timeUsed;
};

// The three figures over the stored papers.
struct PaperFigures
{
    int sat = 0;
    int passed = 0; // at three fifths of the full score
    int average = 0; // rounded half to even; 0 without any score
};

// The two exam settings of the first tab_plan row.
struct ExamSettings
{
    int leastMark = 0; // pass mark in points
    int examTimeSeconds = 0; // 0: the clock never ends the exam
};

// The stored papers and the exam settings.
class StoredPapers
{
public:
    StoredPapers(Database &db, const Clock &clock);

    // Newest first.
    Result<QList<StoredPaper>> list();
    Result<PaperFigures> figures(int subject);
    // The paper's table and its row; the row goes even when its table is already gone.
    Status removePaper(const QString &table);

    Result<ExamSettings> settings();
    // "[提示]：成绩少于 60 分的试卷，不被保留。"
    static QString passMarkNotice(int leastMark);

    // Full score of a paper of the subject (0 taken as 1).
    int fullScore(int subject);
    // The pass mark as typed: empty reads as 0; above the full score it becomes the full score
    // (clamped is then set).
    static int checkedPassMark(const QString &text, int fullScore, bool *clamped = nullptr);
    // What "默认" restores: half the full score (rounded down) and two hours.
    static ExamSettings defaultSettings(int fullScore);
    // Stores the pass mark and the time (minutes × 60). "保存设置失败！" when a value is not a
    // whole number; nothing is stored then.
    Status saveSettings(const QString &passMarkText, const QString &minutesText);

private:
    Database &m_db;
    const Clock &m_clock;
};

} // namespace exam
} // namespace vorlane
