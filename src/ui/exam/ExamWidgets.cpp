#include "ui/exam/ExamWidgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlane::ui {

// ---- NumberButton ---------------------------------------------------------------------------

NumberButton::NumberButton(int number, QWidget *parent) : QAbstractButton(parent)
{
    setObjectName(QStringLiteral("examNumber%1").arg(number));
    setText(QString::number(number));
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
}

void NumberButton::setPictures(const QPixmap &normal, const QPixmap &pressed)
{
    m_normal = normal;
    m_pressed = pressed;
    update();
}

void NumberButton::setNormalPicture(const QPixmap &normal)
{
    m_normal = normal;
    update();
}

QSize NumberButton::sizeHint() const { return QSize(34, 19); }

void NumberButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPixmap &picture = isChecked() ? m_pressed : m_normal;
    if (!picture.isNull())
        painter.drawPixmap(rect(), picture);
    painter.setPen(!isEnabled() ? QColor(128, 128, 128) : isChecked() ? Qt::white : Qt::black);
    QFont small = font();
    small.setPixelSize(qMax(9, height() - 6));
    painter.setFont(small);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

// ---- PauseCover -----------------------------------------------------------------------------

namespace {

const char16_t *const CoverLines[] = {
    u"考试已暂停",
    u"",
    u"章节练习：按章节逐题练习，错题自动收集",
    u"法规学习：按考点浏览法规条文并练习",
    u"模拟考试：按大纲比例随机组卷，自动判分",
    u"试卷查阅：回顾每一份试卷的答案与解析",
    u"学习记录：每日统计，学习计划与倒计时",
    u"",
    u"点击“继续考试”返回试卷",
};

} // namespace

PauseCover::PauseCover(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("examPauseCover"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x24, 0x3b, 0x55));
    setPalette(palette);
    m_scroll = new QTimer(this);
    m_scroll->setInterval(60);
    connect(m_scroll, &QTimer::timeout, this, [this] {
        ++m_offset;
        update();
    });
    hide();
}

void PauseCover::unroll()
{
    QWidget *area = parentWidget();
    const QRect full = area ? area->rect().adjusted(1, 1, -1, -1) : rect();
    m_offset = 0;
    raise();
    show();
    // Unrolls downwards in steps of 15 pixels, each one painted.
    for (int height = 15; height < full.height(); height += 15) {
        setGeometry(full.x(), full.y(), full.width(), height);
        repaint();
    }
    setGeometry(full);
    m_scroll->start();
}

void PauseCover::rollUp()
{
    m_scroll->stop();
    for (int height = this->height() - 15; height > 0; height -= 15) {
        resize(width(), height);
        repaint();
    }
    hide();
}

void PauseCover::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QColor(0xe8, 0xee, 0xf5));
    QFont big = font();
    big.setPixelSize(16);
    painter.setFont(big);
    const int lineHeight = 30;
    const int count = int(std::size(CoverLines));
    const int span = height() + count * lineHeight;
    const int top = height() - (m_offset % span);
    for (int i = 0; i < count; ++i)
        painter.drawText(QRect(0, top + i * lineHeight, width(), lineHeight), Qt::AlignCenter,
                         QString::fromUtf16(CoverLines[i]));
}

// ---- ExamAnswerPanel ------------------------------------------------------------------------

namespace {

constexpr int OptionPages[] = {0, 1, 5};

QToolButton *makeChoice(const QString &caption, const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumSize(30, 26);
    return button;
}

} // namespace

ExamAnswerPanel::ExamAnswerPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("examAnswerPanel"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("examAnswerPages"));
    layout->addWidget(m_pages);

    for (int page = 0; page < AnswerPageCount; ++page) {
        auto *widget = new QWidget(m_pages);
        auto *row = new QHBoxLayout(widget);
        row->setContentsMargins(2, 2, 2, 2);
        auto *side = new QLabel(sideLabel(page), widget);
        side->setObjectName(QStringLiteral("examAnswerSide%1").arg(page));
        side->setAlignment(Qt::AlignCenter);
        row->addWidget(side);
        const auto *slot = std::find(std::begin(OptionPages), std::end(OptionPages), page);
        if (slot != std::end(OptionPages)) {
            const int group = int(slot - std::begin(OptionPages));
            for (int i = 0; i < OptionButtonCount; ++i) {
                QToolButton *option = makeChoice(optionLetter(i), QStringLiteral("examOption%1_%2").arg(page).arg(optionLetter(i)), widget);
                m_options[group][i] = option;
                row->addWidget(option);
                connect(option, &QToolButton::clicked, this, [this, i] { pressOption(i); });
            }
        } else if (page == int(AnswerKind::FillIn)) {
            m_fillIn = new QLineEdit(widget);
            m_fillIn->setObjectName(QStringLiteral("examFillIn"));
            row->addWidget(m_fillIn, 1);
            connect(m_fillIn, &QLineEdit::textEdited, this, [this](const QString &text) { m_state.fillText = text; });
        } else if (page == int(AnswerKind::TrueFalse)) {
            for (int i = 0; i < 2; ++i) {
                m_trueFalse[i] = makeChoice(trueFalseCaption(i), QStringLiteral("examTrueFalse%1").arg(i), widget);
                row->addWidget(m_trueFalse[i]);
                connect(m_trueFalse[i], &QToolButton::clicked, this, [this, i] {
                    m_state.trueFalse = i;
                    syncWidgets();
                });
            }
        } else {
            m_selfAssessed = new QComboBox(widget);
            m_selfAssessed->setObjectName(QStringLiteral("examSelfAssessed"));
            m_selfAssessed->addItems(selfAssessedItems());
            m_selfAssessed->setCurrentIndex(-1);
            row->addWidget(m_selfAssessed, 1);
            connect(m_selfAssessed, &QComboBox::currentIndexChanged, this, [this](int index) {
                if (!m_syncing)
                    m_state.selfAssessed = index;
            });
        }
        row->addStretch();
        m_pages->addWidget(widget);
    }
    syncWidgets();
}

void ExamAnswerPanel::showPageForType(int typeId)
{
    vorlane::showPageForType(m_state, typeId);
    syncWidgets();
}

QString ExamAnswerPanel::readAnswer() const { return vorlane::readAnswer(m_state); }

void ExamAnswerPanel::restoreAnswer(const QString &answer, int optionCount)
{
    m_state.optionCount = optionCount;
    vorlane::restoreAnswer(m_state, answer);
    syncWidgets();
}

void ExamAnswerPanel::pressOption(int index)
{
    vorlane::pressOption(m_state, index);
    syncWidgets();
}

void ExamAnswerPanel::syncWidgets()
{
    m_syncing = true;
    m_pages->setCurrentIndex(m_state.page);
    for (int group = 0; group < 3; ++group) {
        const auto *pressed = m_state.optionsOfPage(OptionPages[group]);
        for (int i = 0; i < OptionButtonCount; ++i) {
            m_options[group][i]->setVisible(m_state.isOptionShown(i));
            m_options[group][i]->setChecked(pressed && (*pressed)[i]);
        }
    }
    if (m_fillIn->text() != m_state.fillText)
        m_fillIn->setText(m_state.fillText);
    for (int i = 0; i < 2; ++i)
        m_trueFalse[i]->setChecked(m_state.trueFalse == i);
    m_selfAssessed->setCurrentIndex(m_state.selfAssessed);
    setToolTip(hoverHintForPage(m_state.page));
    m_syncing = false;
}

// ---- Dialogs --------------------------------------------------------------------------------

ExamTextDialog::ExamTextDialog(const QString &caption, const QString &html, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("examTextDialog"));
    setWindowTitle(caption);
    resize(560, 400);
    auto *view = new QTextBrowser(this);
    view->setObjectName(QStringLiteral("examTextView"));
    view->setHtml(html);
    auto *close = new QPushButton(tr("关闭"), this);
    close->setObjectName(QStringLiteral("examTextClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view, 1);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}

ExamNoteDialog::ExamNoteDialog(const QString &note, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("examNoteDialog"));
    setWindowTitle(tr("笔记"));
    resize(480, 320);
    m_text = new QPlainTextEdit(note, this);
    m_text->setObjectName(QStringLiteral("examNoteText"));
    auto *close = new QPushButton(tr("关  闭"), this);
    close->setObjectName(QStringLiteral("examNoteClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(close, 0, Qt::AlignHCenter);
}

QString ExamNoteDialog::note() const { return m_text->toPlainText(); }

} // namespace vorlane::ui
