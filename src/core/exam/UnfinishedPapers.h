#pragma once

#include "core/Status.h"
#include "core/exam/PaperGenerator.h"

#include <QList>
#include <QString>

namespace vorlane {

class Database;

namespace exam {

// A paper whose sitting never ended: the program ended (a crash, power loss, logging out)
// while it was being sat.
struct UnfinishedPaper
{
    QString table;
    QString title;
    int subject = 0;
    qint64 usedSeconds = 0; // on the exam clock, as last stored
    int answered = 0;
    int questions = 0;

    // What the exam window opens to continue it.
    PaperIdentity identity() const;
};

// Papers being sat, recorded in tab_sitting while the exam window has them: begun when a new
// paper opens, their time stored with every answer and now and then, ended when the paper is
// graded, given up or dropped. What is still there at the next start was never ended. A bank
// that does not have the table yet (read-only, never brought forward) has none.
class UnfinishedPapers
{
public:
    explicit UnfinishedPapers(Database &db);

    Status begin(const QString &table, int subject);
    Status storeTime(const QString &table, qint64 usedSeconds);
    Status end(const QString &table);

    // Newest first; subject 0 gives every subject. Rows whose paper is gone are left out.
    Result<QList<UnfinishedPaper>> list(int subject = 0);
    // Declined: the paper stays in the stored papers, ungraded, with the time it was sat.
    Status keepUngraded(const QString &table);

private:
    bool available();

    Database &m_db;
};

} // namespace exam
} // namespace vorlane
