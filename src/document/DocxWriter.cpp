#include "document/DocxWriter.h"

#include "document/DocxPackage.h"

namespace vorlane::document {

namespace {

constexpr char W[] = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr char R[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char WP[] = "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing";
constexpr char A[] = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr char PIC[] = "http://schemas.openxmlformats.org/drawingml/2006/picture";
constexpr char PACKAGE_RELS[] = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr char OFFICE_RELS[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The fonts and size of text that names none: 宋体 for Chinese, as the program's windows use,
// and 五号 (10.5 pt), the body size of Chinese documents.
constexpr char DefaultEastAsianFont[] = "宋体";
constexpr char DefaultLatinFont[] = "Times New Roman";
constexpr double DefaultPointSize = 10.5;

QString latin(const char *text)
{
    return QString::fromLatin1(text);
}

QString halfPoints(double pointSize)
{
    return QString::number(qRound(pointSize * 2));
}

QByteArray contentTypes(int imageCount)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Types"));
    w.writeDefaultNamespace(QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
    auto byExtension = [&](const char *extension, const char *type) {
        w.writeEmptyElement(QStringLiteral("Default"));
        w.writeAttribute(QStringLiteral("Extension"), latin(extension));
        w.writeAttribute(QStringLiteral("ContentType"), latin(type));
    };
    auto byPart = [&](const char *part, const char *type) {
        w.writeEmptyElement(QStringLiteral("Override"));
        w.writeAttribute(QStringLiteral("PartName"), latin(part));
        w.writeAttribute(QStringLiteral("ContentType"), latin(type));
    };
    byExtension("rels", "application/vnd.openxmlformats-package.relationships+xml");
    byExtension("xml", "application/xml");
    if (imageCount > 0)
        byExtension("png", "image/png");
    byPart("/word/document.xml",
        "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
    byPart("/word/styles.xml", "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml");
    byPart("/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QByteArray relationships(const QList<std::pair<QString, QString>> &targets, const char *defaultType)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Relationships"));
    w.writeDefaultNamespace(latin(PACKAGE_RELS));
    int id = 0;
    for (const auto &[type, target] : targets) {
        w.writeEmptyElement(QStringLiteral("Relationship"));
        w.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(++id));
        w.writeAttribute(QStringLiteral("Type"), type.isEmpty() ? latin(defaultType) : type);
        w.writeAttribute(QStringLiteral("Target"), target);
    }
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

QByteArray packageRelationships()
{
    return relationships(
        { { latin(OFFICE_RELS) + QStringLiteral("/officeDocument"), QStringLiteral("word/document.xml") },
            { QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships/"
                             "metadata/core-properties"),
                QStringLiteral("docProps/core.xml") } },
        "");
}

// rId1 is the styles part; images follow as rId2, rId3, …
QByteArray documentRelationships(int imageCount)
{
    QList<std::pair<QString, QString>> targets { { latin(OFFICE_RELS) + QStringLiteral("/styles"),
        QStringLiteral("styles.xml") } };
    for (int i = 1; i <= imageCount; ++i)
        targets.append(
            { latin(OFFICE_RELS) + QStringLiteral("/image"), QStringLiteral("media/image%1.png").arg(i) });
    return relationships(targets, "");
}

QByteArray coreProperties(const QString &title)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeStartDocument();
    w.writeNamespace(QStringLiteral("http://purl.org/dc/elements/1.1/"), QStringLiteral("dc"));
    w.writeNamespace(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties"),
        QStringLiteral("cp"));
    w.writeStartElement(
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/metadata/core-properties"),
        QStringLiteral("coreProperties"));
    w.writeTextElement(QStringLiteral("http://purl.org/dc/elements/1.1/"), QStringLiteral("title"), title);
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

// Document defaults: the East Asian font and language for every run, no space between
// paragraphs (the blocks bring their own blank lines).
QByteArray styles()
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    const QString ns = latin(W);
    w.writeStartDocument();
    w.writeNamespace(ns, QStringLiteral("w"));
    w.writeStartElement(ns, QStringLiteral("styles"));
    w.writeStartElement(ns, QStringLiteral("docDefaults"));
    w.writeStartElement(ns, QStringLiteral("rPrDefault"));
    w.writeStartElement(ns, QStringLiteral("rPr"));
    w.writeEmptyElement(ns, QStringLiteral("rFonts"));
    w.writeAttribute(ns, QStringLiteral("ascii"), latin(DefaultLatinFont));
    w.writeAttribute(ns, QStringLiteral("hAnsi"), latin(DefaultLatinFont));
    w.writeAttribute(ns, QStringLiteral("eastAsia"), QString::fromUtf8(DefaultEastAsianFont));
    w.writeAttribute(ns, QStringLiteral("cs"), latin(DefaultLatinFont));
    w.writeEmptyElement(ns, QStringLiteral("sz"));
    w.writeAttribute(ns, QStringLiteral("val"), halfPoints(DefaultPointSize));
    w.writeEmptyElement(ns, QStringLiteral("szCs"));
    w.writeAttribute(ns, QStringLiteral("val"), halfPoints(DefaultPointSize));
    w.writeEmptyElement(ns, QStringLiteral("lang"));
    w.writeAttribute(ns, QStringLiteral("val"), QStringLiteral("en-US"));
    w.writeAttribute(ns, QStringLiteral("eastAsia"), QStringLiteral("zh-CN"));
    w.writeEndElement(); // rPr
    w.writeEndElement(); // rPrDefault
    w.writeStartElement(ns, QStringLiteral("pPrDefault"));
    w.writeStartElement(ns, QStringLiteral("pPr"));
    w.writeEmptyElement(ns, QStringLiteral("spacing"));
    w.writeAttribute(ns, QStringLiteral("after"), QStringLiteral("0"));
    w.writeAttribute(ns, QStringLiteral("line"), QStringLiteral("312"));
    w.writeAttribute(ns, QStringLiteral("lineRule"), QStringLiteral("auto"));
    w.writeEndElement(); // pPr
    w.writeEndElement(); // pPrDefault
    w.writeEndElement(); // docDefaults
    w.writeEndElement(); // styles
    w.writeEndDocument();
    return xml;
}

} // namespace

DocxWriter::DocxWriter(QString resourceDir)
    : m_resourceDir(std::move(resourceDir))
    , m_xml(std::make_unique<QXmlStreamWriter>(&m_body))
{
    // The document element stays open while blocks are added; documentXml() closes it. Known
    // before the root is written, the prefixes are declared on it once and used everywhere.
    m_xml->writeStartDocument(QStringLiteral("1.0"), true);
    m_xml->writeNamespace(latin(W), QStringLiteral("w"));
    m_xml->writeNamespace(latin(R), QStringLiteral("r"));
    m_xml->writeNamespace(latin(WP), QStringLiteral("wp"));
    m_xml->writeNamespace(latin(A), QStringLiteral("a"));
    m_xml->writeNamespace(latin(PIC), QStringLiteral("pic"));
    m_xml->writeStartElement(latin(W), QStringLiteral("document"));
    m_xml->writeStartElement(latin(W), QStringLiteral("body"));
    m_xml->writeCharacters(QString()); // closes the start tag, so the body so far is whole
}

DocxWriter::~DocxWriter() = default;

void DocxWriter::addBlocks(const QList<exam::DocumentBlock> &blocks)
{
    using Kind = exam::DocumentBlock::Kind;
    for (const exam::DocumentBlock &block : blocks) {
        switch (block.kind) {
        case Kind::Title: {
            RunStyle style;
            style.bold = true;
            style.pointSize = 16; // 三号
            addParagraph(block.text, style, Qt::AlignHCenter);
            break;
        }
        case Kind::Heading: {
            RunStyle style;
            style.bold = true;
            style.pointSize = 12; // 小四
            addParagraph(block.text, style);
            break;
        }
        case Kind::Text:
            addParagraph(block.text);
            break;
        case Kind::RichText:
            addHtml(block.html, block.text);
            break;
        case Kind::PageBreak:
            addPageBreak();
            break;
        }
    }
}

void DocxWriter::startParagraph(Qt::Alignment alignment, int indentLevel)
{
    const QString ns = latin(W);
    m_xml->writeStartElement(ns, QStringLiteral("p"));
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    const bool aligned
        = horizontal == Qt::AlignHCenter || horizontal == Qt::AlignRight || horizontal == Qt::AlignJustify;
    if (!aligned && indentLevel <= 0)
        return;
    m_xml->writeStartElement(ns, QStringLiteral("pPr"));
    if (indentLevel > 0) {
        m_xml->writeEmptyElement(ns, QStringLiteral("ind"));
        m_xml->writeAttribute(ns, QStringLiteral("left"), QString::number(420 * indentLevel));
    }
    if (aligned) {
        m_xml->writeEmptyElement(ns, QStringLiteral("jc"));
        m_xml->writeAttribute(ns, QStringLiteral("val"),
            horizontal == Qt::AlignHCenter     ? QStringLiteral("center")
                : horizontal == Qt::AlignRight ? QStringLiteral("right")
                                               : QStringLiteral("both"));
    }
    m_xml->writeEndElement(); // pPr
}

void DocxWriter::endParagraph()
{
    m_xml->writeEndElement(); // p
}

void DocxWriter::addParagraph(const QString &text, const RunStyle &style, Qt::Alignment alignment)
{
    startParagraph(alignment);
    if (!text.isEmpty())
        writeRun(text, style);
    endParagraph();
}

void DocxWriter::addPageBreak()
{
    const QString ns = latin(W);
    m_xml->writeStartElement(ns, QStringLiteral("p"));
    m_xml->writeStartElement(ns, QStringLiteral("r"));
    m_xml->writeEmptyElement(ns, QStringLiteral("br"));
    m_xml->writeAttribute(ns, QStringLiteral("type"), QStringLiteral("page"));
    m_xml->writeEndElement(); // r
    m_xml->writeEndElement(); // p
}

void DocxWriter::writeRun(const QString &text, const RunStyle &style)
{
    const QString ns = latin(W);
    m_xml->writeStartElement(ns, QStringLiteral("r"));
    // The children of rPr keep the order the schema prescribes; Word refuses others.
    m_xml->writeStartElement(ns, QStringLiteral("rPr"));
    const QString font = style.font;
    m_xml->writeEmptyElement(ns, QStringLiteral("rFonts"));
    m_xml->writeAttribute(ns, QStringLiteral("ascii"), font.isEmpty() ? latin(DefaultLatinFont) : font);
    m_xml->writeAttribute(ns, QStringLiteral("hAnsi"), font.isEmpty() ? latin(DefaultLatinFont) : font);
    m_xml->writeAttribute(
        ns, QStringLiteral("eastAsia"), font.isEmpty() ? QString::fromUtf8(DefaultEastAsianFont) : font);
    m_xml->writeAttribute(ns, QStringLiteral("hint"), QStringLiteral("eastAsia"));
    if (style.bold) {
        m_xml->writeEmptyElement(ns, QStringLiteral("b"));
        m_xml->writeEmptyElement(ns, QStringLiteral("bCs"));
    }
    if (style.italic) {
        m_xml->writeEmptyElement(ns, QStringLiteral("i"));
        m_xml->writeEmptyElement(ns, QStringLiteral("iCs"));
    }
    if (!style.color.isEmpty()) {
        m_xml->writeEmptyElement(ns, QStringLiteral("color"));
        m_xml->writeAttribute(ns, QStringLiteral("val"), style.color);
    }
    const double size = style.pointSize > 0 ? style.pointSize : DefaultPointSize;
    m_xml->writeEmptyElement(ns, QStringLiteral("sz"));
    m_xml->writeAttribute(ns, QStringLiteral("val"), halfPoints(size));
    m_xml->writeEmptyElement(ns, QStringLiteral("szCs"));
    m_xml->writeAttribute(ns, QStringLiteral("val"), halfPoints(size));
    if (style.underline) {
        m_xml->writeEmptyElement(ns, QStringLiteral("u"));
        m_xml->writeAttribute(ns, QStringLiteral("val"), QStringLiteral("single"));
    }
    if (style.verticalAlign != 0) {
        m_xml->writeEmptyElement(ns, QStringLiteral("vertAlign"));
        m_xml->writeAttribute(ns, QStringLiteral("val"),
            style.verticalAlign > 0 ? QStringLiteral("superscript") : QStringLiteral("subscript"));
    }
    m_xml->writeEmptyElement(ns, QStringLiteral("lang"));
    m_xml->writeAttribute(ns, QStringLiteral("val"), QStringLiteral("en-US"));
    m_xml->writeAttribute(ns, QStringLiteral("eastAsia"), QStringLiteral("zh-CN"));
    m_xml->writeEndElement(); // rPr

    // Line breaks inside a paragraph and tabs are elements of their own.
    QString piece;
    auto flush = [&] {
        if (piece.isEmpty())
            return;
        m_xml->writeStartElement(ns, QStringLiteral("t"));
        m_xml->writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        m_xml->writeCharacters(piece);
        m_xml->writeEndElement();
        piece.clear();
    };
    for (const QChar c : text) {
        if (c == QChar::LineSeparator || c == QLatin1Char('\n')) {
            flush();
            m_xml->writeEmptyElement(ns, QStringLiteral("br"));
        } else if (c == QLatin1Char('\t')) {
            flush();
            m_xml->writeEmptyElement(ns, QStringLiteral("tab"));
        } else if (c == QChar::ObjectReplacementCharacter || (c.unicode() < 0x20 && c != QLatin1Char('\r'))) {
            // Not representable in XML text, or an object placeholder handled elsewhere.
        } else if (c != QLatin1Char('\r')) {
            piece += c;
        }
    }
    flush();
    m_xml->writeEndElement(); // r
}

void DocxWriter::writeImage(const QByteArray &png, int widthPx, int heightPx)
{
    m_images << png;
    const int relationship = int(m_images.size()) + 1; // rId1 is the styles part
    const int id = ++m_drawingId;
    // 9525 EMU to a pixel at 96 dpi.
    const QString cx = QString::number(qint64(widthPx) * 9525);
    const QString cy = QString::number(qint64(heightPx) * 9525);
    const QString w = latin(W), wp = latin(WP), a = latin(A), pic = latin(PIC);
    QXmlStreamWriter &x = *m_xml;
    x.writeStartElement(w, QStringLiteral("r"));
    x.writeStartElement(w, QStringLiteral("drawing"));
    x.writeStartElement(wp, QStringLiteral("inline"));
    for (const char *side : { "distT", "distB", "distL", "distR" })
        x.writeAttribute(latin(side), QStringLiteral("0"));
    x.writeEmptyElement(wp, QStringLiteral("extent"));
    x.writeAttribute(QStringLiteral("cx"), cx);
    x.writeAttribute(QStringLiteral("cy"), cy);
    x.writeEmptyElement(wp, QStringLiteral("docPr"));
    x.writeAttribute(QStringLiteral("id"), QString::number(id));
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("图片 %1").arg(id));
    x.writeStartElement(wp, QStringLiteral("cNvGraphicFramePr"));
    x.writeEmptyElement(a, QStringLiteral("graphicFrameLocks"));
    x.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    x.writeEndElement();
    x.writeStartElement(a, QStringLiteral("graphic"));
    x.writeStartElement(a, QStringLiteral("graphicData"));
    x.writeAttribute(QStringLiteral("uri"), pic);
    x.writeStartElement(pic, QStringLiteral("pic"));
    x.writeStartElement(pic, QStringLiteral("nvPicPr"));
    x.writeEmptyElement(pic, QStringLiteral("cNvPr"));
    x.writeAttribute(QStringLiteral("id"), QString::number(id));
    x.writeAttribute(QStringLiteral("name"), QStringLiteral("image%1.png").arg(m_images.size()));
    x.writeEmptyElement(pic, QStringLiteral("cNvPicPr"));
    x.writeEndElement(); // nvPicPr
    x.writeStartElement(pic, QStringLiteral("blipFill"));
    x.writeEmptyElement(a, QStringLiteral("blip"));
    x.writeAttribute(latin(R), QStringLiteral("embed"), QStringLiteral("rId%1").arg(relationship));
    x.writeStartElement(a, QStringLiteral("stretch"));
    x.writeEmptyElement(a, QStringLiteral("fillRect"));
    x.writeEndElement(); // stretch
    x.writeEndElement(); // blipFill
    x.writeStartElement(pic, QStringLiteral("spPr"));
    x.writeStartElement(a, QStringLiteral("xfrm"));
    x.writeEmptyElement(a, QStringLiteral("off"));
    x.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    x.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    x.writeEmptyElement(a, QStringLiteral("ext"));
    x.writeAttribute(QStringLiteral("cx"), cx);
    x.writeAttribute(QStringLiteral("cy"), cy);
    x.writeEndElement(); // xfrm
    x.writeStartElement(a, QStringLiteral("prstGeom"));
    x.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    x.writeEmptyElement(a, QStringLiteral("avLst"));
    x.writeEndElement(); // prstGeom
    x.writeEndElement(); // spPr
    x.writeEndElement(); // pic
    x.writeEndElement(); // graphicData
    x.writeEndElement(); // graphic
    x.writeEndElement(); // inline
    x.writeEndElement(); // drawing
    x.writeEndElement(); // r
}

QByteArray DocxWriter::documentXml() const
{
    // A4, with the margins of a Chinese word processor's default page.
    return m_body
        + QByteArrayLiteral(
            "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
            "<w:pgMar w:top=\"1440\" w:right=\"1800\" w:bottom=\"1440\" w:left=\"1800\" "
            "w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>");
}

Status DocxWriter::save(const QString &path) const
{
    DocxPackage package;
    package.addPart(QStringLiteral("[Content_Types].xml"), contentTypes(int(m_images.size())));
    package.addPart(QStringLiteral("_rels/.rels"), packageRelationships());
    package.addPart(QStringLiteral("docProps/core.xml"), coreProperties(m_title));
    package.addPart(QStringLiteral("word/document.xml"), documentXml());
    package.addPart(QStringLiteral("word/styles.xml"), styles());
    package.addPart(
        QStringLiteral("word/_rels/document.xml.rels"), documentRelationships(int(m_images.size())));
    for (int i = 0; i < m_images.size(); ++i)
        package.addPart(QStringLiteral("word/media/image%1.png").arg(i + 1), m_images.at(i));
    return package.save(path);
}

Status writePaperDocument(const QList<exam::DocumentBlock> &blocks, const QString &title, const QString &path,
    const QString &resourceDir)
{
    DocxWriter writer(resourceDir);
    writer.setTitle(title);
    writer.addBlocks(blocks);
    return writer.save(path);
}

} // namespace vorlane::document
