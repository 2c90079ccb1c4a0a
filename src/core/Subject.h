#pragma once

#include <QString>
#include <QStringList>

namespace vorlane {

// One of the five subjects of the examination: its number, its title from the bank, the table
// of its question types and the chapter prefixes its papers draw from.
class Subject
{
public:
    static constexpr int Count = 5;

    Subject() = default;
    // A number outside 1..5 gives a subject that is not valid and names no table.
    static Subject fromNumber(int number, const QString &title = QString());
    // The exam subject as the program keeps it: 0, of a program that never started an exam,
    // means subject 1.
    static Subject ofExam(int number);

    bool isValid() const { return m_number >= 1 && m_number <= Count; }
    int number() const { return m_number; }
    // "tab_tx1".."tab_tx5", the only type-table names that ever reach a statement; empty when
    // the subject is not valid.
    QString typeTable() const;
    // The first two characters of the chapter codes (A10) whose questions make up its pool.
    QStringList poolPrefixes() const;
    // "科目一".."科目五".
    QString numeral() const;
    // The title the bank gives it (catalogue row "1".."5", else its parts); may be empty.
    const QString &title() const { return m_title; }
    // What the menu shows: the bank's title without the numeral that banks often put in front
    // (a badge shows that), or the numeral itself when the bank names it nowhere.
    QString shownTitle() const;
    bool hasOwnTitle() const;

private:
    int m_number = 0;
    QString m_title;
};

} // namespace vorlane
