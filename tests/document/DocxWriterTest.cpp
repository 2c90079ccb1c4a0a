#include "../ui/UiTest.h"

#include "document/DocxPackage.h"
#include "document/DocxWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

using namespace vorlane;
using namespace vorlane::document;

namespace {

// One w:r of document.xml: its text and the run properties that matter here.
struct Run
{
    QString text;
    QString eastAsiaFont;
    QString asciiFont;
    bool bold = false;
    bool italic = false;
    QString underline;
    QString size;
    QString color;
    QString eastAsiaLang;
    int paragraph = 0; // which w:p of the body (counted from 1) holds it
};

QList<Run> runsOf(const QByteArray &xml)
{
    QList<Run> runs;
    QXmlStreamReader reader(xml);
    int paragraph = 0;
    Run *run = nullptr;
    const QString w = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("r"))
            run = nullptr;
        if (!reader.isStartElement())
            continue;
        const auto name = reader.name();
        const auto attr
            = [&](const char *a) { return reader.attributes().value(w, QLatin1String(a)).toString(); };
        if (name == QLatin1String("p")) {
            ++paragraph;
        } else if (name == QLatin1String("r")) {
            runs.append(Run());
            run = &runs.last();
            run->paragraph = paragraph;
        } else if (run && name == QLatin1String("rFonts")) {
            run->eastAsiaFont = attr("eastAsia");
            run->asciiFont = attr("ascii");
        } else if (run && name == QLatin1String("b")) {
            run->bold = true;
        } else if (run && name == QLatin1String("i")) {
            run->italic = true;
        } else if (run && name == QLatin1String("u")) {
            run->underline = attr("val");
        } else if (run && name == QLatin1String("sz")) {
            run->size = attr("val");
        } else if (run && name == QLatin1String("color")) {
            run->color = attr("val");
        } else if (run && name == QLatin1String("lang")) {
            run->eastAsiaLang = attr("eastAsia");
        } else if (run && name == QLatin1String("t")) {
            run->text += reader.readElementText();
        }
    }
    if (reader.hasError())
        qWarning("document.xml: %s", qPrintable(reader.errorString()));
    return runs;
}

const Run *findRun(const QList<Run> &runs, const QString &text)
{
    for (const Run &run : runs)
        if (run.text == text)
            return &run;
    return nullptr;
}

QString pngDataUri(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

class DocxWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void runsKeepTheirEastAsianProperties()
    {
        DocxWriter writer;
        writer.addHtml(
            QStringLiteral("<p><span style=\"font-family:'黑体'; font-size:14pt; font-weight:bold; "
                           "font-style:italic; text-decoration:underline; color:#c00000\">重点提示</span>"
                           "普通文字<sup>2</sup></p><h3>学习指导</h3>"),
            QStringLiteral("7、"));
        const QList<Run> runs = runsOf(writer.documentXml());

        const Run *prefix = findRun(runs, QStringLiteral("7、"));
        QVERIFY(prefix);
        const Run *styled = findRun(runs, QStringLiteral("重点提示"));
        QVERIFY(styled);
        QCOMPARE(styled->paragraph, prefix->paragraph); // the number starts the first paragraph
        QCOMPARE(styled->eastAsiaFont, QStringLiteral("黑体"));
        QVERIFY(styled->bold);
        QVERIFY(styled->italic);
        QCOMPARE(styled->underline, QStringLiteral("single"));
        QCOMPARE(styled->size, QStringLiteral("28"));
        QCOMPARE(styled->color, QStringLiteral("C00000"));
        QCOMPARE(styled->eastAsiaLang, QStringLiteral("zh-CN"));

        // Text that states nothing gets the document's Chinese font and size, not the screen's.
        const Run *plain = findRun(runs, QStringLiteral("普通文字"));
        QVERIFY(plain);
        QCOMPARE(plain->eastAsiaFont, QStringLiteral("宋体"));
        QCOMPARE(plain->asciiFont, QStringLiteral("Times New Roman"));
        QVERIFY(!plain->bold);
        QVERIFY(!plain->italic);
        QCOMPARE(plain->underline, QString());
        QCOMPARE(plain->size, QStringLiteral("21"));
        QCOMPARE(plain->eastAsiaLang, QStringLiteral("zh-CN"));

        const Run *heading = findRun(runs, QStringLiteral("学习指导"));
        QVERIFY(heading);
        QVERIFY(heading->bold);
        QCOMPARE(heading->size, QStringLiteral("28"));
        QVERIFY(heading->paragraph > plain->paragraph);
        QVERIFY(writer.documentXml().contains("<w:vertAlign w:val=\"superscript\"/>"));
    }

    void blocksBecomeStyledParagraphsAndAPageBreak()
    {
        using Kind = exam::DocumentBlock::Kind;
        DocxWriter writer;
        writer.addBlocks({ { Kind::Title, QStringLiteral("2026年试卷"), {} }, { Kind::Text, QString(), {} },
            { Kind::Heading, QStringLiteral("一、单项选择题"), {} }, { Kind::PageBreak, {}, {} },
            { Kind::Text, QStringLiteral("答案："), {} } });
        const QByteArray xml = writer.documentXml();
        const QList<Run> runs = runsOf(xml);
        const Run *title = findRun(runs, QStringLiteral("2026年试卷"));
        QVERIFY(title && title->bold);
        QCOMPARE(title->size, QStringLiteral("32"));
        const Run *heading = findRun(runs, QStringLiteral("一、单项选择题"));
        QVERIFY(heading && heading->bold);
        QCOMPARE(heading->paragraph, title->paragraph + 2); // the blank line between them
        QVERIFY(xml.contains("<w:jc w:val=\"center\"/>"));
        const qsizetype pageBreak = xml.indexOf("<w:br w:type=\"page\"/>");
        QVERIFY(pageBreak > xml.indexOf("一、单项选择题"));
        QVERIFY(pageBreak < xml.indexOf("答案："));
    }

    void tablesAndImagesGoIntoThePackage()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("试卷 'a'.docx"));
        DocxWriter writer;
        writer.setTitle(QStringLiteral("试卷"));
        writer.addHtml(QStringLiteral("<table border=\"1\"><tr><td colspan=\"2\">项目</td></tr>"
                                      "<tr><td>甲</td><td>乙<img src=\"%1\" width=\"40\"></td></tr></table>")
                           .arg(pngDataUri(20, 10)),
            QStringLiteral("3、"));
        QVERIFY(writer.save(path).ok());

        const QByteArray xml = readZipEntry(path, QStringLiteral("word/document.xml"));
        QVERIFY(!xml.isEmpty());
        QCOMPARE(xml.count("<w:tbl>"), 1);
        QCOMPARE(xml.count("<w:tr>"), 2);
        QCOMPARE(xml.count("<w:tc>"), 3);
        QVERIFY(xml.contains("<w:gridSpan w:val=\"2\"/>"));
        QVERIFY(xml.contains("<w:tblBorders>"));
        // The number stands before the table, on a paragraph of its own.
        QVERIFY(xml.indexOf("3、") < xml.indexOf("<w:tbl>"));
        // 40 px wide, height kept in proportion: 40 × 9525 by 20 × 9525 EMU.
        QVERIFY(xml.contains("<wp:extent cx=\"381000\" cy=\"190500\"/>"));
        QVERIFY(xml.contains("r:embed=\"rId2\""));

        const QByteArray rels = readZipEntry(path, QStringLiteral("word/_rels/document.xml.rels"));
        QVERIFY(rels.contains("Id=\"rId2\""));
        QVERIFY(rels.contains("Target=\"media/image1.png\""));
        QImage image;
        QVERIFY(image.loadFromData(readZipEntry(path, QStringLiteral("word/media/image1.png"))));
        QCOMPARE(image.size(), QSize(20, 10));
        QVERIFY(readZipEntry(path, QStringLiteral("[Content_Types].xml")).contains("Extension=\"png\""));
        QVERIFY(readZipEntry(path, QStringLiteral("word/styles.xml")).contains("w:eastAsia=\"zh-CN\""));
        QVERIFY(readZipEntry(path, QStringLiteral("docProps/core.xml")).contains("试卷"));
    }

    void answerBlanksKeepTheirIdeographicSpaces()
    {
        DocxWriter writer;
        writer.addHtml(QStringLiteral("<p>下列说法正确的是（　　）。</p><p>A．甲　B．乙</p>"));
        const QList<Run> runs = runsOf(writer.documentXml());
        QVERIFY(findRun(runs, QStringLiteral("下列说法正确的是（　　）。")));
        QVERIFY(findRun(runs, QStringLiteral("A．甲　B．乙")));
    }

    void anImageThatCannotBeHadIsLeftOut()
    {
        DocxWriter writer(QStringLiteral("/nonexistent"));
        writer.addHtml(QStringLiteral("<p>图<img src=\"pic/missing.png\">后</p>"));
        const QByteArray xml = writer.documentXml();
        QVERIFY(!xml.contains("<w:drawing>"));
        QVERIFY(xml.contains("图"));
        QVERIFY(xml.contains("后"));
    }

    void aFailedSaveLeavesNoFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/folder/paper.docx"));
        DocxWriter writer;
        writer.addParagraph(QStringLiteral("内容"));
        const Status saved = writer.save(path);
        QVERIFY(!saved.ok());
        QVERIFY(!saved.reason().isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    void savingOverAnOldFileReplacesItWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("paper.docx"));
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("not a zip at all");
        }
        DocxWriter writer;
        writer.addParagraph(QStringLiteral("新内容"));
        QVERIFY(writer.save(path).ok());
        QVERIFY(readZipEntry(path, QStringLiteral("word/document.xml")).contains("新内容"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("paper.docx") });
    }
};

VORLANE_UI_TEST(DocxWriterTest)
#include "DocxWriterTest.moc"
