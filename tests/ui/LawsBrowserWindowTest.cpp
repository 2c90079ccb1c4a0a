#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/laws/BankSearchWindow.h"
#include "ui/laws/LawsBrowserWindow.h"
#include "ui/laws/LawsCommands.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/widgets/AnswerPanel.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace vorlane;
using namespace vorlane::test;
using vorlane::ui::BankSearchWindow;
using vorlane::ui::LawsBrowserWindow;
using vorlane::ui::PracticeWindow;

namespace {

// The practice fixture's law 110001 (合同法, articles 0001..0003) under category 11, and a
// second law 120001 under category 12 whose article 0001 some questions test as well.
class LawsUiBank : public PracticeUiBank
{
public:
    LawsUiBank()
    {
        exec(QStringLiteral("UPDATE tab_fgmc SET bh = 1 WHERE id = '11'"));
        exec(QStringLiteral("UPDATE tab_fgmc SET bh = 2 WHERE id = '110001'"));
        exec(QStringLiteral(
            "INSERT INTO tab_fgmc (id, n, bh) VALUES ('12','行政类',3),('120001','《仓储管理条例》',4)"));
        exec(QStringLiteral("UPDATE tab_rule SET n = '<p>' || sn || ' 的条文</p>'"));
        exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, n) VALUES "
                            "('1200010001','120001','第一条','<p>仓储经营者应当备案。</p>')"));
    }

    // A question testing the given articles, with every q counter raised as entry does.
    void addTested(const QString &id, const QString &chapter, const QStringList &points, int order = 0)
    {
        addQuestion(id, chapter, 61, QStringLiteral("A"), 4, points, order);
        QSet<QString> laws, categories;
        for (const QString &point : points) {
            exec(QStringLiteral("UPDATE tab_rule SET q = q + 1 WHERE ftid = ?"), { point });
            laws.insert(point.left(6));
            categories.insert(point.left(2));
        }
        for (const QString &id : laws + categories)
            exec(QStringLiteral("UPDATE tab_fgmc SET q = q + 1 WHERE id = ?"), { id });
    }

    int articleCounter(const char *column, const char *ftid)
    {
        return integer(QStringLiteral("SELECT %1 FROM tab_rule WHERE ftid = ?").arg(QLatin1String(column)),
            { QLatin1String(ftid) });
    }
    int lawCounter(const char *column, const char *id)
    {
        return integer(QStringLiteral("SELECT %1 FROM tab_fgmc WHERE id = ?").arg(QLatin1String(column)),
            { QLatin1String(id) });
    }
};

QTableView *grid(LawsBrowserWindow &browser)
{
    return browser.findChild<QTableView *>(QStringLiteral("lawsGrid"));
}

QListWidget *articleList(LawsBrowserWindow &browser)
{
    return browser.findChild<QListWidget *>(QStringLiteral("articleList"));
}

QString labelText(QWidget *window, const char *name)
{
    return window->findChild<QLabel *>(QLatin1String(name))->text();
}

QString buttonText(QWidget *window, const char *name)
{
    return window->findChild<QAbstractButton *>(QLatin1String(name))->text();
}

QStringList items(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Clicks a grid row and, when asked, double-clicks it.
void clickRow(LawsBrowserWindow &browser, int row, bool doubleClick = false)
{
    QTableView *view = grid(browser);
    const QPoint centre = view->visualRect(view->model()->index(row, 0)).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    if (doubleClick)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

void clickArticle(LawsBrowserWindow &browser, int row)
{
    QListWidget *list = articleList(browser);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void typeInto(QWidget *window, const char *name, const QString &text)
{
    auto *edit = window->findChild<QLineEdit *>(QLatin1String(name));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Chinese text arrives from the input method as a committed string.
    QInputMethodEvent input;
    input.setCommitString(text);
    QApplication::sendEvent(edit, &input);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace

class LawsBrowserWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void listsTheCatalogueWithRightAlignedCounters()
    {
        LawsUiBank bank;
        bank.exec(QStringLiteral(
            "UPDATE tab_fgmc SET q = 12, q1 = 5, q2 = 1234567890, q4 = 3 WHERE id = '110001'"));
        LawsBrowserWindow browser(bank.context);
        browser.show();
        QCOMPARE(labelText(&browser, "lawsTitle"), QStringLiteral("考点目录"));
        QAbstractItemModel *model = grid(browser)->model();
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->index(1, 0).data().toString(), QStringLiteral("合同法"));
        QCOMPARE(model->index(1, 1).data().toString(), QStringLiteral("       12"));
        QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("1234567890"));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral(" 已做题数"));
        QVERIFY(model->headerData(0, Qt::Horizontal).toString().endsWith(QStringLiteral("考 点 名 称")));
        QVERIFY(!isEnabledButton(&browser, QStringLiteral("keyPointsButton")));
        QVERIFY(!isEnabledButton(&browser, QStringLiteral("practiseButton")));
        QVERIFY(browser.findChild<QWidget *>(QStringLiteral("backButton"))->isHidden());
        clickRow(browser, 3);
        QCOMPARE(grid(browser)->toolTip(), QStringLiteral("《仓储管理条例》"));
        QCOMPARE(browser.size(), QSize(900, 599));
    }

    void searchFindsTheFirstMatchByButtonOrEnter()
    {
        LawsUiBank bank;
        LawsBrowserWindow browser(bank.context);
        browser.show();
        typeInto(&browser, "findEdit", QStringLiteral("  仓储 "));
        QCOMPARE(browser.currentRow(), 3);
        // No match leaves the selection; the button searches from the top again.
        typeInto(&browser, "findEdit", QStringLiteral("没有这部法"));
        QCOMPARE(browser.currentRow(), 3);
        browser.findChild<QLineEdit *>(QStringLiteral("findEdit"))->setText(QStringLiteral("类"));
        click(&browser, QStringLiteral("findButton"));
        QCOMPARE(browser.currentRow(), 0);
    }

    void aHeadingIsRefused()
    {
        LawsUiBank bank;
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 2);
        bank.prompt.queueAnswer(1);
        click(&browser, QStringLiteral("selectButton"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("请选择具体章节!"));
        QCOMPARE(bank.prompt.lastCaption(), QStringLiteral("提示"));
        QVERIFY(!browser.lawOpen());
        QVERIFY(grid(browser)->isVisible());
        bank.prompt.queueAnswer(1);
        clickRow(browser, 0, true);
        QCOMPARE(bank.prompt.askCount(), 2);
        QVERIFY(!browser.lawOpen());
    }

    void opensALawAndTogglesKeyPointsTwice()
    {
        LawsUiBank bank;
        const QString a1 = QStringLiteral("1100010001"), a2 = QStringLiteral("1100010002");
        // 4 questions over 3 articles: the minimum is 1; article 0003 has none.
        bank.addTested(QStringLiteral("x1"), QStringLiteral("100101"), { a1 });
        bank.addTested(QStringLiteral("x2"), QStringLiteral("100101"), { a1 });
        bank.addTested(QStringLiteral("x3"), QStringLiteral("100101"), { a1 });
        bank.addTested(QStringLiteral("x4"), QStringLiteral("100101"), { a2 });
        bank.exec(QStringLiteral("UPDATE tab_fgmc SET q = 7 WHERE id = '110001'")); // 7 div 3 = 2
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        QVERIFY(browser.lawOpen());
        QCOMPARE(labelText(&browser, "lawsTitle"), QStringLiteral("合同法"));
        QVERIFY(browser.findChild<QWidget *>(QStringLiteral("articleView"))->isVisible());
        QVERIFY(!grid(browser)->isVisible());
        QVERIFY(browser.findChild<QWidget *>(QStringLiteral("findEdit"))->isHidden());
        QVERIFY(browser.findChild<QWidget *>(QStringLiteral("selectButton"))->isHidden());
        QVERIFY(!browser.findChild<QWidget *>(QStringLiteral("backButton"))->isHidden());
        QCOMPARE(items(articleList(browser)),
            (QStringList { QStringLiteral("第3条 订立(3)"), QStringLiteral("第12条 违约(1)"),
                QStringLiteral("第1条 总则") }));
        QCOMPARE(browser.findChild<QTextBrowser *>(QStringLiteral("articleText"))->toPlainText(),
            QStringLiteral("第3条 订立 的条文"));
        QCOMPARE(labelText(&browser, "articleNote"),
            QStringLiteral("相关题数：3题  已做题数：0题  已做道次：0次  做错道次：0次"));
        QVERIFY(isEnabledButton(&browser, QStringLiteral("practiseButton")));

        clickArticle(browser, 2);
        QCOMPARE(
            labelText(&browser, "articleNote"), QStringLiteral("虽然针对该内容的习题没有，您仍要仔细阅读！"));
        QVERIFY(!isEnabledButton(&browser, QStringLiteral("practiseButton")));

        click(&browser, QStringLiteral("keyPointsButton"));
        QCOMPARE(buttonText(&browser, "keyPointsButton"), QStringLiteral("全部(&A)"));
        QCOMPARE(items(articleList(browser)), QStringList { QStringLiteral("第3条 订立(3)") });
        QCOMPARE(articleList(browser)->currentRow(), 0);
        click(&browser, QStringLiteral("keyPointsButton"));
        QCOMPARE(buttonText(&browser, "keyPointsButton"), QStringLiteral("重点(&M)"));
        QCOMPARE(articleList(browser)->count(), 3);

        // Nothing reaches the minimum: the message, and the full list stays.
        bank.exec(QStringLiteral("UPDATE tab_fgmc SET q = 30 WHERE id = '110001'"));
        click(&browser, QStringLiteral("backButton"));
        clickRow(browser, 1, true);
        bank.prompt.queueAnswer(3);
        click(&browser, QStringLiteral("keyPointsButton"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("此考点暂无重点内容！"));
        QCOMPARE(buttonText(&browser, "keyPointsButton"), QStringLiteral("重点(&M)"));
        QCOMPARE(articleList(browser)->count(), 3);
    }

    void aLawWithoutArticlesSaysSo()
    {
        LawsUiBank bank;
        bank.exec(QStringLiteral("DELETE FROM tab_rule WHERE id = '120001'"));
        LawsBrowserWindow browser(bank.context);
        browser.show();
        bank.prompt.queueAnswer(3);
        clickRow(browser, 3);
        click(&browser, QStringLiteral("selectButton"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("找不到考点!"));
        QVERIFY(browser.lawOpen());
        QCOMPARE(articleList(browser)->count(), 0);
        QVERIFY(!isEnabledButton(&browser, QStringLiteral("practiseButton")));
        click(&browser, QStringLiteral("backButton"));
        QVERIFY(!browser.lawOpen());
        QCOMPARE(labelText(&browser, "lawsTitle"), QStringLiteral("考 点 目 录"));
    }

    // Practising an article records like chapter practice: the chapter and its ancestors, the
    // day, and every exam point of each answered question, not only the practised article.
    void practisingAnArticleCountsEverywhereAndBackShowsIt()
    {
        LawsUiBank bank;
        const QString a1 = QStringLiteral("1100010001"), b1 = QStringLiteral("1200010001");
        bank.addTested(QStringLiteral("x1"), QStringLiteral("100101"), { a1, b1 }, 2);
        bank.addTested(QStringLiteral("x2"), QStringLiteral("100102"), { a1 }, 1);
        bank.addTested(QStringLiteral("x3"), QStringLiteral("100101"), { b1 }, 3);
        QString noticeBoard;
        bool explanationOff = false, examPointsOff = false, browserHidden = false;
        QStringList listed;
        bank.modal.setDriver([&](QDialog &dialog) {
            auto *practice = qobject_cast<PracticeWindow *>(&dialog);
            if (!practice)
                return;
            browserHidden = !dialog.parentWidget()->isVisible();
            noticeBoard = practice->noticeBoard();
            explanationOff = !isEnabledButton(practice, QStringLiteral("explanationButton"));
            examPointsOff = !isEnabledButton(practice, QStringLiteral("examPointsButton"));
            for (int i = 1; i <= practice->session().count(); ++i)
                listed << practice->session().at(i).id;
            click(practice, QStringLiteral("option0A")); // x2, right
            click(practice, QStringLiteral("nextButton"));
            click(practice, QStringLiteral("option0C")); // x1, wrong
            click(practice, QStringLiteral("submitButton"));
            dialog.close();
        });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        click(&browser, QStringLiteral("practiseButton"));

        QVERIFY(browserHidden);
        QCOMPARE(noticeBoard, QStringLiteral("第3条 订立"));
        QVERIFY(explanationOff);
        QVERIFY(examPointsOff);
        QCOMPARE(listed, (QStringList { QStringLiteral("x2"), QStringLiteral("x1") }));
        QVERIFY(bank.state.practiceList == QuestionListQuery::article(a1)); // a value, not statement text
        QVERIFY(browser.isVisible());

        // The day, the chapters with their ancestors, and the exam points of both questions.
        QCOMPARE(bank.integer(QStringLiteral("SELECT A2 FROM tab_rz")), 2);
        QCOMPARE(bank.integer(QStringLiteral("SELECT A3 FROM tab_rz")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1 = '100101'")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT D2 FROM tab_kmmc WHERE C1 = '100101'")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1 = '100102'")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1 = '10'")), 2);
        QCOMPARE(bank.integer(QStringLiteral("SELECT D1 FROM tab_kmmc WHERE C1 = '1'")), 2);
        QCOMPARE(bank.articleCounter("q1", "1100010001"), 2);
        QCOMPARE(bank.articleCounter("q2", "1100010001"), 2);
        QCOMPARE(bank.articleCounter("q4", "1100010001"), 1);
        QCOMPARE(bank.articleCounter("q2", "1200010001"), 1); // x1's other article
        QCOMPARE(bank.articleCounter("q4", "1200010001"), 1);
        QCOMPARE(bank.lawCounter("q2", "120001"), 1);
        QCOMPARE(bank.lawCounter("q2", "12"), 1);

        // The note keeps the counters read when the law was opened; Back shows the new ones.
        QCOMPARE(labelText(&browser, "articleNote"),
            QStringLiteral("相关题数：2题  已做题数：0题  已做道次：0次  做错道次：0次"));
        click(&browser, QStringLiteral("backButton"));
        QCOMPARE(browser.currentRow(), 1);
        QAbstractItemModel *model = grid(browser)->model();
        QCOMPARE(model->index(1, 2).data().toString().trimmed(), QStringLiteral("2"));
        QCOMPARE(model->index(1, 3).data().toString().trimmed(), QStringLiteral("2"));
        QCOMPARE(model->index(1, 4).data().toString().trimmed(), QStringLiteral("1"));
        QCOMPARE(model->index(3, 3).data().toString().trimmed(), QStringLiteral("1"));
    }

    // Article practice starts on the self-assessed page: a first question of a type without a
    // page of its own is shown there (chapter practice would show it on the single-choice page).
    void aQuestionOfAnUnknownTypeShowsOnTheSelfAssessedPage()
    {
        LawsUiBank bank;
        bank.addQuestion(QStringLiteral("u1"), QStringLiteral("100101"), 71, QStringLiteral("1"), 0,
            { QStringLiteral("1100010001") });
        bank.exec(QStringLiteral("UPDATE tab_rule SET q = 1 WHERE ftid = '1100010001'"));
        int page = -1;
        QString sideLabel;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *practice = qobject_cast<PracticeWindow *>(&dialog)) {
                page = practice->answerPanel()->page();
                click(practice, QStringLiteral("typeButton71"));
                sideLabel = labelText(practice, "sideLabel4");
            }
        });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        click(&browser, QStringLiteral("practiseButton"));
        QCOMPARE(page, 4);
        QCOMPARE(sideLabel.remove(QLatin1Char('\n')), QStringLiteral("主观")); // the type filter leaves it
    }

    void aVoidedQuestionIsListedWithItsNotice()
    {
        LawsUiBank bank;
        bank.addTested(QStringLiteral("v1"), QStringLiteral("100101"), { QStringLiteral("1100010002") });
        bank.exec(QStringLiteral("UPDATE tab_answ SET F1 = 1, E2 = 'zero' WHERE A1 = 'v1'"));
        QString notice, voidCaption, restoredCaption;
        bank.modal.setDriver([&](QDialog &dialog) {
            dialog.show();
            notice = labelText(&dialog, "voidNotice");
            voidCaption = buttonText(&dialog, "voidButton");
            click(&dialog, QStringLiteral("voidButton")); // restore it
            restoredCaption = buttonText(&dialog, "voidButton");
            dialog.close();
        });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        clickArticle(browser, 1);
        click(&browser, QStringLiteral("practiseButton"));
        QCOMPARE(notice, QStringLiteral("本题已被您作废！"));
        QCOMPARE(voidCaption, QStringLiteral("取消作废"));
        QCOMPARE(restoredCaption, QStringLiteral("本题作废"));
        QCOMPARE(bank.column(QStringLiteral("v1"), "F1"), QStringLiteral("0"));
    }

    void anArticleWhoseQuestionsAreGoneSaysTheyAreDone()
    {
        LawsUiBank bank;
        bank.exec(QStringLiteral("UPDATE tab_rule SET q = 2 WHERE ftid = '1100010003'"));
        bool practised = false;
        bank.modal.setDriver(
            [&](QDialog &dialog) { practised = practised || qobject_cast<PracticeWindow *>(&dialog); });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        clickArticle(browser, 2);
        bank.prompt.queueAnswer(3);
        click(&browser, QStringLiteral("practiseButton"));
        QVERIFY(!practised);
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("恭喜你，习题已做完！"));
        QVERIFY(browser.isVisible());
        QCOMPARE(labelText(&browser, "articleNote"),
            QStringLiteral("相关题数：2题  已做题数：0题  已做道次：0次  做错道次：0次"));
    }

    // Two articles of one law with the same title, one holding a quote: each practises its own.
    void theArticleIsKnownByItsKeyNotItsTitle()
    {
        LawsUiBank bank;
        bank.exec(QStringLiteral("UPDATE tab_rule SET sn = '第3条 ''订立''' WHERE id = '110001'"));
        bank.addTested(QStringLiteral("first"), QStringLiteral("100101"), { QStringLiteral("1100010001") });
        bank.addTested(QStringLiteral("second"), QStringLiteral("100101"), { QStringLiteral("1100010002") });
        QStringList listed;
        bank.modal.setDriver([&](QDialog &dialog) {
            auto &practice = static_cast<PracticeWindow &>(dialog);
            listed << practice.session().at(1).id;
        });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        clickRow(browser, 1, true);
        clickArticle(browser, 1);
        click(&browser, QStringLiteral("practiseButton"));
        clickArticle(browser, 0);
        click(&browser, QStringLiteral("practiseButton"));
        QCOMPARE(listed, (QStringList { QStringLiteral("second"), QStringLiteral("first") }));
    }

    void theBankSearchOpensAnArticleOrPractisesTheQuestionsFound()
    {
        LawsUiBank bank;
        bank.addTested(QStringLiteral("s1"), QStringLiteral("100101"), { QStringLiteral("1100010001") });
        bank.addTested(QStringLiteral("s2"), QStringLiteral("100102"), {});
        bank.exec(QStringLiteral(
            "UPDATE tab_exer SET A15 = '<p>仓储<b>经营者</b>的义务</p>' WHERE A1 IN ('s1','s2')"));
        QStringList articles, questions;
        int listed = 0;
        QString noticeBoard;
        bool openArticle = true;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *search = qobject_cast<BankSearchWindow *>(&dialog)) {
                dialog.show();
                auto *hits = search->findChild<QTreeWidget *>(QStringLiteral("searchHits"));
                articles.clear();
                questions.clear();
                for (int i = 0; i < hits->topLevelItem(0)->childCount(); ++i)
                    articles << hits->topLevelItem(0)->child(i)->text(0) + QLatin1Char('|')
                            + hits->topLevelItem(0)->child(i)->text(1);
                for (int i = 0; i < hits->topLevelItem(1)->childCount(); ++i)
                    questions << hits->topLevelItem(1)->child(i)->text(0) + QLatin1Char('|')
                            + hits->topLevelItem(1)->child(i)->text(1);
                click(search,
                    openArticle ? QStringLiteral("openArticleButton")
                                : QStringLiteral("practiseFoundButton"));
            } else if (auto *practice = qobject_cast<PracticeWindow *>(&dialog)) {
                dialog.show();
                listed = practice->session().count();
                noticeBoard = practice->noticeBoard();
                dialog.close();
            }
        });
        LawsBrowserWindow browser(bank.context);
        browser.show();
        typeInto(&browser, "bankSearchEdit", QStringLiteral("仓储经营者"));
        QCOMPARE(articles, QStringList { QStringLiteral("《仓储管理条例》|第一条") });
        QCOMPARE(questions,
            (QStringList { QStringLiteral("第一章 基本规定|仓储 经营者 的义务"),
                QStringLiteral("第二章 合同订立|仓储 经营者 的义务") }));
        QVERIFY(browser.lawOpen());
        QCOMPARE(labelText(&browser, "lawsTitle"), QStringLiteral("《仓储管理条例》"));
        QCOMPARE(browser.currentArticle()->key, QStringLiteral("1200010001"));

        openArticle = false;
        click(&browser, QStringLiteral("bankSearchButton"));
        QCOMPARE(listed, 2);
        QCOMPARE(noticeBoard, QStringLiteral("检索：仓储经营者"));

        // Markup is not text; nothing found says so.
        bank.prompt.queueAnswer(3);
        typeInto(&browser, "bankSearchEdit", QStringLiteral("<b>"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("没有找到“<b>”。"));
    }

    void theCompactLayoutFitsTheSmallScreen()
    {
        LawsUiBank bank;
        bank.state.screenLayout = QStringLiteral("800");
        LawsBrowserWindow browser(bank.context);
        browser.show();
        QCOMPARE(browser.size(), QSize(760, 504));
        QCOMPARE(grid(browser)->columnWidth(0), 410);
        QCOMPARE(
            browser.findChild<QWidget *>(QStringLiteral("exitButton"))->geometry(), QRect(652, 425, 75, 22));
        for (QWidget *child : browser.findChildren<QWidget *>())
            if (child->isVisible() && child->parentWidget() == &browser)
                QVERIFY2(browser.rect().contains(child->geometry()), qPrintable(child->objectName()));
    }

    void bothMenuWordsOpenTheBrowserOverTheMenu()
    {
        LawsUiBank bank;
        ui::CommandDispatcher dispatcher;
        QWidget menu;
        menu.setObjectName(QStringLiteral("menu"));
        ui::addLawsCommands(dispatcher, bank.context, &menu);
        QStringList shown;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *browser = qobject_cast<LawsBrowserWindow *>(&dialog)) {
                shown << labelText(browser, "lawsTitle");
                click(browser, QStringLiteral("exitButton"));
            }
        });
        for (const char *word : { "ksdg", "zsd" })
            QVERIFY(dispatcher.dispatch(QLatin1String(word)));
        QCOMPARE(shown, (QStringList { QStringLiteral("考点目录"), QStringLiteral("考点目录") }));
        QCOMPARE(bank.modal.opened().size(), 2);
        QCOMPARE(bank.modal.opened().at(0).name, QStringLiteral("lawsBrowser"));
        QCOMPARE(bank.modal.opened().at(0).ownerName, QStringLiteral("menu"));
    }
};

VORLANE_UI_TEST(LawsBrowserWindowTest)
#include "LawsBrowserWindowTest.moc"
