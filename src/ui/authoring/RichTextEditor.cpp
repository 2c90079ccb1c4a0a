#include "ui/authoring/RichTextEditor.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlane::ui {

RichTextEditor::RichTextEditor(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    m_bar = new QWidget(this);
    auto *bar = new QHBoxLayout(m_bar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    m_edit = new QTextEdit(this);
    m_edit->setObjectName(name + QStringLiteral("Text"));
    m_edit->setAcceptRichText(true);
    m_edit->setTabChangesFocus(true);

    QToolButton *bold = addButton(QStringLiteral("bold"), tr("B"), tr("粗体"));
    QFont boldFont = bold->font();
    boldFont.setBold(true);
    bold->setFont(boldFont);
    connect(bold, &QToolButton::clicked, this,
        [this](bool on) { m_edit->setFontWeight(on ? QFont::Bold : QFont::Normal); });
    QToolButton *italic = addButton(QStringLiteral("italic"), tr("I"), tr("斜体"));
    connect(italic, &QToolButton::clicked, this, [this](bool on) { m_edit->setFontItalic(on); });
    QToolButton *underline = addButton(QStringLiteral("underline"), tr("U"), tr("下划线"));
    connect(underline, &QToolButton::clicked, this, [this](bool on) { m_edit->setFontUnderline(on); });
    QToolButton *colour = addButton(QStringLiteral("colour"), tr("颜色"), tr("文字颜色"));
    colour->setCheckable(false);
    connect(colour, &QToolButton::clicked, this, &RichTextEditor::chooseColour);
    QToolButton *bullets = addButton(QStringLiteral("bullets"), tr("• 列表"), tr("项目符号列表"));
    bullets->setCheckable(false);
    connect(bullets, &QToolButton::clicked, this, [this] { toggleList(QTextListFormat::ListDisc); });
    QToolButton *numbers = addButton(QStringLiteral("numbers"), tr("1. 列表"), tr("编号列表"));
    numbers->setCheckable(false);
    connect(numbers, &QToolButton::clicked, this, [this] { toggleList(QTextListFormat::ListDecimal); });
    bar->addStretch();

    // The buttons follow the text under the cursor.
    connect(m_edit, &QTextEdit::currentCharFormatChanged, this,
        [bold, italic, underline](const QTextCharFormat &f) {
            bold->setChecked(f.fontWeight() >= QFont::Bold);
            italic->setChecked(f.fontItalic());
            underline->setChecked(f.fontUnderline());
        });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_bar);
    layout->addWidget(m_edit, 1);
}

QToolButton *RichTextEditor::addButton(const QString &format, const QString &text, const QString &tip)
{
    auto *button = new QToolButton(m_bar);
    button->setObjectName(objectName() + u'_' + format);
    button->setText(text);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_bar->layout()->addWidget(button);
    return button;
}

QToolButton *RichTextEditor::formatButton(const QString &format) const
{
    return m_bar->findChild<QToolButton *>(objectName() + u'_' + format);
}

void RichTextEditor::toggleList(int style)
{
    QTextCursor cursor = m_edit->textCursor();
    if (QTextList *list = cursor.currentList(); list && list->format().style() == style) {
        // Pressed again: the paragraph leaves the list.
        QTextBlockFormat block = cursor.blockFormat();
        list->remove(cursor.block());
        block.setIndent(0);
        cursor.setBlockFormat(block);
        return;
    }
    cursor.createList(QTextListFormat::Style(style));
}

void RichTextEditor::chooseColour()
{
    const QColor colour = QColorDialog::getColor(m_edit->textColor(), this, tr("文字颜色"));
    if (colour.isValid())
        m_edit->setTextColor(colour);
}

QString RichTextEditor::html() const
{
    return m_edit->toHtml();
}

void RichTextEditor::setHtml(const QString &html)
{
    m_edit->setHtml(html);
}

QString RichTextEditor::plainText() const
{
    return m_edit->toPlainText();
}

void RichTextEditor::clear()
{
    m_edit->clear();
}

} // namespace vorlane::ui
