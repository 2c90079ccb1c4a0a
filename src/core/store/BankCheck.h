#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

namespace vorlane {

class BankSnapshots;
class Clock;
class Database;

// What the check can find, each a kind the report counts on its own.
enum class CheckFinding {
    CatalogueAnswered, // tab_kmmc.C4: questions answered at least once
    CatalogueAnswers, // tab_kmmc.D1: recorded answers
    CatalogueWrong, // tab_kmmc.D2: recorded wrong answers, outside what the rows allow
    CatalogueScore, // tab_kmmc.C6: the score from D1 and D2
    QuestionCounts, // tab_kmmc.C3, tab_rule.q, tab_fgmc.q
    ArticleCounters, // tab_rule.q1, q2, q4
    LawCounters, // tab_fgmc.q1, q2, q4
    PaperRowWithoutTable, // a tab_cj row whose paper table is gone
    PaperTableWithoutRow, // a paper table without its tab_cj row
    ImpossibleLogDay, // a tab_rz day with a negative figure, B2 > B1 or A3 > A2: reported, kept
};

struct BankCheckReport
{
    // Found: something differs and was not repaired (only a look was asked for, or the bank
    // could not be kept as a snapshot first).
    enum class Outcome { Clean, Found, Repaired, Damaged };
    Outcome outcome = Outcome::Clean;
    // The damage the page check found (technical), or in a few words why what was found was
    // not repaired.
    QString damage;
    // The technical reason a repair did not happen, for the log.
    QString detail;
    // Rows (or tables) per kind that differed from what the rows hold, and were repaired
    // unless the kind is only reported.
    QMap<CheckFinding, int> found;
    // The days of the daily log with impossible figures.
    QStringList impossibleDays;
    // The snapshot taken before the repair.
    QString snapshotPath;

    bool repairedAnything() const;
    // 0 when nothing needed repair, 1 when something was repaired, 2 when the bank is damaged
    // or what was found could not be repaired.
    int exitCode() const;
    // The report as the user reads it, in plain Chinese, one line per kind.
    QString text() const;
    static QString findingText(CheckFinding kind);
};

struct BankCheckOptions
{
    // integrity_check (pages and every index against its table) rather than quick_check.
    bool fullPageCheck = true;
    // Only report what differs; change nothing.
    bool repair = true;
};

// Called between the steps: percent done and what runs next.
using CheckProgress = std::function<void(int percent, const QString &step)>;

// Checks the pages, then rebuilds every counter that the question rows determine and the
// paper list, and checks the daily log for impossible figures. Repairs go in one
// transaction, after a snapshot of the bank when snapshots are given; a damaged bank is
// never written to.
BankCheckReport checkBank(Database &db, BankSnapshots *snapshots, const BankCheckOptions &options = {},
    const CheckProgress &progress = {});

// The check as a command (vorlane --check-bank PATH): opens the bank at path, checks and
// repairs it with a snapshot first, and gives the text to print and the exit status
// (BankCheckReport::exitCode; 2 also when the file does not open as a bank).
int checkBankFile(const QString &path, const Clock &clock, QString &output);

} // namespace vorlane
