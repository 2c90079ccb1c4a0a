#include "demobank/DemoQuestions.h"

#include <algorithm>
#include <cmath>

namespace vorlane::demo {

namespace {

const QString Blank = QStringLiteral("（　　）");

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

QString letter(int index)
{
    return QString(QChar(u'A' + index));
}

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

// Numbers in answers: at most four decimals, no trailing zeros.
QString number(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text;
}

// One numeric question: a setting, what is asked, the unit of the answer, the answer with three
// wrong values a careless calculation gives, and the working.
struct Calculation
{
    QString setting;
    QString ask;
    QString suffix;
    QString answer;
    QStringList wrong;
    QString working;
};

Calculation errorRate(Rng &rng)
{
    static const int totals[] = { 10000, 20000, 25000, 50000 };
    const int total = totals[rng.below(4)];
    const int errors = 4 + rng.below(77);
    const double rate = errors * 100.0 / total;
    return { QStringLiteral("某配送中心某月共配送货物%1件，其中错发、漏发%2件。").arg(total).arg(errors),
        QStringLiteral("该月配送差错率"), QStringLiteral("%"), number(rate),
        { number(rate * 10), number(rate * 100), number(rate / 10) },
        QStringLiteral("配送差错率＝差错件数÷配送总件数×100%＝%1÷%2×100%＝%3%")
            .arg(errors)
            .arg(total)
            .arg(number(rate)) };
}

Calculation economicOrderQuantity(Rng &rng)
{
    static const int holding[] = { 2, 4, 5, 8, 10 };
    static const int ordering[] = { 50, 100, 200, 250, 400 };
    for (;;) {
        const int h = holding[rng.below(5)];
        const int s = ordering[rng.below(5)];
        const int q = 100 * (1 + rng.below(12));
        const qint64 twice = qint64(q) * q * h;
        if (twice % (2 * s) != 0)
            continue;
        const qint64 demand = twice / (2 * s);
        return { QStringLiteral("某商品年需求量为%1件，每次订货成本为%2元，单位商品年储存成本为%3元。")
                     .arg(demand)
                     .arg(s)
                     .arg(h),
            QStringLiteral("该商品的经济订货批量"), QStringLiteral("件"), QString::number(q),
            { QString::number(2 * q), QString::number(q / 2),
                QString::number(qint64(std::lround(q * 1.41))) },
            QStringLiteral("经济订货批量＝√(2×年需求量×每次订货成本÷单位年储存成本)＝√(2×%1×%2÷%3)＝%4件")
                .arg(demand)
                .arg(s)
                .arg(h)
                .arg(q) };
    }
}

Calculation reorderPoint(Rng &rng)
{
    const int daily = 20 + 5 * rng.below(37);
    const int lead = 2 + rng.below(9);
    const int safety = 50 + 10 * rng.below(46);
    const int point = daily * lead + safety;
    // The usual slips: forgetting the safety stock, counting it twice, one day too many or few.
    QStringList wrong;
    for (int candidate : { daily * lead, point + safety, point + daily, point - daily, point + 2 * safety }) {
        const QString text = QString::number(candidate);
        if (candidate != point && !wrong.contains(text) && wrong.size() < 3)
            wrong << text;
    }
    return { QStringLiteral("某商品日均需求量为%1件，订货提前期为%2天，安全库存为%3件。")
                 .arg(daily)
                 .arg(lead)
                 .arg(safety),
        QStringLiteral("该商品的订货点"), QStringLiteral("件"), QString::number(point), wrong,
        QStringLiteral("订货点＝日均需求量×订货提前期＋安全库存＝%1×%2＋%3＝%4件")
            .arg(daily)
            .arg(lead)
            .arg(safety)
            .arg(point) };
}

Calculation capacityUse(Rng &rng)
{
    const int capacity = 100 * (20 + rng.below(181));
    const int percent = 60 + rng.below(26);
    const int used = capacity * percent / 100;
    return {
        QStringLiteral("某仓库有效容量为%1立方米，某月平均实际储存量为%2立方米。").arg(capacity).arg(used),
        QStringLiteral("该月仓容利用率"), QStringLiteral("%"), QString::number(percent),
        { QString::number(100 - percent), QString::number(percent - 10),
            QString::number(std::min(percent + 8, 99)) },
        QStringLiteral("仓容利用率＝实际储存量÷有效容量×100%＝%1÷%2×100%＝%3%")
            .arg(used)
            .arg(capacity)
            .arg(percent)
    };
}

Calculation unitCost(Rng &rng)
{
    const int unit = 20 + rng.below(101);
    const int volume = 100 * (10 + rng.below(81));
    const qint64 total = qint64(unit) * volume;
    const int half = unit % 2 == 0 ? unit / 2 : unit + 15;
    return {
        QStringLiteral("某仓库某月仓储总成本为%1元，同期仓储作业量为%2吨。").arg(total).arg(volume),
        QStringLiteral("该月单位仓储成本"), QStringLiteral("元/吨"), QString::number(unit),
        { QString::number(unit * 2), QString::number(half), QString::number(unit + 10) },
        QStringLiteral("单位仓储成本＝仓储总成本÷仓储作业量＝%1÷%2＝%3元/吨").arg(total).arg(volume).arg(unit)
    };
}

using CalculationMaker = Calculation (*)(Rng &);

struct CalculationChapter
{
    const char *chapter;
    CalculationMaker make;
    const char *topic; // the knowledge unit it tests
};

const CalculationChapter CalculationChapters[] = {
    { "200103", errorRate, "配送差错率" },
    { "200302", economicOrderQuantity, "定量订货法" },
    { "200303", reorderPoint, "安全库存的作用" },
    { "300401", capacityUse, "仓容利用率" },
    { "300402", unitCost, "单位仓储成本" },
};

const CalculationChapter *calculationFor(const QString &chapter)
{
    for (const CalculationChapter &entry : CalculationChapters) {
        if (chapter == QLatin1String(entry.chapter))
            return &entry;
    }
    return nullptr;
}

} // namespace

QString QuestionFactory::statement(int unit, const QString &value) const
{
    return u8(m_units[unit].text).replace(QStringLiteral("{}"), value);
}

QString QuestionFactory::lawRef(int unit) const
{
    return QStringLiteral("《") + m_articles.at(unit).lawName + QStringLiteral("》");
}

QString QuestionFactory::articleQuote(int unit) const
{
    const Article &article = m_articles.at(unit);
    return lawRef(unit) + article.sn + QStringLiteral("规定：“") + article.text + QStringLiteral("”");
}

QString QuestionFactory::choiceBody(const QString &stem, const QStringList &options) const
{
    QString body = QStringLiteral("<p>") + html(stem) + QStringLiteral("</p><p>");
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (i > 0)
            body += QStringLiteral("<br/>");
        body += letter(int(i)) + QStringLiteral("．") + html(options.at(i));
    }
    return body + QStringLiteral("</p>");
}

// Most questions carry an explanation; about one in seven is left without, as in a real bank.
QString QuestionFactory::explain(const QString &answerLine, const QList<int> &units, bool withAnalysis)
{
    if (!withAnalysis && m_rng.below(100) < 15)
        return {};
    QString text = QStringLiteral("<p>") + html(answerLine) + QStringLiteral("</p><p>【解析】");
    for (qsizetype i = 0; i < units.size(); ++i) {
        const int unit = units.at(i);
        if (i > 0)
            text += QStringLiteral("<br/>");
        text += QStringLiteral("本题考查“") + u8(m_units[unit].topic) + QStringLiteral("”。")
            + html(articleQuote(unit));
    }
    return text + QStringLiteral("</p>");
}

QuestionText QuestionFactory::finishChoice(
    const QString &stem, QStringList options, const QString &right, QList<int> units)
{
    m_rng.shuffle(options);
    const QString answer = letter(int(options.indexOf(right)));
    QuestionText question;
    question.body = choiceBody(stem, options);
    question.answer = answer;
    question.optionCount = int(options.size());
    question.explanation = explain(QStringLiteral("【答案】") + answer, units, false);
    question.units = std::move(units);
    return question;
}

QuestionText QuestionFactory::keyChoice(int unit, const QString &lead)
{
    const KnowledgeUnit &source = m_units[unit];
    const QString stem
        = lead + QStringLiteral("根据") + lawRef(unit) + QStringLiteral("，") + statement(unit, Blank);
    QStringList options { u8(source.key) };
    for (const char *wrong : source.wrong)
        options << u8(wrong);
    return finishChoice(stem, options, u8(source.key), { unit });
}

QuestionText QuestionFactory::rightStatement(int unit, const QString &lead)
{
    const KnowledgeUnit &source = m_units[unit];
    const QString stem = lead + QStringLiteral("根据") + lawRef(unit) + QStringLiteral("，下列关于“")
        + u8(source.topic) + QStringLiteral("”的说法中，正确的是") + Blank + QStringLiteral("。");
    const QString right = statement(unit, u8(source.key));
    QStringList options { right };
    for (const char *wrong : source.wrong)
        options << statement(unit, u8(wrong));
    return finishChoice(stem, options, right, { unit });
}

QuestionText QuestionFactory::wrongStatement(const QList<int> &pool, const QString &scope)
{
    QList<int> chosen = pool;
    m_rng.shuffle(chosen);
    chosen.resize(4);
    const KnowledgeUnit &odd = m_units[chosen.first()];
    const QString wrong = statement(chosen.first(), u8(odd.wrong[m_rng.below(3)]));
    QStringList options { wrong };
    for (qsizetype i = 1; i < chosen.size(); ++i)
        options << statement(chosen.at(i), u8(m_units[chosen.at(i)].key));
    const QString stem = QStringLiteral("下列关于") + scope + QStringLiteral("的说法中，错误的是") + Blank
        + QStringLiteral("。");
    return finishChoice(stem, options, wrong, chosen);
}

QuestionText QuestionFactory::trueFalse(int unit)
{
    const KnowledgeUnit &source = m_units[unit];
    const bool right = m_rng.below(2) == 0;
    const QString value = right ? u8(source.key) : u8(source.wrong[m_rng.below(3)]);
    const QString stem
        = QStringLiteral("根据") + lawRef(unit) + QStringLiteral("，") + statement(unit, value) + Blank;
    QuestionText question;
    question.body = choiceBody(stem, { QStringLiteral("正确"), QStringLiteral("错误") });
    question.answer = right ? QStringLiteral("A") : QStringLiteral("B");
    question.optionCount = 2;
    question.units = { unit };
    question.explanation = explain(QStringLiteral("【答案】") + question.answer
            + (right ? QStringLiteral("（正确）") : QStringLiteral("（错误）")),
        question.units, false);
    return question;
}

QuestionText QuestionFactory::multipleChoice(const QList<int> &pool, const QString &scope)
{
    QList<int> chosen = pool;
    m_rng.shuffle(chosen);
    const int count = chosen.size() >= 6 && m_rng.below(3) == 0 ? 6 : 5;
    chosen.resize(count);
    const int rightCount = 2 + m_rng.below(count - 2);
    QList<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    m_rng.shuffle(order);

    QStringList options;
    QString answer;
    for (int position = 0; position < count; ++position) {
        const int pick = order.at(position);
        const int unit = chosen.at(pick);
        const bool right = pick < rightCount;
        options << statement(unit, right ? u8(m_units[unit].key) : u8(m_units[unit].wrong[m_rng.below(3)]));
        if (right)
            answer += letter(position);
    }
    QuestionText question;
    question.body = choiceBody(QStringLiteral("下列关于") + scope + QStringLiteral("的说法中，符合规定的有")
            + Blank + QStringLiteral("。"),
        options);
    question.answer = answer;
    question.optionCount = count;
    question.units = chosen;
    question.explanation = explain(QStringLiteral("【答案】") + answer, chosen, false);
    return question;
}

QuestionText QuestionFactory::shortAnswer(int unit)
{
    QuestionText question;
    question.body = QStringLiteral("<p>简述") + html(lawRef(unit)) + QStringLiteral("关于“")
        + html(u8(m_units[unit].topic)) + QStringLiteral("”的规定。</p>");
    question.answer = QStringLiteral("1");
    question.units = { unit };
    question.explanation
        = QStringLiteral("<p>【参考答案】") + html(articleQuote(unit)) + QStringLiteral("</p>");
    return question;
}

QuestionText QuestionFactory::essay(const QList<int> &pool, const QString &scope)
{
    QList<int> chosen = pool;
    m_rng.shuffle(chosen);
    if (chosen.size() > 10)
        chosen.resize(10);
    std::sort(chosen.begin(), chosen.end());
    QString points;
    for (int unit : chosen) {
        points += QStringLiteral("<li>") + html(u8(m_units[unit].topic)) + QStringLiteral("：")
            + html(statement(unit, u8(m_units[unit].key))) + QStringLiteral("（") + html(lawRef(unit))
            + m_articles.at(unit).sn + QStringLiteral("）</li>");
    }
    QuestionText question;
    question.body = QStringLiteral("<p>试论述") + html(scope)
        + QStringLiteral("的主要规定和要求，并结合工作实际谈谈如何落实。</p>");
    question.answer = QStringLiteral("1");
    question.units = chosen;
    question.explanation = QStringLiteral("<p>【参考答案】答题要点如下：</p><ol>") + points
        + QStringLiteral("</ol><p>结合实际的部分，能说明本单位的具体做法即可。</p>");
    return question;
}

QuestionText QuestionFactory::caseAnalysis(int unit)
{
    QuestionText question;
    question.body = QStringLiteral("<p>结合案例，分析该企业在“") + html(u8(m_units[unit].topic))
        + QStringLiteral("”方面的做法是否符合规定，并说明理由。</p>");
    question.answer = QStringLiteral("1");
    question.units = { unit };
    question.explanation = QStringLiteral("<p>【参考答案】") + html(articleQuote(unit))
        + QStringLiteral("</p><p>应对照上述规定逐项检查案例中的做法，指出不符合之处并提出整改措施。</p>");
    return question;
}

int QuestionFactory::calculationUnit(const QString &chapter) const
{
    const CalculationChapter *entry = calculationFor(chapter);
    if (!entry)
        return -1;
    for (int unit = 0; unit < int(m_units.size()); ++unit) {
        if (qstrcmp(m_units[unit].topic, entry->topic) == 0)
            return unit;
    }
    return -1;
}

QuestionText QuestionFactory::calculation(const QString &chapter, int unit, bool choice)
{
    const Calculation calc = calculationFor(chapter)->make(m_rng);
    if (choice) {
        QStringList options { calc.answer + calc.suffix };
        for (const QString &wrong : calc.wrong)
            options << wrong + calc.suffix;
        return finishChoice(calc.setting + QStringLiteral("则") + calc.ask + QStringLiteral("为") + Blank
                + QStringLiteral("。"),
            options, calc.answer + calc.suffix, { unit });
    }
    QuestionText question;
    question.body = QStringLiteral("<p>") + html(calc.setting) + QStringLiteral("请计算") + html(calc.ask)
        + QStringLiteral("，并写出计算过程。</p>");
    question.answer = QStringLiteral("1");
    question.units = { unit };
    question.explanation = QStringLiteral("<p>【参考答案】") + html(calc.working) + QStringLiteral("</p>");
    return question;
}

QString QuestionFactory::caseText(const CaseText &text)
{
    const auto cities = cityNames();
    const auto words = companyWords();
    const auto draw = [this](const int range[2]) {
        const int value = range[0] + m_rng.below(range[1] - range[0] + 1);
        return range[1] >= 1000 ? value / 100 * 100 : value;
    };
    const QString city = u8(cities[m_rng.below(int(cities.size()))]);
    const QString company = city + u8(words[m_rng.below(int(words.size()))])
        + (m_rng.below(2) == 0 ? QStringLiteral("物流有限公司") : QStringLiteral("供应链管理有限公司"));
    return u8(text.text)
        .replace(QStringLiteral("{company}"), company)
        .replace(QStringLiteral("{city}"), city)
        .replace(QStringLiteral("{n}"), QString::number(draw(text.n)))
        .replace(QStringLiteral("{m}"), QString::number(draw(text.m)));
}

} // namespace vorlane::demo
