#include "core/authoring/QuestionAuthoring.h"

#include "core/authoring/UserQuestionId.h"
#include "core/store/Database.h"
#include "core/store/QuestionCounts.h"
#include "core/store/StoreError.h"

#include <QCoreApplication>

namespace vorlane {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("QuestionAuthoring", text);
}

QVariant richTextOrNull(const QString &html)
{
    return isBlankHtml(html) ? QVariant() : QVariant(html);
}

// The values of K3 to K12 for the points, NULL after the last.
QVariantList pointSlots(const QStringList &points)
{
    QVariantList values;
    for (int slot = 0; slot < MaxExamPoints; ++slot)
        values << (slot < points.size() ? QVariant(points.at(slot).trimmed()) : QVariant());
    return values;
}

} // namespace

QuestionAuthoring::QuestionAuthoring(Database &db, int examSubject)
    : m_db(db)
    , m_subject(examSubject >= 1 && examSubject <= 5 ? examSubject : 1)
{
}

QString QuestionAuthoring::saveFailedMessage()
{
    return tr("保存试题出现错误！");
}

Result<QList<QuestionType>> QuestionAuthoring::types()
{
    if (!m_types) {
        auto loaded = loadQuestionTypes(m_db, m_subject);
        if (!loaded)
            return loaded;
        m_types = *loaded;
    }
    return *m_types;
}

Result<QuestionType> QuestionAuthoring::typeNamed(const QString &name)
{
    const auto all = types();
    if (!all)
        return all.status();
    for (const QuestionType &type : *all) {
        if (type.name == name.trimmed())
            return type;
    }
    return Result<QuestionType>::failure(tr("题型“%1”不存在，请从列表中选择题型！").arg(name.trimmed()));
}

Result<QString> QuestionAuthoring::checkChapter(const QString &chapterCode)
{
    if (chapterCode.size() <= 2)
        return Result<QString>::failure(tr("请选择具体章节目录！"));
    try {
        Statement query = m_db.cached("SELECT C2 FROM tab_kmmc WHERE C1=?1");
        query.bind(1, chapterCode);
        if (!query.next())
            return Result<QString>::failure(tr("章节“%1”不存在！").arg(chapterCode));
        return query.text(0);
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Status QuestionAuthoring::checkExamPoints(const QStringList &keys)
{
    try {
        for (const QString &key : keys) {
            Statement query = m_db.cached("SELECT 1 FROM tab_rule WHERE ftid=?1");
            query.bind(1, key.trimmed());
            if (!query.next())
                return Status::failure(tr("考点“%1”不存在！").arg(key));
        }
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Result<QList<ExamPointLine>> QuestionAuthoring::examPointLines(const QStringList &keys)
{
    try {
        QList<ExamPointLine> lines;
        for (const QString &key : keys) {
            Statement query = m_db.cached(
                "SELECT rtrim(r.sn), f.n FROM tab_rule r LEFT JOIN tab_fgmc f ON f.id=r.id WHERE r.ftid=?1");
            query.bind(1, key);
            // A point the bank no longer holds is still listed, by its key, so it can be removed.
            lines << ExamPointLine { key,
                query.next() ? query.text(1) + QLatin1Char('[') + query.text(0) + QLatin1Char(']') : key };
        }
        return lines;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Status QuestionAuthoring::check(const QString &chapterCode, const QuestionDraft &draft)
{
    const auto all = types();
    if (!all)
        return all.status();
    if (const Status valid = validateDraft(draft, *all); !valid)
        return valid;
    if (!chapterCode.isNull()) {
        if (const auto chapter = checkChapter(chapterCode); !chapter)
            return chapter.status();
    }
    return checkExamPoints(draft.examPoints);
}

Result<QString> QuestionAuthoring::saveNew(const QString &chapterCode, const QuestionDraft &draft)
{
    return saveNew(chapterCode, draft, 0);
}

Result<QString> QuestionAuthoring::saveNew(
    const QString &chapterCode, const QuestionDraft &draft, int sequence)
{
    if (const Status valid = check(chapterCode, draft); !valid)
        return valid;
    try {
        if (sequence <= 0)
            sequence = nextUserSequence(m_db);
        const auto id = userQuestionId(chapterCode, draft.typeId, draft.optionCount, sequence);
        if (!id)
            return id;
        Transaction transaction(m_db);
        Statement question
            = m_db.cached("INSERT INTO tab_answ (A1,A2,A2_1,A10,A13,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,F1) "
                          "VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15,2)");
        question.bindAll(QVariantList { *id, draft.key, draft.optionCount, chapterCode, draft.typeId }
            + pointSlots(draft.examPoints));
        question.exec();
        Statement body = m_db.cached("INSERT INTO tab_exer (A1,A15,jx) VALUES (?1,?2,?3)");
        body.bindAll({ *id, draft.bodyHtml, richTextOrNull(draft.explanationHtml) });
        body.exec();
        QuestionCounts(m_db).countNewQuestion(chapterCode, draft.examPoints);
        transaction.commit();
        return id;
    } catch (const StoreError &error) {
        return storeFailure(error, saveFailedMessage());
    }
}

Result<EditableQuestion> QuestionAuthoring::load(const QString &questionId)
{
    try {
        Statement row = m_db.cached("SELECT A1,A2,A2_1,A10,A13,K3,K4,K5,K6,K7,K8,K9,K10,K11,K12,ecount "
                                    "FROM tab_answ WHERE A1=?1");
        row.bind(1, questionId);
        if (!row.next())
            return Result<EditableQuestion>::failure(tr("试题“%1”不存在！").arg(questionId));
        EditableQuestion question;
        question.id = row.text(0);
        question.draft.key = row.text(1);
        question.draft.optionCount = int(row.integer(2));
        question.chapterCode = row.text(3);
        question.draft.typeId = int(row.integer(4));
        for (int column = 5; column < 15; ++column) {
            if (!row.text(column).trimmed().isEmpty())
                question.draft.examPoints << row.text(column).trimmed();
        }
        question.editCount = int(row.integer(15));

        Statement body = m_db.cached("SELECT A15, jx FROM tab_exer WHERE A1=?1");
        body.bind(1, questionId);
        if (body.next()) {
            question.draft.bodyHtml = body.text(0);
            question.draft.explanationHtml = body.text(1);
        }
        if (question.hasStem()) {
            Statement stem = m_db.cached("SELECT A15 FROM tab_title WHERE A1=?1");
            stem.bind(1, questionId.left(16));
            if (stem.next())
                question.draft.stemHtml = stem.text(0);
        }
        const auto lines = examPointLines(question.draft.examPoints);
        if (!lines)
            return lines.status();
        question.examPoints = *lines;
        return question;
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

Status QuestionAuthoring::saveEdit(const QString &questionId, const QuestionDraft &draft)
{
    if (const Status valid = check(QString(), draft); !valid)
        return valid;
    try {
        Transaction transaction(m_db);
        QStringList touched;
        Statement old = m_db.cached("SELECT K3,K4,K5,K6,K7,K8,K9,K10,K11,K12 FROM tab_answ WHERE A1=?1");
        old.bind(1, questionId);
        if (!old.next())
            return Status::failure(tr("试题“%1”不存在！").arg(questionId));
        for (int column = 0; column < MaxExamPoints; ++column)
            touched << old.text(column);
        old.reset();

        // A question whose body row went missing gets it back rather than losing the edit.
        Statement body = m_db.cached("UPDATE tab_exer SET A15=?2, jx=?3 WHERE A1=?1");
        body.bindAll({ questionId, draft.bodyHtml, richTextOrNull(draft.explanationHtml) });
        if (body.exec() == 0)
            m_db.exec(QStringLiteral("INSERT INTO tab_exer (A1,A15,jx) VALUES (?1,?2,?3)"),
                { questionId, draft.bodyHtml, richTextOrNull(draft.explanationHtml) });
        Statement question = m_db.cached(
            "UPDATE tab_answ SET A2_1=?2, A2=?3, A13=?4, K3=?5, K4=?6, K5=?7, K6=?8, K7=?9, "
            "K8=?10, K9=?11, K10=?12, K11=?13, K12=?14, ecount=coalesce(ecount,0)+1 WHERE A1=?1");
        question.bindAll(QVariantList { questionId, draft.optionCount, draft.key, draft.typeId }
            + pointSlots(draft.examPoints));
        question.exec();
        if (questionId.contains(QLatin1Char('-'))) {
            Statement stem = m_db.cached("UPDATE tab_title SET A15=?2 WHERE A1=?1");
            stem.bindAll({ questionId.left(16), draft.stemHtml });
            if (stem.exec() == 0)
                m_db.exec(QStringLiteral("INSERT INTO tab_title (A1,A15) VALUES (?1,?2)"),
                    { questionId.left(16), draft.stemHtml });
        }
        QuestionCounts(m_db).recountExamPoints(touched + draft.examPoints);
        transaction.commit();
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, saveFailedMessage());
    }
}

} // namespace vorlane
