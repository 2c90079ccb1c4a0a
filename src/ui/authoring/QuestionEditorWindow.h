#pragma once

#include "core/authoring/QuestionAuthoring.h"
#include "ui/authoring/QuestionForm.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorlane::ui {

class RichTextEditor;

// "试题修改": changes one question (body, shared stem of a case question, explanation, option
// count, key, type, exam points). "保存" writes everything in one transaction through core and
// closes; "取消" closes and discards every change.
class QuestionEditorWindow : public QDialog
{
    Q_OBJECT

public:
    QuestionEditorWindow(UiContext &context, const QString &questionId, QWidget *parent = nullptr);

    // False when the question could not be read (the message was shown).
    bool loaded() const { return m_loaded; }
    bool saved() const { return m_saved; }
    QuestionForm &form() { return *m_form; }
    RichTextEditor *stemEditor() const { return m_stem; }
    RichTextEditor *bodyEditor() const { return m_body; }
    RichTextEditor *explanationEditor() const { return m_explanation; }

    bool save();
    void showUsage();

private:
    void buildControls();
    void applyLayout();

    UiContext &m_context;
    QuestionAuthoring m_authoring;
    EditableQuestion m_question;
    bool m_loaded = false;
    bool m_saved = false;
    QuestionForm *m_form = nullptr;
    QLabel *m_stemLabel = nullptr;
    QLabel *m_bodyLabel = nullptr;
    QLabel *m_explanationLabel = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_keyLabel = nullptr;
    QLabel *m_typeLabel = nullptr;
    RichTextEditor *m_stem = nullptr;
    RichTextEditor *m_body = nullptr;
    RichTextEditor *m_explanation = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_help = nullptr;
};

} // namespace vorlane::ui
