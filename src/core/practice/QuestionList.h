#pragma once

#include <QVariantList>

#include <QString>
#include <QStringList>

namespace vorlane {

// A composed question list: the statement and the values bound to it.
struct PracticeListQuery
{
    QString sql;
    QVariantList values;
    bool isEmpty() const { return sql.isEmpty(); }
};

enum class PracticeMode { NewQuestions = 1, WrongQuestions = 2, ReviewQuestions = 3 };

// Which questions the next practice window lists, as a value: a chapter's list in one of the
// three modes, the questions that test one article, or questions named one by one (the
// bank search). Core turns it into a statement with every value bound.
struct QuestionListQuery
{
    enum class Kind { None, Chapter, Article, Questions };

    Kind kind = Kind::None;
    PracticeMode mode = PracticeMode::NewQuestions;
    QString code; // chapter code
    bool byDoubleClick = false; // the catalogue's double click lists new questions without the id tie-break
    QString articleKey; // tab_rule.ftid
    QStringList questionIds;

    static QuestionListQuery chapter(PracticeMode mode, const QString &code, bool byDoubleClick = false);
    static QuestionListQuery article(const QString &articleKey);
    // At most MaxQuestionIds are kept: the statement binds each one.
    static QuestionListQuery questions(const QStringList &ids);
    static constexpr int MaxQuestionIds = 500;

    bool isEmpty() const { return kind == Kind::None; }
    friend bool operator==(const QuestionListQuery &, const QuestionListQuery &) = default;
};

// The statement of a list and the values bound to it. An empty query gives an empty statement.
PracticeListQuery composeQuestionList(const QuestionListQuery &query);

} // namespace vorlane
