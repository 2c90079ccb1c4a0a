#include "ui/authoring/QuestionEditorWindow.h"

#include "core/AppState.h"
#include "ui/authoring/ExamPointPickerWindow.h"
#include "ui/authoring/RichTextEditor.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextEdit>

namespace vorlane::ui {

QuestionEditorWindow::QuestionEditorWindow(UiContext &context, const QString &questionId, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_authoring(context.db, context.state.examSubject)
{
    setObjectName(QStringLiteral("questionEditorWindow"));
    setWindowTitle(tr("试题修改"));
    buildControls();
    // The window edits copies: nothing reaches the bank before "保存", so "取消" discards all.
    const auto question = m_authoring.load(questionId);
    if (!question) {
        m_context.prompt.ask(tr("错误"), question.reason(), PromptDialog::Single, PromptDialog::Error);
    } else if (m_form->loadTypes()) {
        m_question = *question;
        m_loaded = true;
        m_stem->setHtml(m_question.draft.stemHtml);
        m_body->setHtml(m_question.draft.bodyHtml);
        m_explanation->setHtml(m_question.draft.explanationHtml);
        m_form->optionCount()->setValue(qBound(MinOptionCount, m_question.draft.optionCount, MaxOptionCount));
        m_form->key()->setText(m_question.draft.key);
        m_form->showType(m_question.draft.typeId, true);
        m_form->setExamPoints(m_question.examPoints);
    }
    applyLayout();
}

void QuestionEditorWindow::buildControls()
{
    m_stemLabel = new QLabel(tr("题目"), this);
    m_stem = new RichTextEditor(QStringLiteral("stemEditor"), this);
    m_bodyLabel = new QLabel(tr("试题内容："), this);
    m_body = new RichTextEditor(QStringLiteral("bodyEditor"), this);
    m_explanationLabel = new QLabel(tr("试题解析："), this);
    m_explanation = new RichTextEditor(QStringLiteral("explanationEditor"), this);
    m_form = new QuestionForm(m_context, m_authoring, QuestionForm::Kind::Editor, this);
    m_countLabel = new QLabel(tr("备选个数："), this);
    m_keyLabel = new QLabel(tr("答　　案："), this);
    m_typeLabel = new QLabel(tr("题　　型："), this);
    m_save = new QPushButton(tr("保存"), this);
    m_save->setObjectName(QStringLiteral("saveButton"));
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_help = new QPushButton(tr("使用说明"), this);
    m_help->setObjectName(QStringLiteral("helpButton"));
    for (QPushButton *b : { m_save, m_cancel, m_help })
        b->setAutoDefault(false);
    connect(m_save, &QPushButton::clicked, this, &QuestionEditorWindow::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_help, &QPushButton::clicked, this, &QuestionEditorWindow::showUsage);
}

void QuestionEditorWindow::applyLayout()
{
    const bool compact = m_context.state.compactLayout();
    const bool stem = m_question.hasStem();
    m_stem->setVisible(stem);
    m_stemLabel->setVisible(stem);
    const auto place = [](QWidget *widget, int x, int y, int w, int h) { widget->setGeometry(x, y, w, h); };
    const int editorWidth = compact ? 445 : 560;
    const int stemHeight = compact ? 115 : 150;
    const int bodyHeight = compact ? 115 : 150;
    const int explanationHeight = compact ? 155 : 200;
    setFixedSize(compact ? 780 : 920, compact ? 490 : 600);
    int y = 10;
    if (stem) {
        place(m_stemLabel, 15, y, 120, 20);
        place(m_stem, 15, y + 20, editorWidth, stemHeight);
        y += stemHeight + 26;
    }
    place(m_bodyLabel, 15, y, 120, 20);
    // Without a stem the body takes its place and its height.
    const int body = stem ? bodyHeight : bodyHeight + stemHeight + 26;
    place(m_body, 15, y + 20, editorWidth, body);
    y += body + 26;
    place(m_explanationLabel, 15, y, 120, 20);
    place(m_explanation, 15, y + 20, editorWidth, explanationHeight);

    const int x = editorWidth + 35;
    const int field = x + 90;
    const int fieldWidth = (compact ? 780 : 920) - field - 20;
    place(m_countLabel, x, 57, 90, 22);
    place(m_form->optionCount(), field, 55, 70, 24);
    place(m_keyLabel, x, 99, 90, 22);
    place(m_form->key(), field, 97, fieldWidth, 24);
    place(m_typeLabel, x, 137, 90, 22);
    place(m_form->type(), field, 135, fieldWidth, 24);
    place(m_form->examPointLabel(), x, 180, 90, 22);
    place(m_form->addButton(), field, 176, 90, 26);
    place(m_form->examPointList(), x, 210, fieldWidth + 90, compact ? 190 : 280);
    const int buttons = compact ? 428 : 540;
    place(m_save, x, buttons, 80, 30);
    place(m_cancel, x + 88, buttons, 80, 30);
    place(m_help, x + 176, buttons, 80, 30);
}

void QuestionEditorWindow::showUsage()
{
    ExamPointPickerWindow usage(m_context, ExamPointPickerWindow::UsagePage, {}, this);
    m_context.modal.run(usage);
}

bool QuestionEditorWindow::save()
{
    if (!m_loaded)
        return false;
    const auto refuse = [this](const QString &message, QWidget *focus) {
        m_context.prompt.ask(tr("提示"), message, PromptDialog::Single, PromptDialog::Information);
        if (focus)
            focus->setFocus();
        return false;
    };
    const auto draft = m_form->draft();
    if (!draft)
        return refuse(draft.reason(), m_form->type());
    QuestionDraft question = *draft;
    question.bodyHtml = m_body->html();
    question.explanationHtml = m_explanation->html();
    if (m_question.hasStem())
        question.stemHtml = m_stem->html();
    if (const Status saved = m_authoring.saveEdit(m_question.id, question); !saved)
        return refuse(saved.reason(), nullptr);
    m_saved = true;
    accept();
    return true;
}

} // namespace vorlane::ui
