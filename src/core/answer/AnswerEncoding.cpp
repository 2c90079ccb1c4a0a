#include "core/answer/AnswerEncoding.h"

#include <QtGlobal>

namespace vorlane {

namespace {

bool isPage(int page)
{
    return page >= 0 && page < AnswerPageCount;
}

bool isOptionIndex(int index)
{
    return index >= 0 && index < OptionButtonCount;
}

} // namespace

int answerPageForType(int typeId)
{
    switch (typeId) {
    case 61:
    case 63:
    case 64:
    case 65:
        return int(AnswerKind::SingleChoice);
    case 66:
        return int(AnswerKind::MultipleChoice);
    case 67:
    case 72:
    case 73:
    case 74:
        return int(AnswerKind::SelfAssessed);
    default:
        return NoAnswerPage;
    }
}

bool isHiddenAnswerType(int typeId)
{
    return typeId >= 71 && typeId <= 74;
}

const QStringList &selfAssessedTypeNames()
{
    static const QStringList names = {
        QStringLiteral("简答"),
        QStringLiteral("主观"),
        QStringLiteral("论述"),
        QStringLiteral("案例分析"),
        QStringLiteral("名词解释"),
        QStringLiteral("查找错误"),
        QStringLiteral("综合"),
        QStringLiteral("计算"),
    };
    return names;
}

bool isSelfAssessedTypeName(const QString &typeName)
{
    return selfAssessedTypeNames().contains(typeName);
}

QString hoverHintForPage(int page)
{
    switch (page) {
    case 0:
        return QStringLiteral("选择一个选项作为正确答案");
    case 1:
        return QStringLiteral("选择两个或者多个选项作为正确答案");
    case 2:
        return QStringLiteral("填写正确答案，答案间用“,”隔开");
    case 3:
        return QStringLiteral("根据判断选择“正确”或者“错误”");
    case 4:
        return QStringLiteral("根据自己实际情况选择“会”或者“不会”");
    case 5:
        return QStringLiteral("选择若干个选项作为正确答案");
    default:
        return {};
    }
}

QString pageCaption(int page)
{
    static const std::array<QString, AnswerPageCount> captions = {
        QStringLiteral("单选"),
        QStringLiteral("多选"),
        QStringLiteral("填空"),
        QStringLiteral("判断"),
        QStringLiteral("主观"),
        QStringLiteral("配伍"),
    };
    return isPage(page) ? captions[std::size_t(page)] : QString();
}

QString sideLabel(int page)
{
    static const std::array<QString, AnswerPageCount> names = {
        QStringLiteral("单选"),
        QStringLiteral("多选"),
        QStringLiteral("填空"),
        QStringLiteral("判断"),
        QStringLiteral("主观"),
        QStringLiteral("不定项"),
    };
    return isPage(page) ? stackedLabel(names[std::size_t(page)]) : QString();
}

QString stackedLabel(const QString &name)
{
    QString stacked;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (i > 0)
            stacked += QLatin1Char('\n');
        stacked += name.at(i);
    }
    return stacked;
}

QString optionLetter(int index)
{
    return isOptionIndex(index) ? QString(QChar(u'A' + index)) : QString();
}

QString trueFalseCaption(int index)
{
    if (index == 0)
        return QStringLiteral("对");
    if (index == 1)
        return QStringLiteral("错");
    return {};
}

const QStringList &selfAssessedItems()
{
    static const QStringList items = { QStringLiteral("不会"), QStringLiteral("会") };
    return items;
}

int AnswerPanelState::shownOptionCount() const
{
    return qBound(0, optionCount, OptionButtonCount);
}

bool AnswerPanelState::isOptionShown(int index) const
{
    return index >= 0 && index < shownOptionCount();
}

std::array<bool, OptionButtonCount> *AnswerPanelState::optionsOfPage(int onPage)
{
    switch (onPage) {
    case int(AnswerKind::SingleChoice):
        return &singleOptions;
    case int(AnswerKind::MultipleChoice):
        return &multipleOptions;
    case int(AnswerKind::IndefiniteChoice):
        return &indefiniteOptions;
    default:
        return nullptr;
    }
}

const std::array<bool, OptionButtonCount> *AnswerPanelState::optionsOfPage(int onPage) const
{
    return const_cast<AnswerPanelState *>(this)->optionsOfPage(onPage);
}

bool AnswerPanelState::isOptionPressed(int index) const
{
    const auto *options = optionsOfPage(page);
    return options && isOptionIndex(index) && (*options)[std::size_t(index)];
}

void showPageForType(AnswerPanelState &state, int typeId)
{
    const int page = answerPageForType(typeId);
    if (page != NoAnswerPage)
        state.page = page;
}

QString readAnswer(const AnswerPanelState &state)
{
    switch (state.page) {
    case int(AnswerKind::SingleChoice):
        for (int i = 0; i < state.shownOptionCount(); ++i)
            if (state.singleOptions[std::size_t(i)])
                return optionLetter(i);
        return {};
    case int(AnswerKind::MultipleChoice):
    case int(AnswerKind::IndefiniteChoice): {
        const auto &options = *state.optionsOfPage(state.page);
        QString letters;
        for (int i = 0; i < state.shownOptionCount(); ++i)
            if (options[std::size_t(i)])
                letters += optionLetter(i);
        return letters;
    }
    case int(AnswerKind::FillIn):
        return state.fillText.trimmed();
    case int(AnswerKind::TrueFalse):
        if (state.trueFalse == 0)
            return QStringLiteral("A");
        if (state.trueFalse == 1)
            return QStringLiteral("B");
        return {};
    case int(AnswerKind::SelfAssessed):
        if (state.selfAssessed == 0 || state.selfAssessed == 1)
            return QString::number(state.selfAssessed);
        return {};
    default:
        return {};
    }
}

void restoreAnswer(AnswerPanelState &state, const QString &answer)
{
    switch (state.page) {
    case int(AnswerKind::SingleChoice):
    case int(AnswerKind::MultipleChoice):
    case int(AnswerKind::IndefiniteChoice): {
        const bool single = state.page == int(AnswerKind::SingleChoice);
        auto &options = *state.optionsOfPage(state.page);
        for (int i = 0; i < OptionButtonCount; ++i) {
            const QString letter = optionLetter(i);
            options[std::size_t(i)]
                = state.isOptionShown(i) && (single ? answer == letter : answer.contains(letter));
        }
        return;
    }
    case int(AnswerKind::FillIn):
        state.fillText = answer;
        return;
    case int(AnswerKind::TrueFalse):
        state.trueFalse = answer == QLatin1String("A") ? 0 : answer == QLatin1String("B") ? 1 : -1;
        return;
    case int(AnswerKind::SelfAssessed):
        state.selfAssessed = -1;
        for (int i = 0; i < selfAssessedItems().size(); ++i)
            if (answer == QString::number(i))
                state.selfAssessed = i;
        return;
    default:
        return;
    }
}

void pressOption(AnswerPanelState &state, int index)
{
    if (!isOptionIndex(index))
        return;
    const std::size_t at = std::size_t(index);
    switch (state.page) {
    case int(AnswerKind::SingleChoice):
        // Radio buttons: pressing one releases the others, and pressing it again keeps it down.
        state.singleOptions.fill(false);
        state.singleOptions[at] = true;
        return;
    case int(AnswerKind::MultipleChoice):
    case int(AnswerKind::IndefiniteChoice): {
        auto &options = *state.optionsOfPage(state.page);
        options[at] = !options[at];
        return;
    }
    default:
        return;
    }
}

PanelKey panelKeyAction(int page, int qtKey, int *optionIndex)
{
    if (page != int(AnswerKind::SingleChoice) && page != int(AnswerKind::MultipleChoice))
        return PanelKey::None;
    if (qtKey == Qt::Key_Backspace)
        return PanelKey::Previous;
    if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter)
        return PanelKey::Next;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_F) {
        if (optionIndex)
            *optionIndex = qtKey - Qt::Key_A;
        return PanelKey::Option;
    }
    return PanelKey::None;
}

QString displayAnswer(int page, const QString &answer)
{
    if (page == int(AnswerKind::TrueFalse)) {
        if (answer == QLatin1String("A"))
            return trueFalseCaption(0);
        if (answer == QLatin1String("B"))
            return trueFalseCaption(1);
    }
    return answer;
}

bool isRightAnswer(const QString &answer, const QString &key)
{
    return answer == key;
}

AnswerVerdict answerVerdict(int page, const QString &answer, const QString &key)
{
    return { isRightAnswer(answer, key), displayAnswer(page, answer), displayAnswer(page, key) };
}

} // namespace vorlane
