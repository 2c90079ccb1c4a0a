#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace vorlane {

// The six kinds of answer, in the order of the answer panel's pages (kind value = page number).
enum class AnswerKind {
    SingleChoice = 0,
    MultipleChoice = 1,
    FillIn = 2,
    TrueFalse = 3,
    SelfAssessed = 4,
    IndefiniteChoice = 5,
};

// What answerPageForType returns for a type without a page: the panel keeps the page it shows.
inline constexpr int NoAnswerPage = 99;
inline constexpr int AnswerPageCount = 6;
inline constexpr int OptionButtonCount = 6;

// Page of the answer panel for a question type id (A13): 0, 1, 4 or NoAnswerPage.
int answerPageForType(int typeId);
// Types whose answer the practice windows never reveal (the "答案" button stays disabled).
bool isHiddenAnswerType(int typeId);
// Type names that question entry and editing treat as self-assessed (option count 1, key "1").
const QStringList &selfAssessedTypeNames();
bool isSelfAssessedTypeName(const QString &typeName);

// Texts of the panel's pages; an unknown page gives the empty text.
QString hoverHintForPage(int page);
QString pageCaption(int page);
// The short name shown at the page's left, one character per line ("单\n选").
QString sideLabel(int page);
// Any name stacked one character per line, as the side label shows it.
QString stackedLabel(const QString &name);
// "A" to "F" for option 0 to 5.
QString optionLetter(int index);
// Captions of the true/false buttons (0 对, 1 错) and the self-assessment items (0 不会, 1 会).
QString trueFalseCaption(int index);
const QStringList &selfAssessedItems();

// The answer panel's state: the page shown and each page's own input.
struct AnswerPanelState
{
    int page = 0;
    int optionCount = 0;
    std::array<bool, OptionButtonCount> singleOptions {};
    std::array<bool, OptionButtonCount> multipleOptions {};
    std::array<bool, OptionButtonCount> indefiniteOptions {};
    QString fillText;
    int trueFalse = -1; // -1 none, 0 对, 1 错
    int selfAssessed = -1; // -1 none, 0 不会, 1 会

    // Options from the option count on are hidden; counts above six show six, below zero none.
    int shownOptionCount() const;
    bool isOptionShown(int index) const;
    // The option buttons of an option page (0, 1 or 5); null on the other pages.
    std::array<bool, OptionButtonCount> *optionsOfPage(int onPage);
    const std::array<bool, OptionButtonCount> *optionsOfPage(int onPage) const;
    bool isOptionPressed(int index) const;
};

// Switch the panel to the page of a question type; a type without a page leaves it where it is.
void showPageForType(AnswerPanelState &state, int typeId);

// The canonical answer text of the page shown.
QString readAnswer(const AnswerPanelState &state);
// Set the page shown so that reading it gives the answer back (options from the count on are
// hidden and released). The other pages are left as they are.
void restoreAnswer(AnswerPanelState &state, const QString &answer);
// A click or letter key on option index of the page shown: radio on page 0, toggle on pages 1
// and 5, nothing elsewhere. It acts on hidden options too.
void pressOption(AnswerPanelState &state, int index);

enum class PanelKey { None, Previous, Next, Option };
// What a key does to a window carrying the panel: Backspace previous, Enter next, A to F an
// option (its index in *optionIndex), and only on pages 0 and 1.
PanelKey panelKeyAction(int page, int qtKey, int *optionIndex = nullptr);

// An answer as the user reads it: on the true/false page "A" is 对 and "B" is 错.
QString displayAnswer(int page, const QString &answer);
// Right means equal to the key character for character: no trimming, no case folding.
bool isRightAnswer(const QString &answer, const QString &key);

// What the answer view of a window shows: whether the answer is right (as recording decides it)
// and both answers as the user reads them on the page shown.
struct AnswerVerdict
{
    bool right = false;
    QString yours;
    QString key;
};
AnswerVerdict answerVerdict(int page, const QString &answer, const QString &key);

} // namespace vorlane
