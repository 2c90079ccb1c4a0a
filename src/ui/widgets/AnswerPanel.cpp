#include "ui/widgets/AnswerPanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>

namespace vorlane::ui {

namespace {

QPushButton *choiceButton(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setFixedSize(40, 30);
    return button;
}

bool isOptionPage(int page)
{
    return page == 0 || page == 1 || page == 5;
}

} // namespace

AnswerPanel::AnswerPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("answerPanel"));
    setMouseTracking(true);
    // A chosen option must read as chosen at a glance.
    setStyleSheet(
        QStringLiteral("QPushButton:checked { background: #2f5d8a; color: white; border: 1px solid #1d3c5c;"
                       " border-radius: 3px; font-weight: bold; }"));
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("answerPages"));

    m_pages->addWidget(withSideLabel(makeOptionPage(0), 0));
    m_pages->addWidget(withSideLabel(makeOptionPage(1), 1));

    m_fillIn = new QLineEdit;
    m_fillIn->setObjectName(QStringLiteral("fillInAnswer"));
    connect(m_fillIn, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!m_syncing)
            m_state.fillText = text;
    });
    m_pages->addWidget(withSideLabel(m_fillIn, 2));

    auto *trueFalse = new QWidget;
    auto *trueFalseLayout = new QHBoxLayout(trueFalse);
    for (int i = 0; i < 2; ++i) {
        m_trueFalse[i] = choiceButton(trueFalseCaption(i), QStringLiteral("trueFalse%1").arg(i), trueFalse);
        connect(m_trueFalse[i], &QAbstractButton::clicked, this, [this, i] {
            m_state.trueFalse = i;
            sync();
        });
        trueFalseLayout->addWidget(m_trueFalse[i]);
    }
    trueFalseLayout->addStretch();
    m_pages->addWidget(withSideLabel(trueFalse, 3));

    m_selfAssessed = new QComboBox;
    m_selfAssessed->setObjectName(QStringLiteral("selfAssessedAnswer"));
    m_selfAssessed->addItems(selfAssessedItems());
    // Empty until the user answers; the box and the line beside it say what to choose.
    m_selfAssessed->setPlaceholderText(tr("会 / 不会"));
    m_selfAssessed->setMinimumWidth(96);
    m_selfAssessed->setCurrentIndex(-1);
    connect(m_selfAssessed, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_syncing)
            m_state.selfAssessed = index;
    });
    auto *selfAssessedBox = new QWidget;
    auto *selfAssessedLayout = new QHBoxLayout(selfAssessedBox);
    // Short: the page's width counts in every window's narrowest size; the tooltip says more.
    auto *selfAssessedHint = new QLabel(tr("自评："), selfAssessedBox);
    selfAssessedHint->setObjectName(QStringLiteral("selfAssessedHint"));
    selfAssessedLayout->addWidget(selfAssessedHint);
    selfAssessedLayout->addWidget(m_selfAssessed);
    selfAssessedLayout->addStretch();
    m_pages->addWidget(withSideLabel(selfAssessedBox, 4, &m_selfAssessedLabel));

    m_pages->addWidget(withSideLabel(makeOptionPage(5), 5));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    sync();
}

QWidget *AnswerPanel::makeOptionPage(int page)
{
    auto *widget = new QWidget;
    auto *layout = new QHBoxLayout(widget);
    for (int i = 0; i < OptionButtonCount; ++i) {
        m_options[page][i] = choiceButton(
            optionLetter(i), QStringLiteral("option%1%2").arg(page).arg(optionLetter(i)), widget);
        connect(m_options[page][i], &QAbstractButton::clicked, this, [this, i] { pressOption(i); });
        layout->addWidget(m_options[page][i]);
    }
    layout->addStretch();
    return widget;
}

QWidget *AnswerPanel::withSideLabel(QWidget *input, int page, QLabel **labelOut)
{
    auto *box = new QWidget;
    auto *side = new QLabel(sideLabel(page), box);
    side->setObjectName(QStringLiteral("sideLabel%1").arg(page));
    side->setAlignment(Qt::AlignCenter);
    side->setStyleSheet(QStringLiteral("QLabel { background: #2f5d8a; color: white; padding: 1px 4px; }"));
    auto *layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(side);
    layout->addWidget(input, 1);
    if (labelOut)
        *labelOut = side;
    return box;
}

void AnswerPanel::sync()
{
    m_syncing = true;
    m_pages->setCurrentIndex(m_state.page);
    for (int page = 0; page < AnswerPageCount; ++page) {
        const std::array<bool, OptionButtonCount> *pressed = m_state.optionsOfPage(page);
        if (!pressed)
            continue;
        for (int i = 0; i < OptionButtonCount; ++i) {
            // Only the page shown follows the option count; it is the one a question restored.
            if (page == m_state.page)
                m_options[page][i]->setVisible(m_state.isOptionShown(i));
            m_options[page][i]->setChecked((*pressed)[i]);
        }
    }
    if (m_fillIn->text() != m_state.fillText)
        m_fillIn->setText(m_state.fillText);
    m_trueFalse[0]->setChecked(m_state.trueFalse == 0);
    m_trueFalse[1]->setChecked(m_state.trueFalse == 1);
    m_selfAssessed->setCurrentIndex(m_state.selfAssessed);
    setToolTip(hoverHintForPage(m_state.page));
    m_syncing = false;
}

void AnswerPanel::setPage(int page)
{
    if (page < 0 || page >= AnswerPageCount)
        return;
    m_state.page = page;
    sync();
}

void AnswerPanel::restore(int optionCount, const QString &answer)
{
    m_state.optionCount = optionCount;
    restoreAnswer(m_state, answer);
    sync();
}

QString AnswerPanel::read(int optionCount) const
{
    AnswerPanelState state = m_state;
    state.optionCount = optionCount;
    return readAnswer(state);
}

QString AnswerPanel::displayReading() const
{
    return displayAnswer(m_state.page, readAnswer(m_state));
}

void AnswerPanel::setSelfAssessedLabel(const QString &name)
{
    m_selfAssessedLabel->setText(stackedLabel(name));
}

QString AnswerPanel::selfAssessedLabel() const
{
    return m_selfAssessedLabel->text();
}

void AnswerPanel::pressOption(int index)
{
    vorlane::pressOption(m_state, index);
    sync();
}

QAbstractButton *AnswerPanel::option(int page, int index) const
{
    if (!isOptionPage(page) || index < 0 || index >= OptionButtonCount)
        return nullptr;
    return m_options[page][index];
}

void AnswerPanel::mouseMoveEvent(QMouseEvent *event)
{
    setToolTip(hoverHintForPage(m_state.page));
    QWidget::mouseMoveEvent(event);
}

void AnswerPanel::enterEvent(QEnterEvent *event)
{
    setToolTip(hoverHintForPage(m_state.page));
    QWidget::enterEvent(event);
}

} // namespace vorlane::ui
