#pragma once

#include "core/authoring/QuestionAuthoring.h"
#include "ui/authoring/QuestionForm.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vorlane::ui {

class RichTextEditor;

// "试题录入": new questions of one chapter, one after another. Each save is checked and written
// with every count by core; the form empties for the next question. savedCount() tells the
// catalogue how many were added.
class QuestionEntryWindow : public QDialog
{
    Q_OBJECT

public:
    QuestionEntryWindow(UiContext &context, const QString &chapterCode, const QString &chapterName,
        QWidget *parent = nullptr);

    int savedCount() const { return m_savedCount; }
    QString chapterCode() const { return m_chapterCode; }
    QuestionForm &form() { return *m_form; }
    RichTextEditor *bodyEditor() const { return m_body; }
    RichTextEditor *explanationEditor() const { return m_explanation; }
    QString title() const;

    // The commands of the buttons, also for tests.
    bool save();
    void clearForm();
    void showUsage();

private:
    void buildControls();
    void applyLayout();
    QPushButton *button(const QString &name, const QString &caption);

    UiContext &m_context;
    QuestionAuthoring m_authoring;
    QString m_chapterCode;
    QString m_chapterName;
    int m_savedCount = 0;
    QuestionForm *m_form = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_bodyLabel = nullptr;
    QLabel *m_explanationLabel = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_keyLabel = nullptr;
    QLabel *m_typeLabel = nullptr;
    RichTextEditor *m_body = nullptr;
    RichTextEditor *m_explanation = nullptr;
    QPushButton *m_settings = nullptr;
    QPushButton *m_help = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace vorlane::ui
