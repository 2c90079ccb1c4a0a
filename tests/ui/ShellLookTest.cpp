#include "UiTest.h"

#include "ShellFixture.h"

#include "core/store/Schema.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/InfoWindows.h"
#include "ui/shell/MenuWindow.h"
#include "ui/shell/Theme.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTest>

using namespace vorlane;

// The shell's windows as the program shows them: with its theme (宋体 at 14 pixels), whose
// larger face is what overflows fixed places.
class ShellLookTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_font = QApplication::font();
        m_palette = QApplication::palette();
        ui::applyTheme(*qApp);
    }

    void cleanupTestCase()
    {
        qApp->setStyleSheet(QString());
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

    void theAboutTextsShowWhole()
    {
        ui::AboutWindow about(QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        for (const QLabel *label : about.findChildren<QLabel *>()) {
            if (!label->wordWrap())
                continue;
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                qPrintable(QStringLiteral("%1 > %2: %3")
                               .arg(label->heightForWidth(label->width()))
                               .arg(label->height())
                               .arg(label->text())));
            QVERIFY2(label->geometry().bottom() < about.height(), qPrintable(label->text()));
        }
    }

    // The whole menu, every item served, on the demo bank's subjects: nothing may fall off an
    // 800 by 600 screen or a 1024 by 768 one.
    void theFullMenuFitsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800") << QSize(800, 600);
        QTest::newRow("1024") << QSize(1024, 768);
    }

    void theFullMenuFitsTheScreen()
    {
        QFETCH(QSize, screen);
        test::ShellFixture fixture;
        const QString demo = fixture.state.appDir + QStringLiteral("data/") + QLatin1String(bank::FileName);
        const QString copy = fixture.dir.filePath(QStringLiteral("demo.db"));
        QVERIFY2(QFile::copy(demo, copy), qPrintable(demo));
        auto opened = Database::open(copy, bank::password());
        QVERIFY(opened.ok());
        ui::UiContext context { fixture.state, *opened.value(), fixture.clock, fixture.prompt,
            fixture.progress, fixture.modal, fixture.music.get() };
        // Made as the program makes it: the menu first, then the commands, then the items.
        ui::CommandDispatcher dispatcher;
        ui::MenuWindow menu(context, dispatcher);
        for (const QString &word : menu.words())
            dispatcher.add(word, ui::CommandDispatcher::Cursor::Unchanged, [] {});
        menu.refreshItems();
        menu.setGeometry(QRect(QPoint(0, 0), screen));
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QCOMPARE(menu.size(), screen);
        const QRect area = menu.rect();
        QList<QWidget *> shown { menu.findChild<QLabel *>(QStringLiteral("menuHint")) };
        for (const QString &word : menu.words())
            shown.append(menu.item(word));
        for (int subject = 1; subject <= 5; ++subject) {
            auto *card = menu.findChild<QWidget *>(QStringLiteral("subjectCard%1").arg(subject));
            shown.append(card);
            // Not squeezed: the title and both items keep their room.
            QVERIFY(card->layout()->hasHeightForWidth());
            QVERIFY2(card->height() >= card->layout()->totalHeightForWidth(card->width()),
                qPrintable(card->objectName()));
        }
        for (QWidget *widget : std::as_const(shown)) {
            QVERIFY(widget->isVisible());
            const QRect place(widget->mapTo(&menu, QPoint(0, 0)), widget->size());
            QVERIFY2(area.contains(place), qPrintable(widget->objectName()));
        }
    }

private:
    QFont m_font;
    QPalette m_palette;
};

VORLANE_UI_TEST(ShellLookTest)
#include "ShellLookTest.moc"
