#include "ShellFixture.h"
#include "UiTest.h"

#include <QLabel>
#include <QPushButton>

using namespace vorlane;
using vorlane::ui::PromptDialog;

namespace {

QPushButton *button(PromptDialog &box, const char *name)
{
    return box.findChild<QPushButton *>(QLatin1String(name));
}

QString shownButtons(PromptDialog &box)
{
    QStringList shown;
    for (const char *name : { "promptLeft", "promptMiddle", "promptRight" })
        if (!button(box, name)->isHidden())
            shown.append(button(box, name)->text());
    return shown.join(QLatin1Char(','));
}

} // namespace

class ShellPromptTest : public QObject
{
    Q_OBJECT

private slots:
    void buttonSets_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("buttons");
        QTest::newRow("set 0") << 0 << QStringLiteral("NO") << QStringLiteral("确定,取消");
        QTest::newRow("set 1") << 1 << QStringLiteral("No") << QStringLiteral("确定");
        QTest::newRow("set 2 normal") << 2 << QStringLiteral("NO") << QStringLiteral("确定,确定,取消");
        QTest::newRow("set 2 exam") << 2 << QStringLiteral("Exam") << QStringLiteral("确定,取消,作废");
        QTest::newRow("set 3") << 3 << QString() << QStringLiteral("确定");
        QTest::newRow("exam word is exact")
            << 2 << QStringLiteral("exam") << QStringLiteral("确定,确定,取消");
    }

    void buttonSets()
    {
        QFETCH(int, set);
        QFETCH(QString, mode);
        QFETCH(QString, buttons);
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        box.queueAnswer(PromptDialog::Middle);
        box.ask(QStringLiteral("提示"), QStringLiteral("文字"), set, 0, mode);
        QCOMPARE(shownButtons(box), buttons);
    }

    void anUnknownSetKeepsThePreviousButtons()
    {
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        box.queueAnswer(1);
        box.ask(QStringLiteral("提示"), QStringLiteral("a"), 0, 0);
        box.queueAnswer(1);
        box.ask(QStringLiteral("提示"), QStringLiteral("b"), 7, 0);
        QCOMPARE(shownButtons(box), QStringLiteral("确定,取消"));
    }

    // Real clicks on a real modal box: left 1, right 2, middle 3.
    void aClickedButtonGivesItsResult_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<int>("result");
        QTest::newRow("set 2 left") << 2 << QStringLiteral("promptLeft") << 1;
        QTest::newRow("set 2 middle") << 2 << QStringLiteral("promptMiddle") << 3;
        QTest::newRow("set 2 right") << 2 << QStringLiteral("promptRight") << 2;
        QTest::newRow("set 1 single button") << 1 << QStringLiteral("promptMiddle") << 3;
        QTest::newRow("set 0 cancel") << 0 << QStringLiteral("promptRight") << 2;
    }

    void aClickedButtonGivesItsResult()
    {
        QFETCH(int, set);
        QFETCH(QString, buttonName);
        QFETCH(int, result);
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        bool sawBox = false;
        runner.setDriver([&](QDialog &modal) {
            sawBox = &modal == &box && box.isVisible();
            QTest::mouseClick(box.findChild<QPushButton *>(buttonName), Qt::LeftButton);
        });
        QCOMPARE(
            box.ask(QStringLiteral("提示"), QStringLiteral("文字"), set, 0, QStringLiteral("NO")), result);
        QVERIFY(sawBox);
    }

    void escapeDoesNotCloseTheBox()
    {
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        runner.setDriver([&](QDialog &) {
            QTest::keyClick(&box, Qt::Key_Escape);
            QVERIFY(box.isVisible());
            QTest::mouseClick(button(box, "promptMiddle"), Qt::LeftButton);
        });
        QCOMPARE(box.ask(QStringLiteral("提示"), QStringLiteral("文字"), 1, 0), 3);
    }

    // Several boxes in a row are answered from the queue, in order; each is recorded with the
    // window that owned it (none here: the box has no owner of its own and no window is open).
    void queuedAnswersAnswerSeveralBoxesInOrder()
    {
        QWidget home;
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner, &home);
        box.queueAnswers({ PromptDialog::Left, PromptDialog::Right });
        QCOMPARE(box.ask(QStringLiteral("提示"), QStringLiteral("一"), 0, 0), int(PromptDialog::Left));
        QCOMPARE(box.ask(QStringLiteral("错误"), QStringLiteral("二"), 0, 2), int(PromptDialog::Right));
        QCOMPARE(box.queuedAnswers(), 0);
        QCOMPARE(box.shown().size(), 2);
        QCOMPARE(box.shown().at(0).text, QStringLiteral("一"));
        QCOMPARE(box.shown().at(1).caption, QStringLiteral("错误"));
        QCOMPARE(box.shown().at(1).icon, 2);
        QCOMPARE(box.shown().at(1).owner, &home);
        QVERIFY(runner.opened().isEmpty()); // answered without being shown
    }

    void theNarrowSetIsUndoneByTheNextCall()
    {
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        box.queueAnswers({ 3, 1, 3 });
        box.ask(QStringLiteral("提示"), QStringLiteral("文字"), 1, 0);
        const QSize normal = box.size();
        box.ask(QStringLiteral("提示"), QStringLiteral("已是第一条"), 3, 0);
        QVERIFY(box.width() < normal.width());
        const QPushButton *left = button(box, "promptLeft");
        QVERIFY(box.rect().contains(left->geometry()));
        QVERIFY(box.rect().contains(box.findChild<QLabel *>(QStringLiteral("promptText"))->geometry()));
        box.ask(QStringLiteral("提示"), QStringLiteral("文字"), 1, 0);
        QCOMPARE(box.size(), normal);
    }

    void captionTextAndIconAreShown()
    {
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        box.queueAnswer(3);
        box.ask(QStringLiteral("错误"), QStringLiteral("保存设置失败！"), 1, 2, QStringLiteral("No"));
        QCOMPARE(box.windowTitle(), QStringLiteral("错误"));
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("promptTitle"))->text(), QStringLiteral("错误"));
        QCOMPARE(
            box.findChild<QLabel *>(QStringLiteral("promptText"))->text(), QStringLiteral("保存设置失败！"));
        QCOMPARE(box.lastIcon(), 2);
        QVERIFY(!box.findChild<QLabel *>(QStringLiteral("promptIcon"))->pixmap().isNull());
    }

    void aLongMessageMakesTheBoxTallerNotCut()
    {
        ui::ModalRunner runner = test::quietRunner();
        PromptDialog box(runner);
        box.queueAnswer(3);
        const QString text = QStringLiteral("这是一段很长的提示文字，").repeated(8);
        box.ask(QStringLiteral("提示"), text, 1, 0);
        const auto *label = box.findChild<QLabel *>(QStringLiteral("promptText"));
        QVERIFY(box.height() > 110);
        QVERIFY(label->geometry().bottom() < button(box, "promptMiddle")->geometry().top());
        QVERIFY(button(box, "promptMiddle")->geometry().bottom() < box.height());
    }

    void theProgressWindowShowsEachStage()
    {
        ui::ProgressWindow progress;
        QCOMPARE(progress.stageText(), QStringLiteral("请等待..."));
        progress.showStage(QStringLiteral("正在出卷..."));
        QVERIFY(progress.isVisible());
        const auto *label = progress.findChild<QLabel *>(QStringLiteral("progressLabel"));
        QCOMPARE(label->text(), QStringLiteral("正在出卷..."));
        // The longest stage any window shows fits whole inside the window.
        const QString longest = QStringLiteral("正在初始化数据...");
        QVERIFY(progress.rect().contains(label->geometry()));
        QVERIFY(label->fontMetrics().horizontalAdvance(longest) <= label->width());
        progress.hide();
        progress.showStage(QStringLiteral("正在判卷..."));
        QCOMPARE(progress.stageText(), QStringLiteral("正在判卷..."));
    }
};

VORLANE_UI_TEST(ShellPromptTest)
#include "ShellPromptTest.moc"
