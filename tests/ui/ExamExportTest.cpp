#include "ExamUiFixture.h"
#include "UiTest.h"

#include "document/DocxPackage.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/PaperExport.h"

#include <QApplication>
#include <QPushButton>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::exam::ExportContent;
using vorlane::ui::ExamWindow;
using vorlane::ui::ExportTarget;

namespace {

// A paper of three single- and two multiple-choice questions, open for review; the first
// question was answered right, the others not.
struct ReviewedPaper
{
    ExamUiFixture f;
    ExamWindow window { *f.context };
    exam::PaperIdentity paper;
    QStringList opened;

    ReviewedPaper()
    {
        paper = f.makePaper(3, 2);
        f.exec(QStringLiteral("UPDATE %1 SET E2_1=A2 WHERE A1='Q100101_61_001'").arg(paper.table));
        paper.mode = exam::PaperMode::Old;
        if (!window.openPaper(paper))
            qFatal("paper cannot be opened");
        window.show();
        window.paperExporter().setDocumentOpener([this](const QString &path) {
            opened << path;
            return true;
        });
    }

    void exportTo(const QString &path, ExportContent content)
    {
        window.paperExporter().setNextTarget(ExportTarget { path, content });
        QTest::mouseClick(child<QPushButton>(window, "examExport"), Qt::LeftButton);
    }

    QByteArray documentXml(const QString &path)
    {
        return document::readZipEntry(path, QStringLiteral("word/document.xml"));
    }
};

} // namespace

class ExamExportTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheReviewExports()
    {
        ExamUiFixture f;
        ExamWindow window(*f.context);
        QVERIFY(window.openPaper(f.makePaper(2)));
        QVERIFY(!child<QPushButton>(window, "examExport")->isEnabled());
        ReviewedPaper review;
        auto *button = child<QPushButton>(review.window, "examExport");
        QVERIFY(button->isEnabled());
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), QStringLiteral("生成文档"));
    }

    void writesTheChosenContentAndOpensIt_data()
    {
        QTest::addColumn<int>("content");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("含答案") << int(ExportContent::WithAnswers)
                                << QStringList { QStringLiteral("1、"), QStringLiteral("5、"),
                                       QStringLiteral("答案："), QStringLiteral("第5题") }
                                << QStringList {};
        QTest::newRow("不含答案") << int(ExportContent::WithoutAnswers)
                                  << QStringList { QStringLiteral("1、"), QStringLiteral("5、") }
                                  << QStringList { QStringLiteral("答案："), QStringLiteral("第1题") };
        QTest::newRow("错题") << int(ExportContent::WrongOnly)
                              << QStringList { QStringLiteral("2、"), QStringLiteral("第5题"),
                                     QStringLiteral("（错题）") }
                              << QStringList { QStringLiteral("1、"), QStringLiteral("第1题") };
    }
    void writesTheChosenContentAndOpensIt()
    {
        QFETCH(int, content);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        ReviewedPaper r;
        const QString path = r.f.dir.filePath(QStringLiteral("试卷 导出.docx"));
        const int asked = r.f.prompt.askCount();
        r.exportTo(path, ExportContent(content));
        QCOMPARE(r.opened, QStringList { path });
        QCOMPARE(r.f.prompt.askCount(), asked); // nothing to say when it opens
        QVERIFY(!r.f.progress.isVisible());
        const QString xml = QString::fromUtf8(r.documentXml(path));
        QVERIFY(xml.contains(r.paper.title));
        for (const QString &text : present)
            QVERIFY2(xml.contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!xml.contains(text), qPrintable(text));
    }

    void aNameWithoutSuffixGetsDocx()
    {
        ReviewedPaper r;
        r.exportTo(r.f.dir.filePath(QStringLiteral("paper")), ExportContent::WithAnswers);
        QCOMPARE(r.opened, QStringList { r.f.dir.filePath(QStringLiteral("paper.docx")) });
    }

    void whereNothingOpensItSaysWhereTheFileIs()
    {
        ReviewedPaper r;
        r.window.paperExporter().setDocumentOpener([](const QString &) { return false; });
        const QString path = r.f.dir.filePath(QStringLiteral("paper.docx"));
        r.f.prompt.setNextAnswer(ui::PromptDialog::Middle);
        r.exportTo(path, ExportContent::WithAnswers);
        QVERIFY(QFile::exists(path));
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY2(r.f.prompt.lastText().contains(QDir::toNativeSeparators(path)),
            qPrintable(r.f.prompt.lastText()));
    }

    void cancellingWritesNothing()
    {
        ReviewedPaper r;
        const int asked = r.f.prompt.askCount();
        r.window.paperExporter().setNextTarget(std::nullopt);
        QTest::mouseClick(child<QPushButton>(r.window, "examExport"), Qt::LeftButton);
        QVERIFY(r.opened.isEmpty());
        QCOMPARE(r.f.prompt.askCount(), asked);
        QCOMPARE(QDir(r.f.dir.path()).entryList({ QStringLiteral("*.docx") }), QStringList());
    }

    void aFailureIsReportedAndTheReviewGoesOn()
    {
        ReviewedPaper r;
        const QString path = r.f.dir.filePath(QStringLiteral("no such folder/paper.docx"));
        r.f.prompt.setNextAnswer(ui::PromptDialog::Middle);
        r.exportTo(path, ExportContent::WithAnswers);
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("警告"));
        QCOMPARE(r.f.prompt.lastText(), QStringLiteral("导出试题发生错误，请退出后重试！"));
        QCOMPARE(r.f.prompt.lastIcon(), int(ui::PromptDialog::Warning));
        QVERIFY(!QFile::exists(path));
        QVERIFY(r.opened.isEmpty());
        QVERIFY(r.window.isVisible());
        QVERIFY(!r.f.progress.isVisible());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QTest::mouseClick(child<QPushButton>(r.window, "examNext"), Qt::LeftButton);
        QCOMPARE(r.window.currentRow(), 2);
    }

    void aPerfectPaperHasNoWrongQuestionsToExport()
    {
        ReviewedPaper r;
        r.f.exec(QStringLiteral("UPDATE %1 SET E2_1=A2").arg(r.paper.table));
        r.f.prompt.setNextAnswer(ui::PromptDialog::Middle);
        const QString path = r.f.dir.filePath(QStringLiteral("wrong.docx"));
        r.exportTo(path, ExportContent::WrongOnly);
        QCOMPARE(r.f.prompt.lastText(), QStringLiteral("本卷没有做错的试题！"));
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY(!QFile::exists(path));
    }
};

VORLANE_UI_TEST(ExamExportTest)
#include "ExamExportTest.moc"
