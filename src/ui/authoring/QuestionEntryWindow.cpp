#include "ui/authoring/QuestionEntryWindow.h"

#include "core/AppState.h"
#include "core/authoring/UserQuestionId.h"
#include "ui/authoring/ExamPointPickerWindow.h"
#include "ui/authoring/RichTextEditor.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/ShellCommands.h"
#include "ui/shell/UiContext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

namespace vorlane::ui {

QuestionEntryWindow::QuestionEntryWindow(
    UiContext &context, const QString &chapterCode, const QString &chapterName, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_authoring(context.db, context.state.examSubject)
    , m_chapterCode(chapterCode)
    , m_chapterName(chapterName)
{
    setObjectName(QStringLiteral("questionEntryWindow"));
    setWindowTitle(tr("试题录入"));
    buildControls();
    m_form->loadTypes();
    applyLayout();
}

QString QuestionEntryWindow::title() const
{
    return m_title->text();
}

QPushButton *QuestionEntryWindow::button(const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void QuestionEntryWindow::buildControls()
{
    m_title = new QLabel(tr("试题录入 [") + m_chapterName + u']', this);
    m_title->setObjectName(QStringLiteral("entryTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 3);
    m_title->setFont(titleFont);
    m_bodyLabel = new QLabel(tr("试题内容："), this);
    m_explanationLabel = new QLabel(tr("试题解析："), this);
    m_body = new RichTextEditor(QStringLiteral("bodyEditor"), this);
    m_explanation = new RichTextEditor(QStringLiteral("explanationEditor"), this);
    m_form = new QuestionForm(m_context, m_authoring, QuestionForm::Kind::Entry, this);
    m_countLabel = new QLabel(tr("待选答案个数："), this);
    m_keyLabel = new QLabel(tr("试题答案："), this);
    m_typeLabel = new QLabel(tr("题    型："), this);

    m_settings = button(QStringLiteral("settingsButton"), tr("设置"));
    m_help = button(QStringLiteral("helpButton"), tr("使用说明"));
    m_clear = button(QStringLiteral("clearButton"), tr("清除"));
    m_save = button(QStringLiteral("saveButton"), tr("保存"));
    m_close = button(QStringLiteral("closeButton"), tr("关闭"));
    connect(m_settings, &QPushButton::clicked, this, [this] { openSystemSettings(m_context, this); });
    connect(m_help, &QPushButton::clicked, this, &QuestionEntryWindow::showUsage);
    connect(m_clear, &QPushButton::clicked, this, &QuestionEntryWindow::clearForm);
    connect(m_save, &QPushButton::clicked, this, &QuestionEntryWindow::save);
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_form->unlock();
        accept();
    });
}

void QuestionEntryWindow::applyLayout()
{
    const bool compact = m_context.state.compactLayout();
    const auto place = [](QWidget *widget, int x, int y, int w, int h) { widget->setGeometry(x, y, w, h); };
    if (compact) {
        setFixedSize(760, 520);
        place(m_title, 20, 8, 560, 28);
        place(m_bodyLabel, 20, 40, 120, 20);
        place(m_body, 20, 60, 450, 190);
        place(m_explanationLabel, 20, 258, 120, 20);
        place(m_explanation, 20, 278, 450, 190);
        place(m_countLabel, 490, 62, 110, 22);
        place(m_form->optionCount(), 600, 60, 60, 24);
        place(m_keyLabel, 490, 92, 90, 22);
        place(m_form->key(), 580, 90, 160, 24);
        place(m_typeLabel, 490, 122, 90, 22);
        place(m_form->type(), 580, 120, 160, 24);
        // The exam points go under the type box on the small screen.
        place(m_form->examPointLabel(), 490, 179, 90, 22);
        place(m_form->addButton(), 580, 174, 90, 26);
        place(m_form->examPointList(), 490, 205, 250, 200);
        const int y = 478;
        int x = 290;
        for (QPushButton *b : { m_settings, m_help, m_clear, m_save, m_close }) {
            place(b, x, y, 84, 30);
            x += 92;
        }
        return;
    }
    setFixedSize(931, 611);
    place(m_title, 59, 16, 700, 30);
    place(m_bodyLabel, 59, 56, 120, 22);
    place(m_body, 59, 80, 566, 225);
    place(m_explanationLabel, 59, 316, 120, 22);
    place(m_explanation, 59, 341, 566, 225);
    place(m_countLabel, 702, 146, 94, 22);
    place(m_form->optionCount(), 796, 144, 70, 24);
    place(m_keyLabel, 702, 172, 73, 22);
    place(m_form->key(), 775, 170, 130, 24);
    place(m_typeLabel, 702, 196, 73, 22);
    place(m_form->type(), 775, 194, 130, 24);
    place(m_form->examPointLabel(), 702, 222, 73, 22);
    place(m_form->addButton(), 775, 217, 90, 26);
    place(m_form->examPointList(), 703, 246, 202, 260);
    const int y = 574;
    int x = 470;
    for (QPushButton *b : { m_settings, m_help, m_clear, m_save, m_close }) {
        place(b, x, y, 84, 30);
        x += 92;
    }
}

void QuestionEntryWindow::showUsage()
{
    ExamPointPickerWindow usage(m_context, ExamPointPickerWindow::UsagePage, {}, this);
    m_context.modal.run(usage);
}

void QuestionEntryWindow::clearForm()
{
    m_body->clear();
    m_explanation->clear();
    m_form->clear();
}

bool QuestionEntryWindow::save()
{
    m_form->unlock();
    const auto draft = m_form->draft();
    auto refuse = [this](const QString &message, QWidget *focus, int icon) {
        m_context.prompt.ask(tr("提示"), message, PromptDialog::Single, icon);
        if (focus)
            focus->setFocus();
        // A self-assessed type stays locked while it is chosen.
        m_form->relock();
        return false;
    };
    if (!draft)
        return refuse(draft.reason(), m_form->type(), PromptDialog::Information);
    QuestionDraft question = *draft;
    question.bodyHtml = m_body->html();
    question.explanationHtml = m_explanation->html();
    const auto saved = m_authoring.saveNew(m_chapterCode, question);
    if (!saved) {
        const QString &reason = saved.reason();
        QWidget *focus = nullptr;
        if (reason == tr("请填写试题内容！"))
            focus = m_body->textEdit();
        else if (reason == tr("请填写试题答案！") || reason.contains(tr("答案")))
            focus = m_form->key();
        else if (reason == tr("请选择题型！"))
            focus = m_form->type();
        return refuse(reason, focus,
            reason == userSequenceLimitMessage() ? PromptDialog::Warning : PromptDialog::Information);
    }
    clearForm();
    ++m_savedCount;
    return true;
}

} // namespace vorlane::ui
