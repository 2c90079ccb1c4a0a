#include "../ui/ExamUiFixture.h"
#include "../ui/UiTest.h"

#include "core/exam/PaperDocument.h"
#include "document/DocxWriter.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace vorlane;
using namespace vorlane::test;

namespace {

// Runs a program to its end; its standard output, or a null array with the reason on failure.
QByteArray run(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
    QString *failure)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    // LibreOffice starts slowly the first time a profile is made; a few seconds is normal.
    if (!process.waitForFinished(180000)) {
        process.kill();
        process.waitForFinished();
        *failure = program + QStringLiteral(" did not finish");
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *failure
            = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
}

// pdftotext puts blanks between Chinese and Latin letters or digits; what is compared is the
// text without any blank.
QString squeezed(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]+"));
    return text.remove(blanks);
}

} // namespace

// An exported paper read back the way a user sees it: LibreOffice turns the .docx into PDF,
// poppler into text, page by page.
class PaperDocumentConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void exportedPaperReadsBackWhole()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (soffice.isEmpty() || pdftotext.isEmpty())
            QFAIL("soffice and pdftotext are needed (libreoffice-writer-nogui, poppler-utils: "
                  "scripts/bootstrap)");

        ExamUiFixture f;
        const exam::PaperIdentity paper = f.makePaper(60, 20);
        f.exec(QStringLiteral("UPDATE %1 SET A2='ACD' WHERE A1='Q100102_66_001'").arg(paper.table));
        f.exec(QStringLiteral("UPDATE %1 SET jx='<p>本题考查仓储合同的成立。</p>' WHERE A1='Q100101_61_002'")
                   .arg(paper.table));
        const auto blocks = exam::composePaperDocument(*f.db, paper, 1, exam::ExportContent::WithAnswers);
        QVERIFY2(blocks.ok(), qPrintable(blocks.reason()));

        // Its own home and profile, so that runs side by side never share LibreOffice's lock.
        QTemporaryDir work;
        const QString docx = work.filePath(QStringLiteral("试卷.docx"));
        QVERIFY(document::writePaperDocument(*blocks, paper.title, docx).ok());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), work.path());
        QString failure;
        run(soffice,
            { QStringLiteral("--headless"), QStringLiteral("--norestore"),
                QStringLiteral("-env:UserInstallation=")
                    + QUrl::fromLocalFile(work.filePath(QStringLiteral("profile"))).toString(),
                QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                work.path(), docx },
            environment, &failure);
        const QString pdf = work.filePath(QStringLiteral("试卷.pdf"));
        QVERIFY2(QFile::exists(pdf), qPrintable(failure));
        const QByteArray out
            = run(pdftotext, { QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-") },
                environment, &failure);
        QVERIFY2(!out.isEmpty(), qPrintable(failure));
        QStringList pages = QString::fromUtf8(out).split(QLatin1Char('\f'));
        for (QString &page : pages)
            page = squeezed(page);
        const QString text = pages.join(QString());

        QVERIFY(text.contains(squeezed(paper.title)));
        QVERIFY(text.contains(QStringLiteral("一、单项选择题[共60题，每题1分，总计60分]")));
        QVERIFY(text.contains(QStringLiteral("二、多项选择题[共20题，每题2分，总计40分]")));
        QVERIFY(text.contains(QStringLiteral("1、题目Q100101_61_001：下列说法正确的是？")));
        QVERIFY(text.contains(QStringLiteral("60、题目Q100101_61_060")));
        QVERIFY(text.contains(QStringLiteral("61、题目Q100102_66_001")));
        QVERIFY(text.contains(QStringLiteral("80、题目Q100102_66_020")));
        QVERIFY(text.indexOf(QStringLiteral("二、多项选择题")) > text.indexOf(QStringLiteral("60、题目")));

        // The answers begin a page of their own, right after the last question.
        qsizetype answersPage = -1;
        for (qsizetype i = 0; i < pages.size() && answersPage < 0; ++i)
            if (pages.at(i).startsWith(QStringLiteral("答案：")))
                answersPage = i;
        QVERIFY(answersPage > 0);
        QVERIFY(pages.at(answersPage - 1).contains(QStringLiteral("80、题目")));

        const QString answers = pages.mid(answersPage).join(QString());
        QVERIFY(answers.contains(QStringLiteral("第1题")));
        QVERIFY(answers.contains(QStringLiteral("第80题")));
        QVERIFY(answers.contains(QStringLiteral("试题答案：ACD")));
        // Only the one question with an explanation has its line, under its own number.
        QCOMPARE(answers.count(QStringLiteral("试题解析：")), 1);
        const qsizetype explained = answers.indexOf(QStringLiteral("试题解析："));
        QVERIFY(explained > answers.indexOf(QStringLiteral("第2题")));
        QVERIFY(explained < answers.indexOf(QStringLiteral("第3题")));
        QVERIFY(answers.contains(QStringLiteral("本题考查仓储合同的成立。")));
    }
};

VORLANE_UI_TEST(PaperDocumentConversionTest)
#include "PaperDocumentConversionTest.moc"
