#pragma once

// Builds the text of demo questions from the knowledge units: bodies and explanations as HTML,
// answer keys in the canonical form of their kind.

#include "demobank/DemoContent.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <random>

namespace vorlane::demo {

// std::mt19937's output is fixed by the standard, unlike the library's distributions, so the
// same seed gives the same bank with any compiler.
class Rng
{
public:
    explicit Rng(quint32 seed)
        : m_engine(seed)
    {
    }
    int below(int n) { return n <= 1 ? 0 : int(m_engine() % quint32(n)); }
    template <typename List> void shuffle(List &list)
    {
        for (qsizetype i = list.size() - 1; i > 0; --i)
            list.swapItemsAt(i, below(int(i + 1)));
    }

private:
    std::mt19937 m_engine;
};

// The article a knowledge unit became.
struct Article
{
    QString ftid;
    QString lawId;
    QString lawName;
    QString sn;
    QString text; // plain text, without the article's number
};

struct QuestionText
{
    QString body;
    QString answer;
    int optionCount = 1;
    QString explanation; // empty: the question has none
    QList<int> units; // knowledge units it tests, distinct, at most ten
};

class QuestionFactory
{
public:
    QuestionFactory(std::span<const KnowledgeUnit> units, const QList<Article> &articles, Rng &rng)
        : m_units(units)
        , m_articles(articles)
        , m_rng(rng)
    {
    }

    // Single choice asking for the unit's key (lead: how the question opens).
    QuestionText keyChoice(int unit, const QString &lead = {});
    // Single choice: the one right statement among the unit's distorted ones.
    QuestionText rightStatement(int unit, const QString &lead = {});
    // Single choice: the one wrong statement among right ones; needs four units.
    QuestionText wrongStatement(const QList<int> &pool, const QString &scope);
    // Single choice of two options, 正确 / 错误.
    QuestionText trueFalse(int unit);
    // Multiple choice over five or six units of the pool.
    QuestionText multipleChoice(const QList<int> &pool, const QString &scope);
    // Self-assessed kinds: the key is "1" and the explanation holds the reference answer.
    QuestionText shortAnswer(int unit);
    QuestionText essay(const QList<int> &pool, const QString &scope);
    QuestionText caseAnalysis(int unit);
    // Numeric questions for the chapters that have them: the unit they test, or -1 for none.
    int calculationUnit(const QString &chapter) const;
    QuestionText calculation(const QString &chapter, int unit, bool choice);

    // A case or scenario text with its placeholders filled.
    QString caseText(const CaseText &text);

private:
    QString statement(int unit, const QString &value) const;
    QString lawRef(int unit) const;
    QString articleQuote(int unit) const;
    QString choiceBody(const QString &stem, const QStringList &options) const;
    QString explain(const QString &answerLine, const QList<int> &units, bool withAnalysis);
    QuestionText finishChoice(
        const QString &stem, QStringList options, const QString &right, QList<int> units);

    std::span<const KnowledgeUnit> m_units;
    const QList<Article> &m_articles;
    Rng &m_rng;
};

} // namespace vorlane::demo
