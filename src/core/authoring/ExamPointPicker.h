#pragma once

#include "core/Status.h"
#include "core/authoring/QuestionAuthoring.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vorlane {

class Database;

// The exam points a question being written holds: keys and lines in order, no key twice, at most
// ten.
class ExamPointList
{
public:
    enum class Owner { Entry, Editor }; // whose limit message is shown

    explicit ExamPointList(Owner owner = Owner::Entry);

    void setPoints(const QList<ExamPointLine> &points);
    const QList<ExamPointLine> &points() const { return m_points; }
    QStringList keys() const;
    int size() const { return int(m_points.size()); }
    bool contains(const QString &key) const;

    // Before the picker opens: refused with the window's message when ten are held.
    Status canAdd() const;
    // Appends the points not yet held, in order.
    void add(const QList<ExamPointLine> &points);
    // The Delete key: removes the entry at row when there is one.
    void removeAt(int row);
    void clear() { m_points.clear(); }

private:
    Owner m_owner;
    QList<ExamPointLine> m_points;
};

struct PickerLaw
{
    QString id;
    QString name;
};

struct PickerArticle
{
    QString key;
    QString title;
    bool ticked = false;
};

// The picker's rules: laws and categories to choose from, the chosen law's articles with those
// the caller holds ticked already, and the limit of seven exam points per question.
class ExamPointPicker
{
public:
    static constexpr int MaxPerQuestion = 7;

    // held: the keys the caller's list has; their number is what the limit counts as existing.
    ExamPointPicker(Database &db, const QStringList &held);

    // Loads the laws and the first law's articles.
    Status load();
    const QList<PickerLaw> &laws() const { return m_laws; }
    int currentLaw() const { return m_currentLaw; }
    // Shows another law's articles; ticks of the law left are dropped, held ones come ticked.
    Status chooseLaw(int index);
    const QList<PickerArticle> &articles() const { return m_articles; }
    void setTicked(int row, bool ticked);

    // "确定": refused with its message when nothing new is ticked or the question would pass
    // seven; otherwise the new points to add, with their lines.
    Result<QList<ExamPointLine>> confirm() const;

    // The second page's usage text, one entry per line.
    static QStringList usageLines();

private:
    Status loadArticles();

    Database &m_db;
    QSet<QString> m_held;
    int m_existing;
    QList<PickerLaw> m_laws;
    int m_currentLaw = -1;
    QList<PickerArticle> m_articles;
};

} // namespace vorlane
