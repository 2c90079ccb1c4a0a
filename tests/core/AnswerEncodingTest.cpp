#include "core/answer/AnswerEncoding.h"
#include "core/AppState.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <vector>

using namespace vorlane;

namespace {

QString str(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

AnswerPanelState panel(int page, int optionCount)
{
    AnswerPanelState state;
    state.page = page;
    state.optionCount = optionCount;
    return state;
}

} // namespace

TEST(AnswerKinds, TypeIdSelectsPage)
{
    const struct
    {
        int typeId;
        int page;
    } cases[] = {
        { 61, 0 },
        { 63, 0 },
        { 64, 0 },
        { 65, 0 },
        { 66, 1 },
        { 67, 4 },
        { 72, 4 },
        { 73, 4 },
        { 74, 4 },
        { 62, NoAnswerPage },
        { 71, NoAnswerPage },
        { 68, NoAnswerPage },
        { 0, NoAnswerPage },
        { -1, NoAnswerPage },
    };
    for (const auto &c : cases)
        EXPECT_EQ(answerPageForType(c.typeId), c.page) << "type " << c.typeId;
}

TEST(AnswerKinds, TypeWithoutPageKeepsThePageShown)
{
    AnswerPanelState state = panel(1, 4);
    showPageForType(state, 62);
    EXPECT_EQ(state.page, 1);
    showPageForType(state, 71);
    EXPECT_EQ(state.page, 1);
    showPageForType(state, 73);
    EXPECT_EQ(state.page, 4);
    showPageForType(state, 61);
    EXPECT_EQ(state.page, 0);
}

TEST(AnswerKinds, HiddenAnswerTypesAre71To74)
{
    for (int typeId : { 71, 72, 73, 74 })
        EXPECT_TRUE(isHiddenAnswerType(typeId)) << "type " << typeId;
    for (int typeId : { 0, 60, 61, 62, 63, 64, 65, 66, 70, 75, 80 })
        EXPECT_FALSE(isHiddenAnswerType(typeId)) << "type " << typeId;
}

// The answer view's verdict is the recording's: right only when equal to the key, character
// for character; on the true/false page both answers read as 对/错.
TEST(AnswerKinds, VerdictShownIsTheRecordingsDecision)
{
    struct Case
    {
        int page;
        const char *answer;
        const char *key;
        bool right;
        const char *yours;
        const char *shownKey;
    };
    for (const Case &c : { Case { 0, "A", "A", true, "A", "A" }, Case { 0, "B", "A", false, "B", "A" },
             Case { 1, "AB", "ABD", false, "AB", "ABD" }, Case { 3, "A", "A", true, "对", "对" },
             Case { 3, "B", "A", false, "错", "对" }, Case { 0, "", "A", false, "", "A" },
             Case { 0, "a", "A", false, "a", "A" } }) {
        const AnswerVerdict verdict = answerVerdict(c.page, str(c.answer), str(c.key));
        EXPECT_EQ(verdict.right, c.right) << c.answer << " / " << c.key;
        EXPECT_EQ(verdict.yours, str(c.yours)) << c.answer;
        EXPECT_EQ(verdict.key, str(c.shownKey)) << c.key;
    }
}

TEST(AnswerKinds, SelfAssessedTypeNames)
{
    EXPECT_EQ(selfAssessedTypeNames().size(), 8);
    for (const char *name : { "简答", "主观", "论述", "案例分析", "名词解释", "查找错误", "综合", "计算" })
        EXPECT_TRUE(isSelfAssessedTypeName(str(name))) << name;
    for (const char *name : { "单选", "多选", "简答 ", "", "计" })
        EXPECT_FALSE(isSelfAssessedTypeName(str(name))) << name;
}

TEST(AnswerKinds, PageTexts)
{
    EXPECT_EQ(pageCaption(5), str("配伍"));
    EXPECT_EQ(sideLabel(5), str("不\n定\n项"));
    EXPECT_EQ(sideLabel(0), str("单\n选"));
    EXPECT_EQ(hoverHintForPage(2), str("填写正确答案，答案间用“,”隔开"));
    EXPECT_EQ(hoverHintForPage(4), str("根据自己实际情况选择“会”或者“不会”"));
    for (int page : { -1, 6, NoAnswerPage }) {
        EXPECT_TRUE(pageCaption(page).isEmpty());
        EXPECT_TRUE(hoverHintForPage(page).isEmpty());
        EXPECT_TRUE(sideLabel(page).isEmpty());
    }
}

// Every canonical answer read back after restoring it, on the page it belongs to.
TEST(AnswerPanel, RestoreThenReadGivesTheAnswerBack)
{
    const struct
    {
        int page;
        int optionCount;
        const char *answer;
    } cases[] = {
        { 0, 4, "A" },
        { 0, 4, "D" },
        { 0, 6, "F" },
        { 0, 4, "" },
        { 1, 5, "ACD" },
        { 1, 6, "ABCDEF" },
        { 1, 5, "" },
        { 5, 6, "BE" },
        { 5, 3, "C" },
        { 2, 0, "甲,乙" },
        { 2, 0, "" },
        { 3, 0, "A" },
        { 3, 0, "B" },
        { 3, 0, "" },
        { 4, 1, "0" },
        { 4, 1, "1" },
        { 4, 1, "" },
    };
    for (const auto &c : cases) {
        AnswerPanelState state = panel(c.page, c.optionCount);
        restoreAnswer(state, str(c.answer));
        EXPECT_EQ(readAnswer(state), str(c.answer)) << "page " << c.page << " answer " << c.answer;
    }
}

// What the restore rules make of texts the panel never writes.
TEST(AnswerPanel, RestoreOfNonCanonicalTexts)
{
    const struct
    {
        int page;
        int optionCount;
        const char *stored;
        const char *readBack;
    } cases[] = {
        { 1, 4, "CA", "AC" }, // letters out of order come back in A-to-F order
        { 1, 4, "ACF", "AC" }, // a letter beyond the option count is dropped
        { 0, 4, "E", "" }, // a hidden option cannot be restored
        { 0, 4, "AB", "" }, // a single choice is one letter
        { 0, 4, "a", "" }, // letters are upper case
        { 3, 0, "对", "" }, // the true/false page stores A or B
        { 3, 0, "a", "" }, { 4, 1, "2", "" }, // two items only
        { 4, 1, " 1", "" }, { 4, 1, "zero", "" }, // a voided question shows no selection
        { 2, 0, "  甲 ", "甲" }, // the text box is trimmed when read
    };
    for (const auto &c : cases) {
        AnswerPanelState state = panel(c.page, c.optionCount);
        restoreAnswer(state, str(c.stored));
        EXPECT_EQ(readAnswer(state), str(c.readBack)) << "page " << c.page << " stored " << c.stored;
    }
}

TEST(AnswerPanel, OptionCountDecidesWhatIsShown)
{
    const struct
    {
        int optionCount;
        int shown;
    } cases[] = { { -3, 0 }, { 0, 0 }, { 1, 1 }, { 4, 4 }, { 6, 6 }, { 7, 6 }, { 99, 6 } };
    for (const auto &c : cases) {
        AnswerPanelState state = panel(1, c.optionCount);
        EXPECT_EQ(state.shownOptionCount(), c.shown) << "count " << c.optionCount;
        for (int i = 0; i < OptionButtonCount; ++i)
            EXPECT_EQ(state.isOptionShown(i), i < c.shown);
        // Every option pressed, yet only the shown ones are read.
        state.multipleOptions.fill(true);
        EXPECT_EQ(readAnswer(state), QStringLiteral("ABCDEF").left(c.shown));
    }
}

TEST(AnswerPanel, RestoreReleasesHiddenOptionsAndLeavesOtherPages)
{
    AnswerPanelState state = panel(1, 3);
    state.multipleOptions.fill(true);
    state.singleOptions[2] = true;
    state.fillText = QStringLiteral("x");
    restoreAnswer(state, QStringLiteral("B"));
    EXPECT_EQ(state.multipleOptions, (std::array<bool, 6> { false, true, false, false, false, false }));
    EXPECT_TRUE(state.singleOptions[2]);
    EXPECT_EQ(state.fillText, QStringLiteral("x"));
}

TEST(AnswerPanel, EachOptionPageHasItsOwnButtons)
{
    AnswerPanelState state = panel(1, 6);
    pressOption(state, 0);
    state.page = 5;
    pressOption(state, 2);
    state.page = 0;
    pressOption(state, 4);
    EXPECT_EQ(readAnswer(state), QStringLiteral("E"));
    state.page = 1;
    EXPECT_EQ(readAnswer(state), QStringLiteral("A"));
    state.page = 5;
    EXPECT_EQ(readAnswer(state), QStringLiteral("C"));
}

TEST(AnswerPanel, PressingOptions)
{
    const struct
    {
        int page;
        std::vector<int> presses;
        const char *answer;
    } cases[] = {
        { 0, { 1 }, "B" }, { 0, { 1, 3 }, "D" }, // radio: the last pressed wins
        { 0, { 2, 2 }, "C" }, // pressing a pressed radio button keeps it down
        { 1, { 3, 0, 2 }, "ACD" }, // order of pressing does not matter
        { 1, { 1, 1 }, "" }, // toggled twice
        { 5, { 5, 0, 5 }, "A" }, { 2, { 0 }, "" }, // no option buttons on the other pages
        { 1, { -1, 6 }, "" }, // no such buttons
    };
    for (const auto &c : cases) {
        AnswerPanelState state = panel(c.page, 6);
        for (int index : c.presses)
            pressOption(state, index);
        EXPECT_EQ(readAnswer(state), str(c.answer)) << "page " << c.page;
    }
}

// Four options shown; F is pressed from the keyboard on the hidden button.
TEST(AnswerPanel, LetterKeyOnHiddenSingleChoiceReleasesTheVisibleChoice)
{
    AnswerPanelState state = panel(0, 4);
    restoreAnswer(state, QStringLiteral("B"));
    int index = -1;
    ASSERT_EQ(panelKeyAction(state.page, Qt::Key_F, &index), PanelKey::Option);
    ASSERT_EQ(index, 5);
    pressOption(state, index);
    EXPECT_TRUE(state.singleOptions[5]);
    EXPECT_FALSE(state.singleOptions[1]);
    EXPECT_EQ(readAnswer(state), QString());
}

TEST(AnswerPanel, LetterKeyOnHiddenMultipleChoiceIsNotRead)
{
    AnswerPanelState state = panel(1, 3);
    for (int key : { Qt::Key_A, Qt::Key_E }) {
        int index = -1;
        ASSERT_EQ(panelKeyAction(state.page, key, &index), PanelKey::Option);
        pressOption(state, index);
    }
    EXPECT_TRUE(state.multipleOptions[4]);
    EXPECT_EQ(readAnswer(state), QStringLiteral("A"));
}

TEST(AnswerPanel, Keys)
{
    const struct
    {
        int page;
        int key;
        PanelKey action;
        int index;
    } cases[] = {
        { 0, Qt::Key_Backspace, PanelKey::Previous, -1 },
        { 1, Qt::Key_Return, PanelKey::Next, -1 },
        { 0, Qt::Key_Enter, PanelKey::Next, -1 },
        { 0, Qt::Key_A, PanelKey::Option, 0 },
        { 1, Qt::Key_F, PanelKey::Option, 5 },
        { 0, Qt::Key_G, PanelKey::None, -1 },
        { 0, Qt::Key_Space, PanelKey::None, -1 },
        { 5, Qt::Key_A, PanelKey::None, -1 }, // only pages 0 and 1 take keys
        { 2, Qt::Key_Backspace, PanelKey::None, -1 },
        { 3, Qt::Key_Return, PanelKey::None, -1 },
        { 4, Qt::Key_B, PanelKey::None, -1 },
    };
    for (const auto &c : cases) {
        int index = -1;
        EXPECT_EQ(panelKeyAction(c.page, c.key, &index), c.action) << "page " << c.page << " key " << c.key;
        EXPECT_EQ(index, c.index);
    }
}

TEST(AnswerPanel, DisplayOfTrueFalseAnswers)
{
    const struct
    {
        int page;
        const char *answer;
        const char *shown;
    } cases[] = {
        { 3, "A", "对" },
        { 3, "B", "错" },
        { 3, "", "" },
        { 3, "C", "C" },
        { 0, "A", "A" },
        { 1, "AB", "AB" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(displayAnswer(c.page, str(c.answer)), str(c.shown));
}

TEST(RightAnswer, ExactTextOnly)
{
    const struct
    {
        const char *answer;
        const char *key;
        bool right;
    } cases[] = {
        { "AC", "AC", true },
        { "AC", "CA", false }, // a key with letters out of order is never matched
        { "A", "a", false }, // nor one in lower case
        { "甲,乙", "甲, 乙", false }, // a blank after the comma makes another answer
        { "A", "A ", false }, // no trimming at comparison
        { "1", "1", true }, // 会 on a self-assessed key "1"
        { "0", "1", false }, // 不会 is always wrong
        { "0", "0", true },
    };
    for (const auto &c : cases)
        EXPECT_EQ(isRightAnswer(str(c.answer), str(c.key)), c.right) << c.answer << " / " << c.key;
}

// The panel always writes multiple-choice letters in A-to-F order, so a key stored as "CA"
// can never be answered right, whatever order the options are pressed in.
TEST(RightAnswer, OutOfOrderKeyIsNeverMatchedThroughThePanel)
{
    AnswerPanelState state = panel(1, 4);
    pressOption(state, 2);
    pressOption(state, 0);
    EXPECT_FALSE(isRightAnswer(readAnswer(state), QStringLiteral("CA")));
    EXPECT_TRUE(isRightAnswer(readAnswer(state), QStringLiteral("AC")));
}

TEST(AnswerTimes, TypeMissingFromTheTableTicksEvery600Ms)
{
    AppState state;
    state.answerTimeTable = { { 61, 900 }, { 66, 1200 } };
    const struct
    {
        int typeId;
        int tickMs;
    } cases[] = { { 61, 900 }, { 66, 1200 }, { 67, 600 }, { 0, 600 } };
    for (const auto &c : cases)
        EXPECT_EQ(state.answerTickMs(c.typeId), c.tickMs) << "type " << c.typeId;
}
