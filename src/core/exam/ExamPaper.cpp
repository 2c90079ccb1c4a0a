#include "core/exam/ExamPaper.h"

#include "core/Clock.h"
#include "core/Subject.h"
#include "core/TimeText.h"
#include "core/answer/AnswerEffect.h"
#include "core/answer/AnswerEncoding.h"
#include "core/progress/StudyPlan.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/Schema.h"
#include "core/store/StoreError.h"

namespace vorlane::exam {

namespace {

const QString &cannotOpen()
{
    static const QString text = QStringLiteral("无法打开试卷！");
    return text;
}

const QString &failed()
{
    static const QString text = QStringLiteral("发生错误！");
    return text;
}

} // namespace

// ---- ExamClock ------------------------------------------------------------------------------

void ExamClock::reset()
{
    m_banked = 0;
    m_since = m_clock.now();
}

void ExamClock::resumeFrom(qint64 seconds)
{
    m_banked = qMax<qint64>(0, seconds) * 1000;
    m_since = m_clock.now();
}

void ExamClock::start()
{
    if (m_counting)
        return;
    m_since = m_clock.now();
    m_counting = true;
}

void ExamClock::stop()
{
    if (!m_counting)
        return;
    m_banked += qMax<qint64>(0, m_since.msecsTo(m_clock.now()));
    m_counting = false;
}

qint64 ExamClock::elapsedSeconds() const
{
    qint64 ms = m_banked;
    if (m_counting)
        ms += qMax<qint64>(0, m_since.msecsTo(m_clock.now()));
    return ms / 1000;
}

QString ExamClock::elapsedText() const
{
    return elapsedTimeText(elapsedSeconds());
}

bool PaperQuestion::isRight() const
{
    return isRightAnswer(answer, key);
}

// ---- ExamPaper ------------------------------------------------------------------------------

ExamPaper::ExamPaper(Database &db, const Clock &clock)
    : m_db(db)
    , m_clock(clock)
{
}

Status ExamPaper::open(const PaperIdentity &identity)
{
    m_identity = identity;
    m_questions.clear();
    if (!isPaperTableName(identity.table))
        return Status::failure(cannotOpen());
    try {
        if (!m_db.tableExists(identity.table))
            return Status::failure(cannotOpen());
        if (identity.mode == PaperMode::New && !identity.continued)
            m_db.exec(QStringLiteral("UPDATE ") + identity.table + QStringLiteral(" SET E2_1=''"));
        Statement rows = m_db.prepare(
            QStringLiteral("SELECT A1,A2,A2_1,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,A10,A13,A14,E1,E2,E2_1,"
                           "(jx IS NOT NULL AND trim(jx) <> ''),F1 FROM ")
            + identity.table + QStringLiteral(" ORDER BY A13, A1"));
        while (rows.next()) {
            PaperQuestion question;
            question.id = rows.text(0);
            question.key = rows.text(1);
            question.optionCount = int(rows.integer(2));
            for (int column = 3; column <= 12; ++column) {
                const QString point = rows.text(column);
                if (point.trimmed().isEmpty())
                    break;
                question.examPoints << point;
            }
            question.chapter = rows.text(13);
            question.type = int(rows.integer(14));
            question.note = rows.text(15);
            question.lastDate = rows.text(16);
            question.lastAnswer = rows.text(17);
            question.answer = rows.text(18);
            question.hasExplanation = rows.integer(19) != 0;
            question.flag = int(rows.integer(20));
            m_questions << question;
        }
    } catch (const StoreError &error) {
        m_questions.clear();
        return storeFailure(error, cannotOpen());
    }
    if (m_questions.isEmpty())
        return Status::failure(cannotOpen());
    return {};
}

Status ExamPaper::saveAnswer(int row, const QString &answer)
{
    if (row < 1 || row > questionCount())
        return {};
    PaperQuestion &question = m_questions[row - 1];
    const QByteArray table = m_identity.table.toLatin1(); // checked by open(): tab_exam and digits
    AnswerEffect effect;
    try {
        Transaction transaction(m_db);
        // The paper holds the answer given in it; what counts is decided by the question's own
        // history, as in practice.
        AnswerRow stored { question.key, question.lastDate, question.lastAnswer, question.answer, 0, 0 };
        if (!answer.isEmpty() && answer != question.answer) {
            Statement own = m_db.cached("SELECT E1, E2, E3, E4 FROM tab_answ WHERE A1=?1");
            own.bind(1, question.id);
            if (own.next()) {
                stored.lastDate = own.text(0);
                stored.lastAnswer = own.text(1);
                stored.attempts = int(own.integer(2));
                stored.wrongScore = int(own.integer(3));
            }
        }
        effect = answerEffect(stored, answer, m_clock.today());
        switch (effect.kind) {
        case AnswerEffect::Kind::Emptied:
            m_db.cached(QByteArray("UPDATE " + table + " SET E2_1='' WHERE A1=?1"))
                .bind(1, question.id)
                .exec();
            break;
        case AnswerEffect::Kind::Repeated:
            m_db.cached(QByteArray("UPDATE " + table + " SET E2_1=?2, E2=?2 WHERE A1=?1"))
                .bind(1, question.id)
                .bind(2, answer)
                .exec();
            break;
        case AnswerEffect::Kind::Counted:
            ProgressCounters(m_db, m_clock).countAnswer(question.chapter, question.examPoints, effect.flags);
            m_db.cached("UPDATE tab_answ SET E2_1=?2, E2=?2, E1=?3, E3=?4, E4=?5 WHERE A1=?1")
                .bind(1, question.id)
                .bind(2, answer)
                .bind(3, effect.row.lastDate)
                .bind(4, effect.row.attempts)
                .bind(5, effect.row.wrongScore)
                .exec();
            m_db.cached(QByteArray("UPDATE " + table + " SET E2_1=?2, E2=?2, E1=?3 WHERE A1=?1"))
                .bind(1, question.id)
                .bind(2, answer)
                .bind(3, effect.row.lastDate)
                .exec();
            break;
        }
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
    if (effect.counted())
        question.lastDate = effect.row.lastDate;
    if (!answer.isEmpty())
        question.lastAnswer = answer;
    question.answer = answer;
    return {};
}

Result<int> ExamPaper::unansweredCount()
{
    if (m_questions.isEmpty() || !isPaperTableName(m_identity.table))
        return Result<int>::failure(failed());
    try {
        return m_db
            .scalar(QStringLiteral("SELECT count(*) FROM ") + m_identity.table
                + QStringLiteral(" WHERE E2_1 = '' OR E2_1 IS NULL"))
            .toInt();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
}

Result<GradeResult> ExamPaper::grade(int subject, const QString &elapsedText)
{
    const Subject examSubject = Subject::ofExam(subject);
    if (!examSubject.isValid() || m_questions.isEmpty() || !isPaperTableName(m_identity.table))
        return Result<GradeResult>::failure(failed());
    GradeResult result;
    try {
        Transaction transaction(m_db);
        const QString t = m_identity.table;
        const QString tx = examSubject.typeTable();
        // The database compares answer and key, exactly as it stores them.
        result.score = m_db.scalar(QStringLiteral("select sum(") + tx + QStringLiteral(".B3) as ZFS from ")
                               + t + QLatin1Char(',') + tx + QStringLiteral(" where ") + t
                               + QStringLiteral(".A13 = ") + tx + QStringLiteral(".A1 and ") + t
                               + QStringLiteral(".A2 = ") + t + QStringLiteral(".E2_1"))
                           .toDouble();
        const Result<StudyPlan> plan = readStudyPlan(m_db);
        if (!plan)
            return Result<GradeResult>::failure(failed());
        result.belowPassMark = plan->leastMark > result.score;
        m_db.exec(
            QStringLiteral("UPDATE tab_cj SET A6=?2, D2=?3 WHERE A1=?1"), { t, result.score, elapsedText });
        ProgressCounters(m_db, m_clock).refreshAveragesAndTime(elapsedText);
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
    m_identity.mode = PaperMode::Old;
    m_identity.score = result.score;
    m_identity.timeUsed = elapsedText;
    return result;
}

Status ExamPaper::abandon(const QString &elapsedText, int unanswered)
{
    try {
        Transaction transaction(m_db);
        ProgressCounters counters(m_db, m_clock);
        counters.dropPaperTable(m_identity.table);
        if (unanswered < 50)
            counters.refreshAveragesAndTime(elapsedText);
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
    return {};
}

void ExamPaper::drop()
{
    ProgressCounters(m_db, m_clock).dropPaperTable(m_identity.table);
}

Status ExamPaper::setVoided(int row, bool voided)
{
    if (row < 1 || row > questionCount())
        return {};
    PaperQuestion &question = m_questions[row - 1];
    try {
        Transaction transaction(m_db);
        if (voided) {
            m_db.exec(QStringLiteral("UPDATE ") + m_identity.table
                    + QStringLiteral(" SET F1=1, E2='zero' WHERE A1=?1"),
                { question.id });
            m_db.exec(QStringLiteral("UPDATE tab_answ SET F1=1, E2='zero' WHERE A1=?1"), { question.id });
        } else {
            // The question's own E2 keeps "zero": it counts as answered before from now on.
            m_db.exec(
                QStringLiteral("UPDATE ") + m_identity.table + QStringLiteral(" SET F1=0, E2='' WHERE A1=?1"),
                { question.id });
            m_db.exec(QStringLiteral("UPDATE tab_answ SET F1=0 WHERE A1=?1"), { question.id });
        }
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
    question.flag = voided ? 1 : 0;
    question.lastAnswer = voided ? QStringLiteral("zero") : QString();
    return {};
}

Status ExamPaper::saveNote(int row, const QString &note)
{
    if (row < 1 || row > questionCount())
        return {};
    PaperQuestion &question = m_questions[row - 1];
    try {
        m_db.exec(QStringLiteral("UPDATE ") + m_identity.table + QStringLiteral(" SET A14=?2 WHERE A1=?1"),
            { question.id, note });
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
    question.note = note;
    return {};
}

Result<QString> ExamPaper::explanation(int row)
{
    if (row < 1 || row > questionCount())
        return QString();
    try {
        return m_db
            .scalar(QStringLiteral("SELECT jx FROM ") + m_identity.table + QStringLiteral(" WHERE A1=?1"),
                { question(row).id })
            .toString();
    } catch (const StoreError &error) {
        return storeFailure(error, failed());
    }
}

Result<QuestionText> ExamPaper::questionText(int row)
{
    if (row < 1 || row > questionCount())
        return Result<QuestionText>::failure(QStringLiteral("找不到该试题！"));
    const QString &id = question(row).id;
    QuestionText text;
    try {
        Statement body = m_db.prepare(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1=?1"));
        body.bind(1, id);
        if (!body.next())
            return Result<QuestionText>::failure(QStringLiteral("找不到该试题！"));
        text.body = body.text(0);
        if (id.contains(QLatin1Char('-'))) {
            text.hasStem = true;
            text.stem = m_db.scalar(QStringLiteral("SELECT A15 FROM tab_title WHERE A1=?1"), { id.left(16) })
                            .toString();
        }
    } catch (const StoreError &error) {
        return storeFailure(error, QStringLiteral("无法打开试题！"));
    }
    return text;
}

} // namespace vorlane::exam
