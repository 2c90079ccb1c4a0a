#include "PracticeUiBank.h"
#include "ScreenLayouts.h"
#include "UiTest.h"

#include "core/authoring/QuestionAuthoring.h"
#include "core/authoring/QuestionImport.h"
#include "ui/authoring/ExamPointPickerWindow.h"
#include "ui/authoring/ImportPreviewWindow.h"
#include "ui/authoring/QuestionEditorWindow.h"
#include "ui/authoring/QuestionEntryWindow.h"
#include "ui/authoring/RichTextEditor.h"
#include "ui/practice/CatalogueWindow.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTextEdit>

using namespace vorlane;
using namespace vorlane::test;

namespace {

// Saves a picture of the window as it is painted; with VORLANE_ROOT_SHOTS set (a real X server
// with a window manager) also the whole screen, to see frame, position and focus.
void shoot(QWidget &window, const QString &folder, const QString &name)
{
    window.show();
    window.raise();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage picture = window.grab().toImage();
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), window.size());
    QVERIFY(picture.save(folder + u'/' + name + QStringLiteral(".png")));
    if (qEnvironmentVariableIsSet("VORLANE_ROOT_SHOTS")) {
        QTest::qWait(400); // the window manager places and frames it
        QProcess::execute(QStringLiteral("import"),
            { QStringLiteral("-window"), QStringLiteral("root"),
                folder + u'/' + name + QStringLiteral("-screen.png") });
    }
}

} // namespace

// Pictures of the authoring windows in both layouts, in VORLANE_SCREENSHOT_DIR when it is set.
class AuthoringScreenshotTest : public QObject
{
    Q_OBJECT

private slots:
    void saveScreens_data() { addScreenLayoutRows(); }
    void saveScreens()
    {
        QFETCH(QString, layout);
        QTemporaryDir temporary;
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR", temporary.path());
        PracticeUiBank bank;
        bank.state.screenLayout = layout;
        bank.exec(QStringLiteral(
            "INSERT INTO tab_title (A1, A15) VALUES ('1001010000000001', "
            "'<p>甲公司与乙公司于2025年3月签订仓储合同，约定乙公司为甲公司保管冷冻食品……</p>')"));
        bank.addQuestion(QStringLiteral("1001010000000001-1"), QStringLiteral("100101"), 61,
            QStringLiteral("B"), 4, { QStringLiteral("1100010001"), QStringLiteral("1100010002") });
        bank.exec(QStringLiteral("UPDATE tab_exer SET A15=?, jx=? WHERE A1='1001010000000001-1'"),
            { QStringLiteral(
                  "<p>针对上述情况，乙公司应当承担的责任是：</p><p>A. 不承担责任<br>B. <b>赔偿损失</b><br>"
                  "C. 解除合同<br>D. 返还仓储费</p>"),
                QStringLiteral(
                    "<p>保管人未按约定条件保管，<span style=\"color:#b8452f\">应当赔偿</span>。</p>") });
        const QString suffix = u'-' + layout;

        ui::CatalogueWindow catalogue(bank.context);
        shoot(catalogue, folder, QStringLiteral("authoring-catalogue") + suffix);
        catalogue.hide();

        ui::QuestionEntryWindow entry(
            bank.context, QStringLiteral("100101"), QStringLiteral("第一章 基本规定"));
        entry.bodyEditor()->setHtml(QStringLiteral(
            "<p>仓储合同自何时成立？</p><ol><li>存货人交付仓储物时</li><li><b>双方意思表示一致时</b></li>"
            "<li>仓单签发时</li><li>支付仓储费时</li></ol>"));
        entry.explanationEditor()->setHtml(
            QStringLiteral("<p><i>仓储合同为诺成合同</i>，<u>双方意思表示一致即成立</u>。</p>"));
        entry.form().setExamPoints({ { QStringLiteral("1100010001"), QStringLiteral("合同法[第3条 订立]") },
            { QStringLiteral("1100010002"), QStringLiteral("合同法[第12条 违约]") } });
        QTest::keyClicks(entry.form().key(), QStringLiteral("B"));
        shoot(entry, folder, QStringLiteral("authoring-entry") + suffix);
        entry.hide();

        ui::QuestionEditorWindow editor(bank.context, QStringLiteral("1001010000000001-1"));
        QVERIFY(editor.loaded());
        shoot(editor, folder, QStringLiteral("authoring-editor") + suffix);
        editor.hide();

        ui::ExamPointPickerWindow picker(
            bank.context, ui::ExamPointPickerWindow::SelectionPage, { QStringLiteral("1100010002") });
        picker.lawBox()->setCurrentIndex(1);
        shoot(picker, folder, QStringLiteral("authoring-picker") + suffix);
        picker.hide();
        ui::ExamPointPickerWindow usage(bank.context, ui::ExamPointPickerWindow::UsagePage, {});
        shoot(usage, folder, QStringLiteral("authoring-usage") + suffix);
        usage.hide();

        QuestionAuthoring authoring(bank.db(), 1);
        QuestionImport import(authoring);
        const auto preview = import.preview(QStringLiteral(
            "章节代码,题型,试题内容,待选答案个数,试题答案,试题解析,对应考点\n"
            "100101,单选题,\"仓储合同自何时成立？\nA. 交付时\nB. 意思表示一致时\",4,B,,1100010001\n"
            "100101,多选题,下列属于保管人义务的有,4,ABC,,1100010001;1100010002\n"
            "100103,单选题,不存在的章节,4,A,,\n"
            "100102,单选题,小写答案,4,b,,\n"
            "100102,简答题,简述仓储物验收的内容,,,数量、质量、包装,\n"
            "100102,单选题,考点不在题库中,4,A,,1100019999\n")
                                                .toUtf8());
        QVERIFY(preview);
        ui::ImportPreviewWindow previewWindow(
            bank.context, import, *preview, QStringLiteral("/home/教师/题库.csv"));
        shoot(previewWindow, folder, QStringLiteral("authoring-import") + suffix);
        previewWindow.hide();
    }
};

VORLANE_UI_TEST(AuthoringScreenshotTest)
#include "AuthoringScreenshotTest.moc"
