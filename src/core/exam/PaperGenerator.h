#pragma once

#include "core/Status.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QRandomGenerator;

namespace vorlane {

class Clock;
class Database;
class Subject;

namespace exam {

// A paper being sat ("new") or reviewed ("old").
enum class PaperMode { New, Old };

// What the exam window needs to know about its paper.
struct PaperIdentity
{
    QString table;
    QString title;
    PaperMode mode = PaperMode::New;
    double score = 0;
    QString timeUsed = QStringLiteral("0:00:00");
    // A new paper whose sitting the program did not live to end, continued: its answers stay
    // and the exam clock goes on from the time already used.
    bool continued = false;
    qint64 usedSeconds = 0;
};

// One cell of the draw table: so many questions of a type from chapters with a prefix.
struct DrawGroup
{
    int type = 0;
    QString prefix;
    int count = 0;
};

// The five subjects of the mock exam, numbered 1 to 5.
bool isExamSubject(int subject);
// How a paper's title names its subject: "科目一 综合知识", or "科目一" when the bank names it nowhere.
QString paperSubjectName(const Subject &subject);
// The chapter prefixes (first two characters of A10) that make up a subject's pool.
QStringList poolPrefixes(int subject);
// The fixed SQL that limits tab_answ to the subject's questions that may be drawn.
QString poolCondition(int subject);
QString poolStatement(int subject);
// The draw-table cells of a type in a subject, in the order they are drawn.
QList<DrawGroup> drawGroups(int subject, int type);

// "2005年03月08日科目一 综合知识[7]".
QString paperTitle(const QDate &day, const QString &subjectName, int number);

// The name and number of the next paper, continuing from the newest stored one.
struct PaperName
{
    QString table;
    int number = 1;
};

// The paper table's layout; the table name must already have passed isPaperTableName.
QString createPaperTableStatement(const QString &table);

// Name of a question type of the subject ("tab_tx" + subject; 0 is taken as 1), or "未知题型".
QString typeNameOf(Database &db, int subject, int typeId);
// "X 每题1分 共60分" for a type named X with 1 point and 60 questions.
QString typeHeadingText(Database &db, int subject, int typeId, int points, int count);
// The heading of a question type as the exam window shows it: its name with the points and the
// declared count of the subject's type table; empty when the type is not in that table.
QString typeHeadingFor(Database &db, int subject, int typeId);
// "一、" … "五、" for 1 to 5, "--" otherwise.
QString sectionNumeral(int k);

// Makes a new paper: its tab_cj row, its table filled by the subject's draw table, every
// answer cleared. Either the whole paper is made or nothing is left behind.
class PaperGenerator
{
public:
    // The random source decides which questions are drawn; tests hand a seeded one.
    PaperGenerator(Database &db, const Clock &clock, QRandomGenerator &random);

    using StageFn = std::function<void(const QString &)>;

    // Reports each stage's text through stage; on failure the reason is the message to show
    // ("建立数据表时发生错误！", "没有发现题目！", "提取数据时发生错误！", "无法打开试卷！").
    Result<PaperIdentity> generate(int subject, const StageFn &stage = {});

    // The newest paper's number and name, each advanced by one.
    PaperName nextPaperName();
    // Ids of n distinct questions drawn uniformly from the pool's questions of the type whose
    // chapter begins with the prefix; all of them when the pool holds n or fewer.
    QStringList drawQuestions(int subject, int type, const QString &prefix, int count);
    // Copies the questions with their bodies' explanations into the paper table.
    void copyQuestionsIntoPaper(const QString &table, const QStringList &ids);
    // Draws and copies every draw-table cell of the type.
    void fillTypeGroups(int subject, const QString &table, int type);
    // Fills the paper from the pool: every type switched on in the subject's type table.
    void buildPaper(int subject, const QString &table);

private:
    Database &m_db;
    const Clock &m_clock;
    QRandomGenerator &m_random;
};

} // namespace exam
} // namespace vorlane
