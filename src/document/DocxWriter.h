#pragma once

#include "core/Status.h"
#include "core/exam/PaperDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QXmlStreamWriter>

#include <memory>

class QTextBlock;
class QTextCharFormat;
class QTextDocument;
class QTextFrame;
class QTextTable;

namespace vorlane::document {

class DocxPackage;

// How a run of text looks. Every run carries its East Asian font and language, so Chinese text
// keeps its font, weight and size in every word processor.
struct RunStyle
{
    QString font; // empty: the document's default fonts
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double pointSize = 0; // 0: the document's default size
    QString color; // "RRGGBB", empty for automatic
    int verticalAlign = 0; // 0 normal, 1 superscript, -1 subscript
};

// Writes a WordprocessingML document (.docx): paragraphs of styled runs, simple tables, images
// and page breaks, with the rich text of the bank read through QTextDocument.
class DocxWriter
{
public:
    // Images named by a relative path are looked up under resourceDir (the program's folder).
    explicit DocxWriter(QString resourceDir = {});
    ~DocxWriter();
    DocxWriter(const DocxWriter &) = delete;
    DocxWriter &operator=(const DocxWriter &) = delete;

    void setTitle(const QString &title) { m_title = title; }

    void addBlocks(const QList<exam::DocumentBlock> &blocks);
    void addParagraph(
        const QString &text, const RunStyle &style = {}, Qt::Alignment alignment = Qt::AlignLeft);
    // The HTML's paragraphs, tables and images; `prefix` is put in front of its first paragraph.
    void addHtml(const QString &html, const QString &prefix = {});
    void addPageBreak();

    // The main part as it stands, for checking.
    QByteArray documentXml() const;
    // Writes the package; on failure nothing is left under the path.
    Status save(const QString &path) const;

private:
    void startParagraph(Qt::Alignment alignment, int indentLevel = 0);
    void endParagraph();
    void writeRun(const QString &text, const RunStyle &style);
    void writeImage(const QByteArray &png, int widthPx, int heightPx);

    void writeFrame(QTextFrame *frame, const QTextDocument &doc);
    void writeBlock(const QTextBlock &block, const QTextDocument &doc);
    void writeTable(QTextTable *table, const QTextDocument &doc);
    void writeImageFragment(const QString &source, double width, double height, const QTextDocument &doc);
    QByteArray loadImage(const QString &source, const QTextDocument &doc, QSize *size) const;

    QString m_resourceDir;
    QString m_title;
    QByteArray m_body;
    std::unique_ptr<QXmlStreamWriter> m_xml;
    QString m_pendingPrefix;
    QList<QByteArray> m_images; // PNG data, word/media/imageN.png for N = index + 1
    int m_drawingId = 0;
};

// Writes the blocks of a paper as a .docx file.
Status writePaperDocument(const QList<exam::DocumentBlock> &blocks, const QString &title, const QString &path,
    const QString &resourceDir = {});

} // namespace vorlane::document
