#include "core/practice/PracticeSession.h"

#include "core/Clock.h"
#include "core/Subject.h"
#include "core/answer/AnswerEffect.h"
#include "core/answer/AnswerEncoding.h"
#include "core/store/Database.h"
#include "core/store/ProgressCounters.h"
#include "core/store/StoreError.h"

#include <QHash>

namespace vorlane {

namespace {

const PracticeQuestion &noQuestion()
{
    static const PracticeQuestion none;
    return none;
}

// Columns are found by name: lists made elsewhere (article practice) carry fewer of them.
class ColumnReader
{
public:
    explicit ColumnReader(Statement &statement)
        : m_statement(statement)
    {
        for (int i = 0; i < statement.columnCount(); ++i)
            m_index.insert(statement.columnName(i).toLower(), i);
    }
    QString text(const char *name) const
    {
        const int column = m_index.value(QLatin1String(name), -1);
        return column < 0 ? QString() : m_statement.text(column);
    }
    int integer(const char *name) const
    {
        const int column = m_index.value(QLatin1String(name), -1);
        return column < 0 ? 0 : int(m_statement.integer(column));
    }

private:
    Statement &m_statement;
    QHash<QString, int> m_index;
};

PracticeQuestion readQuestion(const ColumnReader &columns)
{
    static const char *const pointColumns[]
        = { "k3", "k4", "k5", "k6", "k7", "k8", "k9", "k10", "k11", "k12" };
    PracticeQuestion q;
    q.id = columns.text("a1");
    q.key = columns.text("a2");
    q.optionCount = columns.integer("a2_1");
    for (const char *column : pointColumns)
        q.points << columns.text(column);
    q.chapterCode = columns.text("a10");
    q.typeId = columns.integer("a13");
    q.note = columns.text("a14");
    q.lastDate = columns.text("e1");
    q.lastAnswer = columns.text("e2");
    q.windowAnswer = columns.text("e2_1");
    q.attempts = columns.integer("e3");
    q.wrongScore = columns.integer("e4");
    q.voidFlag = columns.integer("f1");
    q.timeUp = columns.text("csbs");
    q.editCount = columns.integer("ecount");
    return q;
}

} // namespace

Result<QList<QuestionType>> loadQuestionTypes(Database &db, int subject)
{
    const Subject of = Subject::fromNumber(subject);
    if (!of.isValid())
        return Result<QList<QuestionType>>::failure(QStringLiteral("科目编号错误：%1").arg(subject));
    try {
        QList<QuestionType> types;
        Statement query = db.prepare(
            QStringLiteral("SELECT A1, B1 FROM ") + of.typeTable() + QStringLiteral(" ORDER BY A1 ASC"));
        while (query.next())
            types.append(QuestionType { int(query.integer(0)), query.text(1) });
        return types;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

bool PracticeQuestion::rightInWindow() const
{
    return isRightAnswer(windowAnswer, key);
}

AnswerRow PracticeQuestion::answerRow() const
{
    return AnswerRow { key, lastDate, lastAnswer, windowAnswer, attempts, wrongScore };
}

void PracticeQuestion::setAnswerRow(const AnswerRow &row)
{
    lastDate = row.lastDate;
    lastAnswer = row.lastAnswer;
    windowAnswer = row.windowAnswer;
    attempts = row.attempts;
    wrongScore = row.wrongScore;
}

QStringList PracticeQuestion::examPoints() const
{
    QStringList taken;
    for (const QString &point : points) {
        if (point.isEmpty())
            break;
        taken << point;
    }
    return taken;
}

PracticeSession::PracticeSession(Database &db, const Clock &clock)
    : m_db(db)
    , m_clock(clock)
{
}

Result<bool> PracticeSession::openQuestionList(const QuestionListQuery &query)
{
    if (query.isEmpty())
        return Status::failure(QStringLiteral("没有指定题目列表。"));
    return openQuestionList(composeQuestionList(query));
}

Result<bool> PracticeSession::openQuestionList(const PracticeListQuery &query)
{
    m_rows.clear();
    m_filtered.clear();
    m_typeFilter = -1;
    m_currentPos = 0;
    try {
        // Only rows still holding an answer are touched: the partial index holds exactly them.
        m_db.cached("UPDATE tab_answ SET E2_1='' WHERE E2_1 <> ''").exec();
        Statement list = m_db.prepare(query.sql);
        list.bindAll(query.values);
        const ColumnReader columns(list);
        while (list.next())
            m_rows.append(readQuestion(columns));
    } catch (const StoreError &error) {
        m_rows.clear();
        return storeFailure(error, StoreAction::Read);
    }
    m_filtered.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        m_filtered.append(i);
    m_typeFilter = 0;
    return !m_rows.isEmpty();
}

int PracticeSession::countOfType(int typeId) const
{
    return int(std::count_if(
        m_rows.cbegin(), m_rows.cend(), [typeId](const PracticeQuestion &q) { return q.typeId == typeId; }));
}

bool PracticeSession::applyTypeFilter(int typeId)
{
    QList<int> filtered;
    for (int i = 0; i < m_rows.size(); ++i)
        if (typeId == 0 || m_rows.at(i).typeId == typeId)
            filtered.append(i);
    if (filtered.isEmpty())
        return false;
    m_filtered = std::move(filtered);
    m_typeFilter = typeId;
    return true;
}

const PracticeQuestion &PracticeSession::at(int position) const
{
    if (position < 1 || position > count())
        return noQuestion();
    return m_rows.at(m_filtered.at(position - 1));
}

PracticeQuestion &PracticeSession::row(int position)
{
    return m_rows[m_filtered.at(position - 1)];
}

Status PracticeSession::reloadQuestion(int position)
{
    if (position < 1 || position > count())
        return {};
    PracticeQuestion &question = row(position);
    try {
        Statement read = m_db.cached("SELECT A2, A2_1, A13, K3, K4, K5, K6, K7, K8, K9, K10, K11, K12, "
                                     "ecount FROM tab_answ WHERE A1=?1");
        read.bind(1, question.id);
        if (!read.next())
            return {};
        question.key = read.text(0);
        question.optionCount = int(read.integer(1));
        question.typeId = int(read.integer(2));
        question.points.clear();
        for (int column = 3; column < 13; ++column)
            question.points << read.text(column);
        question.editCount = int(read.integer(13));
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

IndicatorState PracticeSession::indicatorState(int position) const
{
    const PracticeQuestion &q = at(position);
    if (!q.answeredInWindow())
        return IndicatorState::NotAnswered;
    return q.rightInWindow() ? IndicatorState::Right : IndicatorState::Wrong;
}

void PracticeSession::showGroup(GroupMove move)
{
    const int total = count();
    switch (move) {
    case GroupMove::First:
        m_group = 1;
        m_groupFirst = 1;
        m_groupSize = qMin(total, GroupCapacity);
        break;
    case GroupMove::Previous:
        if (m_group <= 1)
            return;
        m_groupFirst = (m_group - 2) * GroupCapacity + 1;
        --m_group;
        m_groupSize = GroupCapacity;
        break;
    case GroupMove::Next:
        if (m_group >= groupCount())
            return;
        m_groupFirst = m_group * GroupCapacity + 1;
        m_groupSize = total < (m_group + 1) * GroupCapacity ? total - m_group * GroupCapacity : GroupCapacity;
        ++m_group;
        break;
    }
}

Result<RecordOutcome> PracticeSession::recordAnswer(int position, const QString &answer)
{
    if (position < 1 || position > count())
        return RecordOutcome {};
    PracticeQuestion updated = at(position);
    const AnswerEffect effect = answerEffect(updated.answerRow(), answer, m_clock.today());
    RecordOutcome outcome;
    outcome.right = effect.right;
    try {
        switch (effect.kind) {
        case AnswerEffect::Kind::Emptied:
            if (!updated.windowAnswer.isEmpty())
                m_db.cached("UPDATE tab_answ SET E2_1='' WHERE A1=?1").bind(1, updated.id).exec();
            break;
        case AnswerEffect::Kind::Repeated:
            outcome.kind = RecordOutcome::Repeated;
            m_db.cached("UPDATE tab_answ SET E2_1=?2, E2=?2 WHERE A1=?1")
                .bind(1, updated.id)
                .bind(2, answer)
                .exec();
            break;
        case AnswerEffect::Kind::Counted: {
            outcome.kind = RecordOutcome::Counted;
            Transaction transaction(m_db);
            ProgressCounters(m_db, m_clock)
                .countAnswer(updated.chapterCode, updated.examPoints(), effect.flags);
            m_db.cached("UPDATE tab_answ SET E2_1=?2, E2=?2, E1=?3, E3=?4, E4=?5 WHERE A1=?1")
                .bind(1, updated.id)
                .bind(2, answer)
                .bind(3, effect.row.lastDate)
                .bind(4, effect.row.attempts)
                .bind(5, effect.row.wrongScore)
                .exec();
            transaction.commit();
            break;
        }
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    updated.setAnswerRow(effect.row);
    row(position) = updated;
    return outcome;
}

void PracticeSession::writeRow(const PracticeQuestion &question, const char *sql, const QVariantList &values)
{
    Statement statement = m_db.cached(sql);
    statement.bind(1, question.id);
    for (int i = 0; i < values.size(); ++i)
        statement.bind(i + 2, values.at(i));
    statement.exec();
}

Status PracticeSession::setVoided(int position, bool voided)
{
    if (position < 1 || position > count())
        return {};
    PracticeQuestion &q = row(position);
    try {
        if (voided) {
            writeRow(q, "UPDATE tab_answ SET F1=1, E2='zero' WHERE A1=?1", {});
            q.voidFlag = 1;
            q.lastAnswer = QStringLiteral("zero");
        } else {
            writeRow(q, "UPDATE tab_answ SET F1=0 WHERE A1=?1", {});
            q.voidFlag = 0;
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    return {};
}

Status PracticeSession::saveNote(int position, const QString &note)
{
    if (position < 1 || position > count())
        return {};
    try {
        writeRow(at(position), "UPDATE tab_answ SET A14=?2 WHERE A1=?1", { note });
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    row(position).note = note;
    return {};
}

Status PracticeSession::markTimeUp(int position)
{
    if (position < 1 || position > count())
        return {};
    try {
        writeRow(at(position), "UPDATE tab_answ SET csbs='Y' WHERE A1=?1", {});
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    row(position).timeUp = QStringLiteral("Y");
    return {};
}

Status PracticeSession::finish(const QString &elapsedTime)
{
    try {
        Transaction transaction(m_db);
        ProgressCounters(m_db, m_clock).refreshAveragesAndTime(elapsedTime);
        transaction.commit();
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Write);
    }
    return {};
}

Result<QuestionBody> PracticeSession::loadBody(const QString &questionId)
{
    QuestionBody body;
    try {
        Statement exer = m_db.cached("SELECT A15, jx FROM tab_exer WHERE A1=?1");
        exer.bind(1, questionId);
        if (!exer.next())
            return Result<QuestionBody>::failure(QStringLiteral("no body for %1").arg(questionId));
        body.text = exer.text(0);
        body.explanation = exer.text(1);
        body.hasExplanation = !exer.isNull(1) && !body.explanation.trimmed().isEmpty();
        if (questionId.contains(QLatin1Char('-'))) {
            Statement title = m_db.cached("SELECT A15 FROM tab_title WHERE A1=?1");
            title.bind(1, questionId.left(16));
            if (title.next())
                body.stem = title.text(0);
        }
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    return body;
}

} // namespace vorlane
