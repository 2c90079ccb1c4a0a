#pragma once

#include "core/Status.h"

#include <QMap>
#include <QSize>
#include <QString>

#include <memory>

namespace vorlane {

struct AppState;
class Database;
struct BankLocation;

// "800" when either dimension of the screen is that of an 800 by 600 screen, else "1024".
QString screenLayoutFor(const QSize &screenSize);

// Whether the windows' fixed pixel geometry will look right: the logical resolution the windows
// are laid out in must be 96 dots per inch. A screen that the toolkit scales to that passes.
bool isSmallFonts(double logicalDotsPerInch);

// Titles of the five subjects (catalogue rows "1".."5", their C2), keyed by subject number.
// A subject without such a row is named by the part rows of its chapter prefixes; a subject
// with neither is missing from the map.
Result<QMap<int, QString>> loadSubjectTitles(Database &db);

// What showing the menu (or a click on it) settles: music on, the exam subject a real one
// (0 means 1), and the answer-timer table of that subject loaded; a subject without question
// types, or a table that cannot be read, leaves the table as it was.
void applyMenuShowRules(AppState &state, Database &db);

// Opens the user's bank for the program: seeds it from the demo bank on first start, opens it
// with the bank password and checks that it holds the bank's tables. A missing, damaged or
// foreign file gives the reason instead, and is never written to.
Result<std::shared_ptr<Database>> openBankAtStartup(const BankLocation &location, const QString &appDir);

} // namespace vorlane
