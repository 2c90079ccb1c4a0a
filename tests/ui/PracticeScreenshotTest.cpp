#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"

#include <QDir>

using namespace vorlane;
using namespace vorlane::test;

// Saves pictures of the catalogue and the practice window in both layouts to the folder named by
// VORLANE_SCREENSHOT_DIR, for a person to look at; does nothing without it.
class PracticeScreenshotTest : public QObject
{
    Q_OBJECT

private slots:
    void saveScreens_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("800") << QStringLiteral("800");
        QTest::newRow("1024") << QStringLiteral("1024");
    }
    void saveScreens()
    {
        QFETCH(QString, layout);
        const QString folder = qEnvironmentVariable("VORLANE_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("VORLANE_SCREENSHOT_DIR not set");
        PracticeUiBank bank;
        bank.state.screenLayout = layout;
        const QString stem = QStringLiteral("1001010000000001");
        bank.exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?, ?)"),
                  {stem, QStringLiteral("<p>甲公司与乙公司于2025年3月签订买卖合同，约定甲公司向乙公司供应钢材一批……</p>")});
        for (int i = 1; i <= 23; ++i)
            bank.addQuestion(QStringLiteral("q%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("100101"),
                             i % 4 == 0 ? 66 : 61, QStringLiteral("A"), 4, {QStringLiteral("1100010001")}, i);
        bank.addQuestion(stem + QStringLiteral("-1"), QStringLiteral("100101"), 61, QStringLiteral("B"), 4, {}, 0);
        bank.exec(QStringLiteral("UPDATE tab_exer SET A15=? WHERE A1 LIKE 'q%'"),
                  {QStringLiteral("<p>根据合同法的规定，下列关于要约的说法中，正确的是（　）。</p>"
                                  "<p>A. 要约可以撤回</p><p>B. 要约一经发出即生效</p>"
                                  "<p>C. 要约不得撤销</p><p>D. 要约邀请视为要约</p>")});
        bank.exec(QStringLiteral("UPDATE tab_kmmc SET D1=12, D2=3, C4=9, C6='75.00' WHERE C1 IN ('100101','10','1')"));
        QDir().mkpath(folder);

        bank.hooks.runModal = [&](QDialog &dialog) {
            dialog.show();
            auto &practice = static_cast<ui::PracticeWindow &>(dialog);
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0A"));
            click(&practice, QStringLiteral("submitButton"));
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0B"));
            click(&practice, QStringLiteral("submitButton"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1.png").arg(layout));
            click(&practice, QStringLiteral("answerButton"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1-answer.png").arg(layout));
            click(&practice, QStringLiteral("indicator1"));
            QTest::qWait(50);
            dialog.grab().save(folder + QStringLiteral("/practice%1-composite.png").arg(layout));
            dialog.close();
            return 0;
        };
        ui::CatalogueWindow catalogue(bank.context, bank.hooks);
        catalogue.show();
        QVERIFY(catalogue.selectCode(QStringLiteral("100101")));
        QTest::qWait(50);
        catalogue.grab().save(folder + QStringLiteral("/catalogue%1.png").arg(layout));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
    }
};

VORLANE_UI_TEST(PracticeScreenshotTest)
#include "PracticeScreenshotTest.moc"
