#include "core/Subject.h"

#include <QCoreApplication>

namespace vorlane {

Subject Subject::fromNumber(int number, const QString &title)
{
    Subject subject;
    subject.m_number = number;
    subject.m_title = title;
    return subject;
}

Subject Subject::ofExam(int number)
{
    return fromNumber(number == 0 ? 1 : number);
}

QString Subject::typeTable() const
{
    return isValid() ? QStringLiteral("tab_tx%1").arg(m_number) : QString();
}

QStringList Subject::poolPrefixes() const
{
    switch (m_number) {
    case 1:
        return { QStringLiteral("10") };
    case 2:
        return { QStringLiteral("20") };
    case 3:
        return { QStringLiteral("30") };
    case 4:
        return { QStringLiteral("06"), QStringLiteral("07"), QStringLiteral("08"), QStringLiteral("09") };
    // Subject 5 draws only from chapters "05"; without a pool of its own it could never be sat.
    case 5:
        return { QStringLiteral("05") };
    default:
        return {};
    }
}

QString Subject::numeral() const
{
    static const char16_t numerals[] = u"一二三四五";
    if (!isValid())
        return QString();
    return QCoreApplication::translate("Subject", "科目%1").arg(QChar(numerals[m_number - 1]));
}

namespace {

QString withoutNumeral(const QString &title, const QString &numeral)
{
    return title.startsWith(numeral) ? title.mid(numeral.size()).trimmed() : title;
}

} // namespace

QString Subject::shownTitle() const
{
    const QString name = withoutNumeral(m_title, numeral());
    return name.isEmpty() ? numeral() : name;
}

bool Subject::hasOwnTitle() const
{
    return !withoutNumeral(m_title, numeral()).isEmpty();
}

} // namespace vorlane
