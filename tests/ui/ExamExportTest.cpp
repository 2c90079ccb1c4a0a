#include "ExamUiFixture.h"
#include "UiTest.h"

#include "document/DocxPackage.h"
#include "ui/exam/ExamWindow.h"
#include "ui/exam/PaperExport.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::exam::ExportContent;
using vorlane::ui::ExamWindow;

namespace {

// A paper of three single- and two multiple-choice questions, open for review; the first
// question was answered right, the others not.
struct ReviewedPaper
{
    ExamUiFixture f;
    ExamWindow window { *f.context };
    exam::PaperIdentity paper;
    QStringList opened;
    int dialogs = 0;
    QString suggested;

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

    // Answers the save dialog as a user would: the content from the list of file types (by
    // keys), then a name in the test's folder, then save. What the dialog suggested after the
    // content was chosen lands in `suggested`.
    void exportAs(const QString &name, ExportContent content)
    {
        f.modal.setDriver([this, name, content](QDialog &modal) {
            auto *dialog = qobject_cast<QFileDialog *>(&modal);
            if (!dialog)
                return;
            ++dialogs;
            dialog->setDirectory(f.dir.path());
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            auto *fileName = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(types && fileName);
            QCOMPARE(types->count(), 3);
            for (int i = 0; i < int(content); ++i)
                QTest::keyClick(types, Qt::Key_Down);
            suggested = fileName->text();
            if (name.isNull()) {
                dialog->reject();
                return;
            }
            fileName->setText(name);
            modal.accept(); // through QDialog: QFileDialog keeps its override protected
        });
        QTest::mouseClick(child<QPushButton>(window, "examExport"), Qt::LeftButton);
    }

    QString path(const QString &name) const { return f.dir.filePath(name); }

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
        const QString path = r.path(QStringLiteral("试卷 导出.docx"));
        const int asked = r.f.prompt.askCount();
        r.exportAs(QStringLiteral("试卷 导出.docx"), ExportContent(content));
        QCOMPARE(r.dialogs, 1);
        // The suggested name follows the content, so the three documents do not overwrite each other.
        QCOMPARE(r.suggested, exam::suggestedDocumentName(r.paper.title, ExportContent(content)));
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
        r.exportAs(QStringLiteral("paper"), ExportContent::WithAnswers);
        QCOMPARE(r.opened, QStringList { r.path(QStringLiteral("paper.docx")) });
    }

    void whereNothingOpensItSaysWhereTheFileIs()
    {
        ReviewedPaper r;
        r.window.paperExporter().setDocumentOpener([](const QString &) { return false; });
        const QString path = r.path(QStringLiteral("paper.docx"));
        r.f.prompt.queueAnswer(ui::PromptDialog::Middle);
        r.exportAs(QStringLiteral("paper.docx"), ExportContent::WithAnswers);
        QVERIFY(QFile::exists(path));
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY2(r.f.prompt.lastText().contains(QDir::toNativeSeparators(path)),
            qPrintable(r.f.prompt.lastText()));
    }

    void cancellingWritesNothing()
    {
        ReviewedPaper r;
        const int asked = r.f.prompt.askCount();
        r.exportAs(QString(), ExportContent::WithoutAnswers);
        QCOMPARE(r.dialogs, 1);
        QVERIFY(r.opened.isEmpty());
        QCOMPARE(r.f.prompt.askCount(), asked);
        QCOMPARE(QDir(r.f.dir.path()).entryList({ QStringLiteral("*.docx") }), QStringList());
    }

    void aFailureIsReportedAndTheReviewGoesOn()
    {
        ReviewedPaper r;
        // The paper's table is gone under the window: the document cannot be composed.
        r.f.exec(QStringLiteral("DROP TABLE %1").arg(r.paper.table));
        r.f.prompt.queueAnswer(ui::PromptDialog::Middle);
        r.exportAs(QStringLiteral("paper.docx"), ExportContent::WithAnswers);
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("警告"));
        QCOMPARE(r.f.prompt.lastText(), QStringLiteral("导出试题发生错误，请退出后重试！"));
        QCOMPARE(r.f.prompt.lastIcon(), int(ui::PromptDialog::Warning));
        QCOMPARE(r.f.prompt.queuedAnswers(), 0);
        QVERIFY(!QFile::exists(r.path(QStringLiteral("paper.docx"))));
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
        r.f.prompt.queueAnswer(ui::PromptDialog::Middle);
        const QString path = r.path(QStringLiteral("wrong.docx"));
        r.exportAs(QStringLiteral("wrong.docx"), ExportContent::WrongOnly);
        QCOMPARE(r.f.prompt.lastText(), QStringLiteral("本卷没有做错的试题！"));
        QCOMPARE(r.f.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY(!QFile::exists(path));
    }
};

VORLANE_UI_TEST(ExamExportTest)
#include "ExamExportTest.moc"
