#include "core/authoring/ExamPointPicker.h"

#include "core/store/Database.h"
#include "core/store/StoreError.h"

#include <QCoreApplication>

namespace vorlane {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ExamPointPicker", text);
}

} // namespace

ExamPointList::ExamPointList(Owner owner)
    : m_owner(owner)
{
}

void ExamPointList::setPoints(const QList<ExamPointLine> &points)
{
    m_points.clear();
    add(points);
}

QStringList ExamPointList::keys() const
{
    QStringList keys;
    for (const ExamPointLine &point : m_points)
        keys << point.key;
    return keys;
}

bool ExamPointList::contains(const QString &key) const
{
    for (const ExamPointLine &point : m_points) {
        if (point.key.compare(key, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

Status ExamPointList::canAdd() const
{
    if (m_points.size() < MaxExamPoints)
        return {};
    return Status::failure(m_owner == Owner::Entry
            ? tr("试题对应考点最多为10条！\n如果要去掉考点，请选中要\n去掉的考点，再按键盘上的\n[Delete]键！")
            : tr("试题对应知识点最多为10条！\n如果要去掉知识点，请选中要\n去掉的知识点，再按键盘上的\n["
                 "Delete]键！"));
}

void ExamPointList::add(const QList<ExamPointLine> &points)
{
    for (const ExamPointLine &point : points) {
        if (m_points.size() < MaxExamPoints && !contains(point.key))
            m_points << point;
    }
}

void ExamPointList::removeAt(int row)
{
    if (row >= 0 && row < m_points.size())
        m_points.removeAt(row);
}

ExamPointPicker::ExamPointPicker(Database &db, const QStringList &held)
    : m_db(db)
    , m_existing(int(held.size()))
{
    for (const QString &key : held)
        m_held.insert(key.toCaseFolded());
}

Status ExamPointPicker::load()
{
    try {
        m_laws.clear();
        // Categories and laws, in the order the laws browser lists them.
        Statement query = m_db.prepare(
            QStringLiteral("SELECT id, n FROM tab_fgmc WHERE length(id)=6 OR length(id)=2 ORDER BY bh, id"));
        while (query.next())
            m_laws << PickerLaw { query.text(0), query.text(1) };
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
    if (m_laws.isEmpty()) {
        m_currentLaw = -1;
        m_articles.clear();
        return {};
    }
    return chooseLaw(0);
}

Status ExamPointPicker::chooseLaw(int index)
{
    if (index < 0 || index >= m_laws.size())
        return {};
    m_currentLaw = index;
    return loadArticles();
}

Status ExamPointPicker::loadArticles()
{
    m_articles.clear();
    try {
        Statement query = m_db.cached("SELECT ftid, rtrim(sn) FROM tab_rule WHERE id=?1 ORDER BY ftid");
        query.bind(1, m_laws.at(m_currentLaw).id);
        while (query.next()) {
            const QString key = query.text(0);
            m_articles << PickerArticle { key, query.text(1), m_held.contains(key.toCaseFolded()) };
        }
        return {};
    } catch (const StoreError &error) {
        return storeFailure(error, StoreAction::Read);
    }
}

void ExamPointPicker::setTicked(int row, bool ticked)
{
    if (row >= 0 && row < m_articles.size())
        m_articles[row].ticked = ticked;
}

Result<QList<ExamPointLine>> ExamPointPicker::confirm() const
{
    // Only new ticks count: the points held are already in the existing number.
    QList<ExamPointLine> picked;
    for (const PickerArticle &article : m_articles) {
        if (article.ticked && !m_held.contains(article.key.toCaseFolded()))
            picked << ExamPointLine { article.key,
                m_laws.at(m_currentLaw).name + QLatin1Char('[') + article.title + QLatin1Char(']') };
    }
    if (picked.isEmpty())
        return Result<QList<ExamPointLine>>::failure(tr("请选择对应考点，退出请按关闭按钮！"));
    if (m_existing + picked.size() > MaxPerQuestion)
        return Result<QList<ExamPointLine>>::failure(
            tr("对应考点最多不能超过7条，已有考点%1条！").arg(m_existing));
    return picked;
}

QStringList ExamPointPicker::usageLines()
{
    return {
        tr("使用方法如下："),
        QString(),
        tr("   首先将试题的内容填写在试题内容框内，这是必须填写项，如果试题有对应的"),
        tr("讲解，请把内容填写进解析框内。"),
        QString(),
        tr("   然后选择或录入待选答案的个数，主要是选择题，例如试题："),
        QString(),
        tr("   7月有几天？"),
        tr("   A. 30"),
        tr("   B. 28"),
        tr("   C. 31"),
        QStringLiteral("   "),
        tr("   这里的待选答案是A B C，共为3个，也就是我们这里的待选答案个数为3。"),
        QStringLiteral("   "),
        tr("   接下来填入答案："),
        tr("   如果是单选，例如上面的试题，就填写C；"),
        tr("   如果是多选把答案直接填入框内。例如答案是ABD那么答案框内就写ABD；"),
        tr("   如果是判断题则答案正确填写A，答案错误填写B；"),
        tr("   如果试题是主观题，则把实际答案同解析内容一起填入解析栏中。答案框中自"),
        tr("动填写1；"),
        QString(),
    };
}

} // namespace vorlane
