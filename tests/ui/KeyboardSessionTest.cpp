#include "ExamUiFixture.h"
#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/exam/ExamWindow.h"
#include "ui/practice/CatalogueWindow.h"
#include "ui/practice/PracticeCommands.h"
#include "ui/shell/CommandDispatcher.h"
#include "ui/shell/MenuWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

using namespace vorlane;
using namespace vorlane::test;
using ui::PromptDialog;

namespace {

// What the window manager does when a window appears: it gets the keyboard.
void activate(QWidget *window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

// Keys as the user types them: to whatever holds the focus, else to the active window.
void type(std::initializer_list<int> keys)
{
    for (const int key : keys) {
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
        QWidget *target
            = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        QVERIFY2(target, "no window has the keyboard");
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }
}

} // namespace

// A whole practice session and a whole mock exam without the mouse: every window is reached,
// answered and closed with keys only, and the bank shows the work.
class KeyboardSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void aPracticeSessionWithTheKeyboardOnly()
    {
        PracticeUiBank bank;
        bank.addQuestions(3);
        ui::CommandDispatcher dispatcher;
        ui::MenuWindow menu(bank.context, dispatcher);
        ui::addPracticeCommands(dispatcher, bank.context, &menu);
        menu.refreshItems();
        menu.resize(1024, 768);
        QStringList seen;
        bank.modal.setDriver([&](QDialog &dialog) {
            activate(&dialog);
            seen << dialog.objectName();
            if (qobject_cast<ui::CatalogueWindow *>(&dialog)) {
                // From the subject's row down to the first chapter, then Enter: 练习新题.
                type({ Qt::Key_Down, Qt::Key_Down, Qt::Key_Return });
                activate(&dialog);
                type({ Qt::Key_Escape });
            } else if (qobject_cast<ui::PracticeWindow *>(&dialog)) {
                type({ Qt::Key_A, Qt::Key_F2 }); // choose A, 完成
                type({ Qt::Key_F3 }); // 答案: the answer view
                QCOMPARE(dialog.findChild<QLineEdit *>(QStringLiteral("rightAnswer"))->text(),
                    QStringLiteral("A"));
                type({ Qt::Key_F3, Qt::Key_Return }); // back, next question
                type({ Qt::Key_B, Qt::Key_Return }); // recorded on leaving
                type({ Qt::Key_F5 }); // 笔记
                activate(&dialog);
                type({ Qt::Key_Backspace, Qt::Key_Return, Qt::Key_C }); // back to 2, on to 3, choose C
                type({ Qt::Key_Escape }); // 关闭: the choice is recorded
            } else if (dialog.objectName() == QStringLiteral("noteWindow")) {
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("check A"));
                type({ Qt::Key_Escape });
            }
        });
        menu.show();
        activate(&menu);
        type({ Qt::Key_Return }); // the first subject's 章节练习
        QCOMPARE(seen,
            QStringList({ QStringLiteral("catalogueWindow"), QStringLiteral("practiceWindow"),
                QStringLiteral("noteWindow") }));
        QCOMPARE(bank.column(QStringLiteral("q001"), "E2"), QStringLiteral("A"));
        QCOMPARE(bank.column(QStringLiteral("q002"), "E2"), QStringLiteral("B"));
        QCOMPARE(bank.column(QStringLiteral("q003"), "E2"), QStringLiteral("C"));
        QCOMPARE(bank.column(QStringLiteral("q003"), "A14"), QStringLiteral("check A"));
        QCOMPARE(bank.prompt.askCount(), 0);
    }

    void aMockExamWithTheKeyboardOnly()
    {
        ExamUiFixture f;
        const exam::PaperIdentity paper = f.makePaper(3);
        QStringList boxes;
        QString score;
        f.modal.setDriver([&](QDialog &dialog) {
            activate(&dialog);
            if (&dialog == &f.prompt) {
                boxes << f.prompt.lastText();
                // The box offers 取消 first; 确定 is one step back.
                type({ Qt::Key_Backtab, Qt::Key_Return });
                return;
            }
            QCOMPARE(dialog.objectName(), QStringLiteral("examWindow"));
            type({ Qt::Key_A, Qt::Key_Return, Qt::Key_A, Qt::Key_Return, Qt::Key_B }); // two right, one wrong
            type({ Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_PageDown, Qt::Key_PageDown });
            type({ Qt::Key_F2 }); // 交卷
            activate(&dialog);
            score = dialog.findChild<QLabel *>(QStringLiteral("examScore"))->text();
            type({ Qt::Key_F3 }); // the review shows the answer of the question
            QCOMPARE(
                dialog.findChild<QLabel *>(QStringLiteral("examRightAnswer"))->text(), QStringLiteral("A"));
            type({ Qt::Key_Escape }); // 关闭
            QVERIFY(!dialog.isVisible());
        });
        ui::ExamWindow window(*f.context);
        QVERIFY(window.openPaper(paper));
        f.modal.run(window);
        QCOMPARE(boxes, QStringList { QStringLiteral("恭喜你已经做完试卷，确定要交卷吗？") });
        QCOMPARE(score, QStringLiteral("得分：2 分"));
        QCOMPARE(f.scalar(QStringLiteral("SELECT A6 FROM tab_cj")).toInt(), 2);
    }
};

VORLANE_UI_TEST(KeyboardSessionTest)
#include "KeyboardSessionTest.moc"
