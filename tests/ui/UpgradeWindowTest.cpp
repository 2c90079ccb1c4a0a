#include "ShellFixture.h"
#include "UiTest.h"

#include "ui/settings/UpgradeCommands.h"
#include "ui/settings/UpgradeWindow.h"
#include "ui/shell/CommandDispatcher.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::ui::UpgradeWindow;

namespace {

template <typename T> T *child(QWidget &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// A bank of the product "PRODUCT" with one chapter, and an upgrade file that adds a question to it.
struct UpgradeUiBank : ShellFixture
{
    UpgradeUiBank()
    {
        exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('BASE', 'PRODUCT')"));
        exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3) VALUES (1, '1', '科目一', 0), "
                            "(2, '10', '篇', 0), (3, '1001', '章', 0), (4, '100101', '节', 0)"));
    }

    QString makeUpgradeFile(const QString &name, const QString &cpbs = QStringLiteral("PRODUCT"))
    {
        const QString path = dir.filePath(name);
        auto file = Database::open(path, QByteArray(), Database::Mode::CreateNew);
        if (!file)
            qFatal("%s", qPrintable(file.reason()));
        createSchema(**file);
        (*file)->exec(QStringLiteral("INSERT INTO tab_sj (sjbs, cpbs) VALUES ('UP1', ?1)"), { cpbs });
        (*file)->exec(QStringLiteral(
            "INSERT INTO tab_answ (A1, A2, A2_1, A10, A13) VALUES ('NEW1', 'A', 4, '100101', 61)"));
        (*file)->exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES ('NEW1', '<p>新题</p>')"));
        return path;
    }

    int questions() { return scalar(QStringLiteral("SELECT count(*) FROM tab_answ")).toInt(); }
};

} // namespace

class UpgradeWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void showsLocalUpgradeChosen()
    {
        UpgradeUiBank f;
        UpgradeWindow window(*f.context);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("题库升级"));
        QCOMPARE(child<QGroupBox>(window, "upgradeSource")->title(), QStringLiteral("选择升级方式"));
        QVERIFY(child<QRadioButton>(window, "upgradeLocal")->isChecked());
        QVERIFY(child<QLineEdit>(window, "upgradePath")->isVisible());
        QVERIFY(child<QPushButton>(window, "upgradeBrowse")->isVisible());
        QCOMPARE(child<QLabel>(window, "upgradeHint")->text(),
            QStringLiteral("建议先下载升级题库，然后选择本地升级！"));
        QVERIFY(UpgradeWindow::fileFilter().contains(QStringLiteral("*.db")));
        QVERIFY(!UpgradeWindow::fileFilter().contains(QStringLiteral("mdb")));
    }

    void noPathAsksForTheFolderButton()
    {
        UpgradeUiBank f;
        UpgradeWindow window(*f.context);
        window.show();
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "upgradeStart"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("请点击文件夹按钮选择升级文件！"));
        QCOMPARE(f.prompt.lastCaption(), QStringLiteral("提示"));
        QCOMPARE(f.prompt.lastIcon(), int(ui::PromptDialog::Warning));
    }

    void chosenFileIsMergedOnceAndTheSnapshotNamed()
    {
        UpgradeUiBank f;
        const QString path = f.makeUpgradeFile(QStringLiteral("升级 'a'.db"));
        UpgradeWindow window(*f.context);
        window.show();
        auto *edit = child<QLineEdit>(window, "upgradePath");

        // The folder button's dialog, answered as a user would: cancelled first, then a file chosen.
        QStringList dialogs;
        bool choose = false;
        f.modal.setDriver([&](QDialog &modal) {
            auto *dialog = qobject_cast<QFileDialog *>(&modal);
            if (!dialog)
                return;
            dialogs << dialog->objectName();
            QVERIFY(dialog->nameFilters().first().contains(QStringLiteral("*.db")));
            if (!choose) {
                dialog->reject();
                return;
            }
            dialog->selectFile(path);
            modal.accept(); // through QDialog: QFileDialog keeps its override protected
        });
        QTest::mouseClick(child<QPushButton>(window, "upgradeBrowse"), Qt::LeftButton);
        QCOMPARE(edit->text(), QString());
        choose = true;
        QTest::mouseClick(child<QPushButton>(window, "upgradeBrowse"), Qt::LeftButton);
        QCOMPARE(QDir::fromNativeSeparators(edit->text()), path);
        QCOMPARE(dialogs, QStringList(2, QStringLiteral("upgradeFileDialog")));

        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "upgradeStart"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("升级成功！"));
        QCOMPARE(f.prompt.lastIcon(), int(ui::PromptDialog::Information));
        QCOMPARE(f.questions(), 1);
        QCOMPARE(f.scalar(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1='1'")).toInt(), 1);
        const QString status = child<QLabel>(window, "upgradeStatus")->text();
        QVERIFY2(status.contains(QStringLiteral("新增试题 1 道")), qPrintable(status));
        const QString kept = QStringLiteral("升级前的题库已备份到：");
        QVERIFY2(status.contains(kept), qPrintable(status));
        const QString snapshot
            = status.mid(status.indexOf(kept) + kept.size()).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(QFile::exists(QDir::fromNativeSeparators(snapshot)), qPrintable(snapshot));

        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "upgradeStart"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), QStringLiteral("您已升级过了！"));
        QCOMPARE(f.questions(), 1);
        QVERIFY(window.isVisible()); // the window stays for another file
    }

    void refusedFilesSayWhyAndChangeNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::newRow("other product")
            << QStringLiteral("product") << QStringLiteral("升级文件不属于本软件！")
            << int(ui::PromptDialog::Warning);
        QTest::newRow("not a database") << QStringLiteral("garbage") << QStringLiteral("无法打开升级文件！")
                                        << int(ui::PromptDialog::Error);
    }
    void refusedFilesSayWhyAndChangeNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QFETCH(int, icon);
        UpgradeUiBank f;
        QString path;
        if (kind == QLatin1String("product")) {
            path = f.makeUpgradeFile(QStringLiteral("other.db"), QStringLiteral("OTHER"));
        } else {
            path = f.dir.filePath(QStringLiteral("garbage.db"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(2048, 'z'));
        }
        UpgradeWindow window(*f.context);
        window.show();
        QTest::keyClicks(child<QLineEdit>(window, "upgradePath"), path);
        f.prompt.queueAnswer(ui::PromptDialog::Middle);
        QTest::mouseClick(child<QPushButton>(window, "upgradeStart"), Qt::LeftButton);
        QCOMPARE(f.prompt.lastText(), message);
        QCOMPARE(f.prompt.lastIcon(), icon);
        QCOMPARE(f.questions(), 0);
    }

    void menuWordOpensTheWindow()
    {
        UpgradeUiBank f;
        ui::CommandDispatcher dispatcher;
        ui::addUpgradeCommands(dispatcher, *f.context, nullptr);
        QVERIFY(dispatcher.serves(QStringLiteral("sj")));
        QString title;
        bool closed = false;
        f.modal.setDriver([&](QDialog &window) {
            title = window.windowTitle();
            QTest::mouseClick(child<QPushButton>(window, "upgradeClose"), Qt::LeftButton);
            closed = !window.isVisible();
        });
        dispatcher.dispatch(QStringLiteral("sj"));
        QVERIFY(closed);
        QCOMPARE(f.modal.opened().size(), 1);
        QCOMPARE(f.modal.opened().first().name, QStringLiteral("upgradeWindow"));
        QCOMPARE(title, QStringLiteral("题库升级"));
    }
};

VORLANE_UI_TEST(UpgradeWindowTest)
#include "UpgradeWindowTest.moc"
