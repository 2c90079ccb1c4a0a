// How the rich text of the bank (HTML) becomes WordprocessingML: QTextDocument parses it, and
// its frames, blocks, tables and fragments are walked into paragraphs and runs.
#include "document/DocxWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace vorlane::document {

namespace {

constexpr char W[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";

constexpr QChar IdeographicSpace(0x3000);
constexpr QChar StandInForIdeographicSpace(0xE000); // private use: never in the bank's text

// The widest an image may be: the text width of an A4 page with the document's margins.
constexpr int MaxImageWidthPx = 554;

// <h1>…<h6>, <big>, <small> and <font size> come as a size step from the normal size.
double pointSizeForAdjustment(int adjustment)
{
    switch (adjustment) {
    case -2:
        return 7.5;
    case -1:
        return 9;
    case 1:
        return 14; // 四号
    case 2:
        return 16; // 三号
    case 3:
        return 22; // 二号
    default:
        return adjustment > 3 ? 26 : 0;
    }
}

RunStyle runStyleOf(const QTextCharFormat &format)
{
    RunStyle style;
    // Only what the HTML states: the default font of the program's screen is not the document's.
    if (format.hasProperty(QTextFormat::FontFamilies)) {
        const QStringList families = format.fontFamilies().toStringList();
        if (!families.isEmpty())
            style.font = families.first();
    }
    if (format.hasProperty(QTextFormat::FontWeight))
        style.bold = format.fontWeight() >= QFont::DemiBold;
    style.italic = format.fontItalic();
    style.underline = format.fontUnderline() || format.underlineStyle() != QTextCharFormat::NoUnderline;
    if (format.hasProperty(QTextFormat::FontPointSize))
        style.pointSize = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize))
        style.pointSize = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    else if (format.hasProperty(QTextFormat::FontSizeAdjustment))
        style.pointSize = pointSizeForAdjustment(format.intProperty(QTextFormat::FontSizeAdjustment));
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
        style.color = format.foreground().color().name().mid(1).toUpper();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        style.verticalAlign = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        style.verticalAlign = -1;
    return style;
}

} // namespace

void DocxWriter::addHtml(const QString &html, const QString &prefix)
{
    QTextDocument doc;
    // QTextDocument folds every space character as HTML folds blanks, the ideographic space too;
    // "（　　）", the blank a question leaves for its answer, would shrink to "（）". It passes the
    // parser in disguise and is restored when its run is written.
    QString protectedHtml = html;
    protectedHtml.replace(IdeographicSpace, StandInForIdeographicSpace);
    doc.setHtml(protectedHtml);
    m_pendingPrefix = prefix;
    writeFrame(doc.rootFrame(), doc);
    // Rich text that held no paragraph of its own (say a lone table) still shows its number.
    if (!m_pendingPrefix.isEmpty())
        addParagraph(std::exchange(m_pendingPrefix, QString()));
}

void DocxWriter::writeFrame(QTextFrame *frame, const QTextDocument &doc)
{
    for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(child))
                writeTable(table, doc);
            else
                writeFrame(child, doc);
        } else if (it.currentBlock().isValid()) {
            writeBlock(it.currentBlock(), doc);
        }
    }
}

void DocxWriter::writeBlock(const QTextBlock &block, const QTextDocument &doc)
{
    int indent = block.blockFormat().indent();
    QString listMarker;
    if (QTextList *list = block.textList()) {
        listMarker = list->itemText(block);
        if (listMarker.isEmpty())
            listMarker = QStringLiteral("•");
        listMarker += QLatin1Char(' ');
        indent = qMax(indent, list->format().indent());
    }
    startParagraph(block.blockFormat().alignment(), indent);
    if (!m_pendingPrefix.isEmpty())
        writeRun(std::exchange(m_pendingPrefix, QString()), runStyleOf(block.charFormat()));
    if (!listMarker.isEmpty())
        writeRun(listMarker, runStyleOf(block.charFormat()));
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        if (format.isImageFormat()) {
            const QTextImageFormat image = format.toImageFormat();
            // One fragment holds as many placeholders as there are consecutive equal images.
            for (qsizetype i = 0; i < fragment.length(); ++i)
                writeImageFragment(image.name(), image.width(), image.height(), doc);
            continue;
        }
        writeRun(fragment.text().replace(StandInForIdeographicSpace, IdeographicSpace), runStyleOf(format));
    }
    endParagraph();
}

void DocxWriter::writeTable(QTextTable *table, const QTextDocument &doc)
{
    // A table cannot carry a paragraph's prefix: it goes on a paragraph of its own first.
    if (!m_pendingPrefix.isEmpty())
        addParagraph(std::exchange(m_pendingPrefix, QString()));

    const QString ns = QString::fromLatin1(W);
    const int rows = table->rows();
    const int columns = table->columns();
    if (rows == 0 || columns == 0)
        return;
    const int textWidth = 8306; // twips between the margins of the page
    const int columnWidth = textWidth / columns;
    const bool bordered = table->format().border() > 0;

    QXmlStreamWriter &x = *m_xml;
    x.writeStartElement(ns, QStringLiteral("tbl"));
    x.writeStartElement(ns, QStringLiteral("tblPr"));
    x.writeEmptyElement(ns, QStringLiteral("tblW"));
    x.writeAttribute(ns, QStringLiteral("w"), QString::number(columnWidth * columns));
    x.writeAttribute(ns, QStringLiteral("type"), QStringLiteral("dxa"));
    if (bordered) {
        x.writeStartElement(ns, QStringLiteral("tblBorders"));
        for (const char *side : { "top", "left", "bottom", "right", "insideH", "insideV" }) {
            x.writeEmptyElement(ns, QString::fromLatin1(side));
            x.writeAttribute(ns, QStringLiteral("val"), QStringLiteral("single"));
            x.writeAttribute(ns, QStringLiteral("sz"), QStringLiteral("4"));
            x.writeAttribute(ns, QStringLiteral("space"), QStringLiteral("0"));
            x.writeAttribute(ns, QStringLiteral("color"), QStringLiteral("000000"));
        }
        x.writeEndElement(); // tblBorders
    }
    x.writeEmptyElement(ns, QStringLiteral("tblLayout"));
    x.writeAttribute(ns, QStringLiteral("type"), QStringLiteral("fixed"));
    x.writeEndElement(); // tblPr
    x.writeStartElement(ns, QStringLiteral("tblGrid"));
    for (int c = 0; c < columns; ++c) {
        x.writeEmptyElement(ns, QStringLiteral("gridCol"));
        x.writeAttribute(ns, QStringLiteral("w"), QString::number(columnWidth));
    }
    x.writeEndElement(); // tblGrid

    for (int r = 0; r < rows; ++r) {
        x.writeStartElement(ns, QStringLiteral("tr"));
        for (int c = 0; c < columns;) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = qMax(1, cell.columnSpan());
            // A cell that starts in a row above is the continuation of a vertical merge.
            const bool continued = cell.row() < r;
            x.writeStartElement(ns, QStringLiteral("tc"));
            x.writeStartElement(ns, QStringLiteral("tcPr"));
            x.writeEmptyElement(ns, QStringLiteral("tcW"));
            x.writeAttribute(ns, QStringLiteral("w"), QString::number(columnWidth * span));
            x.writeAttribute(ns, QStringLiteral("type"), QStringLiteral("dxa"));
            if (span > 1) {
                x.writeEmptyElement(ns, QStringLiteral("gridSpan"));
                x.writeAttribute(ns, QStringLiteral("val"), QString::number(span));
            }
            if (continued) {
                x.writeEmptyElement(ns, QStringLiteral("vMerge"));
            } else if (cell.rowSpan() > 1) {
                x.writeEmptyElement(ns, QStringLiteral("vMerge"));
                x.writeAttribute(ns, QStringLiteral("val"), QStringLiteral("restart"));
            }
            x.writeEndElement(); // tcPr
            // Every cell must end with a paragraph, also one that holds only a table.
            bool endsWithParagraph = false;
            if (!continued) {
                for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                    if (QTextFrame *child = it.currentFrame()) {
                        if (auto *inner = qobject_cast<QTextTable *>(child))
                            writeTable(inner, doc);
                        else
                            writeFrame(child, doc);
                        endsWithParagraph = false;
                    } else if (it.currentBlock().isValid()) {
                        writeBlock(it.currentBlock(), doc);
                        endsWithParagraph = true;
                    }
                }
            }
            if (!endsWithParagraph)
                addParagraph(QString());
            x.writeEndElement(); // tc
            c += span;
        }
        x.writeEndElement(); // tr
    }
    x.writeEndElement(); // tbl
}

void DocxWriter::writeImageFragment(
    const QString &source, double width, double height, const QTextDocument &doc)
{
    QSize natural;
    const QByteArray png = loadImage(source, doc, &natural);
    if (png.isEmpty() || natural.isEmpty())
        return; // an image that cannot be had is left out rather than failing the document
    double w = width > 0 ? width : 0;
    double h = height > 0 ? height : 0;
    if (w <= 0 && h <= 0) {
        w = natural.width();
        h = natural.height();
    } else if (w <= 0) {
        w = h * natural.width() / natural.height();
    } else if (h <= 0) {
        h = w * natural.height() / natural.width();
    }
    if (w > MaxImageWidthPx) {
        h = h * MaxImageWidthPx / w;
        w = MaxImageWidthPx;
    }
    writeImage(png, qMax(1, qRound(w)), qMax(1, qRound(h)));
}

QByteArray DocxWriter::loadImage(const QString &source, const QTextDocument &doc, QSize *size) const
{
    QImage image;
    if (source.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        // data:image/png;base64,…
        const qsizetype comma = source.indexOf(QLatin1Char(','));
        if (comma > 0 && source.left(comma).endsWith(QLatin1String(";base64"), Qt::CaseInsensitive))
            image.loadFromData(QByteArray::fromBase64(source.mid(comma + 1).toLatin1()));
    } else {
        const QVariant held = doc.resource(QTextDocument::ImageResource, QUrl(source));
        if (held.canConvert<QImage>())
            image = held.value<QImage>();
        if (image.isNull()) {
            const QUrl url(source);
            QString path = url.isLocalFile() ? url.toLocalFile() : source;
            if (QFileInfo(path).isRelative() && !m_resourceDir.isEmpty())
                path = QDir(m_resourceDir).filePath(path);
            image.load(path);
        }
    }
    if (image.isNull())
        return {};
    *size = image.size();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return png;
}

} // namespace vorlane::document
