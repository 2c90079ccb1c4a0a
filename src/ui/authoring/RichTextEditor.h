#pragma once

#include <QWidget>

class QTextEdit;
class QToolButton;

namespace vorlane::ui {

// A rich-text box with the few formats a question needs: bold, italic, underline, colour and
// lists. Pasting from another program keeps what its HTML holds.
class RichTextEditor : public QWidget
{
    Q_OBJECT

public:
    explicit RichTextEditor(const QString &name, QWidget *parent = nullptr);

    QString html() const;
    void setHtml(const QString &html);
    QString plainText() const;
    void clear();
    QTextEdit *textEdit() const { return m_edit; }

    // The format buttons, for tests: "bold", "italic", "underline", "colour", "bullets", "numbers".
    QToolButton *formatButton(const QString &format) const;

private:
    QToolButton *addButton(const QString &format, const QString &text, const QString &tip);
    void toggleList(int style);
    void chooseColour();

    QTextEdit *m_edit = nullptr;
    QWidget *m_bar = nullptr;
};

} // namespace vorlane::ui
