#include "PracticeUiBank.h"
#include "ScreenLayouts.h"
#include "UiTest.h"

#include "ui/practice/CatalogueWindow.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

using namespace vorlane;
using namespace vorlane::test;

namespace {

// A picture of a window that was really painted: its size, and more than the background.
bool isPaintedPicture(const QString &file, const QSize &size)
{
    const QImage image(file);
    if (image.isNull() || image.size() != size)
        return false;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first)
                return true;
    return false;
}

} // namespace

// Pictures of the catalogue and the practice window in both layouts, saved through the real
// windows and checked. They go to VORLANE_SCREENSHOT_DIR when it is set (to look at them), else
// to a temporary folder.
class PracticeScreenshotTest : public QObject
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
        const QString stem = QStringLiteral("1001010000000001");
        bank.exec(QStringLiteral("INSERT INTO tab_title (A1, A15) VALUES (?, ?)"),
            { stem,
                QStringLiteral(
                    "<p>甲公司与乙公司于2025年3月签订买卖合同，约定甲公司向乙公司供应钢材一批……</p>") });
        for (int i = 1; i <= 23; ++i)
            bank.addQuestion(QStringLiteral("q%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("100101"),
                i % 4 == 0 ? 66 : 61, QStringLiteral("A"), 4, { QStringLiteral("1100010001") }, i);
        bank.addQuestion(
            stem + QStringLiteral("-1"), QStringLiteral("100101"), 61, QStringLiteral("B"), 4, {}, 0);
        bank.exec(QStringLiteral("UPDATE tab_exer SET A15=? WHERE A1 LIKE 'q%'"),
            { QStringLiteral("<p>根据合同法的规定，下列关于要约的说法中，正确的是（　）。</p>"
                             "<p>A. 要约可以撤回</p><p>B. 要约一经发出即生效</p>"
                             "<p>C. 要约不得撤销</p><p>D. 要约邀请视为要约</p>") });
        bank.exec(QStringLiteral(
            "UPDATE tab_kmmc SET D1=12, D2=3, C4=9, C6='75.00' WHERE C1 IN ('100101','10','1')"));
        QDir().mkpath(folder);

        QStringList saved;
        const auto save = [&](QWidget &window, const QString &name) {
            const QString file = folder + QLatin1Char('/') + name.arg(layout);
            QVERIFY(window.grab().save(file));
            QVERIFY2(isPaintedPicture(file, window.size()), qPrintable(file));
            saved.append(file);
        };
        bank.modal.setDriver([&](QDialog &dialog) {
            auto &practice = static_cast<ui::PracticeWindow &>(dialog);
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0A"));
            click(&practice, QStringLiteral("submitButton"));
            click(&practice, QStringLiteral("nextButton"));
            click(&practice, QStringLiteral("option0B"));
            click(&practice, QStringLiteral("submitButton"));
            QTest::qWait(50);
            save(dialog, QStringLiteral("practice%1.png"));
            click(&practice, QStringLiteral("answerButton"));
            QTest::qWait(50);
            save(dialog, QStringLiteral("practice%1-answer.png"));
            click(&practice, QStringLiteral("indicator1"));
            QTest::qWait(50);
            save(dialog, QStringLiteral("practice%1-composite.png"));
            dialog.close();
        });
        ui::CatalogueWindow catalogue(bank.context);
        catalogue.show();
        QVERIFY(catalogue.selectCode(QStringLiteral("100101")));
        QTest::qWait(50);
        save(catalogue, QStringLiteral("catalogue%1.png"));
        click(&catalogue, QStringLiteral("newQuestionsArea"));
        QCOMPARE(saved.size(), 4);
    }
};

VORLANE_UI_TEST(PracticeScreenshotTest)
#include "PracticeScreenshotTest.moc"
