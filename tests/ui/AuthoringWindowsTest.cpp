#include "PracticeUiBank.h"
#include "UiTest.h"

#include "ui/authoring/ExamPointPickerWindow.h"
#include "ui/authoring/ImportPreviewWindow.h"
#include "ui/authoring/QuestionEditorWindow.h"
#include "ui/authoring/QuestionEntryWindow.h"
#include "ui/authoring/RichTextEditor.h"
#include "ui/practice/CatalogueWindow.h"
#include "ui/shell/AuthoringOpeners.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

using namespace vorlane;
using namespace vorlane::test;

namespace {

QTextEdit *editor(QWidget *window, const char *name)
{
    return window->findChild<QTextEdit *>(QLatin1String(name) + QStringLiteral("Text"));
}

// Picks a type the way a user does: open the list with the keyboard and move to it.
void chooseType(QWidget *window, const QString &name)
{
    auto *box = window->findChild<QComboBox *>(QStringLiteral("typeBox"));
    QVERIFY(box);
    const int target = box->findText(name);
    QVERIFY2(target >= 0, qPrintable(name));
    box->setFocus();
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
}

void typeKey(QWidget *window, const QString &key)
{
    auto *edit = window->findChild<QLineEdit *>(QStringLiteral("keyEdit"));
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, key);
}

// Ticks the picker's articles at these rows with the mouse on their tick boxes.
void tick(QDialog &picker, const QList<int> &rows)
{
    auto *list = picker.findChild<QListWidget *>(QStringLiteral("articleList"));
    QVERIFY(list);
    for (int row : rows) {
        QListWidgetItem *item = list->item(row);
        QVERIFY(item);
        const QRect rect = list->visualItemRect(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 10, rect.center().y()));
        if (item->checkState() != Qt::Checked) // the style put the box elsewhere: use the space key
            QTest::keyClick(list, Qt::Key_Space);
    }
}

// Chinese arrives as an input method's commit, not as key presses.
void typeThroughInputMethod(QWidget *widget, const QString &text)
{
    widget->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(widget, &event);
}

int pointCount(QWidget *window)
{
    auto *list = window->findChild<QListWidget *>(QStringLiteral("examPointList"));
    return list ? list->count() : -1;
}

} // namespace

class AuthoringWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // The whole road: the catalogue's "试题录入", a question with two exam points, the new-question
    // list showing it as the user's own, "修改本题" and the edited notice.
    void enterPractiseAndEditAQuestion()
    {
        PracticeUiBank bank;
        ui::CatalogueWindow catalogue(bank.context);
        catalogue.show();
        QVERIFY(catalogue.selectCode(QStringLiteral("100101")));
        int entryChecks = 0;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (dialog.objectName() == QLatin1String("examPointPickerWindow")) {
                auto *laws = dialog.findChild<QComboBox *>(QStringLiteral("lawBox"));
                laws->setCurrentIndex(laws->findData(QStringLiteral("110001")));
                tick(dialog, { 0, 2 });
                click(&dialog, QStringLiteral("pickerOkButton"));
                return;
            }
            if (dialog.objectName() != QLatin1String("questionEntryWindow"))
                return;
            auto &entry = static_cast<ui::QuestionEntryWindow &>(dialog);
            QCOMPARE(entry.title(), QStringLiteral("试题录入 [第一章 基本规定]"));
            QTextEdit *body = editor(&entry, "bodyEditor");
            body->setFocus();
            QTest::keyClicks(body, QStringLiteral("Which one? "));
            click(entry.bodyEditor(), QStringLiteral("bodyEditor_bold"));
            QTest::keyClicks(body, QStringLiteral("Bold part"));
            chooseType(&entry, QStringLiteral("单选题"));
            QTest::keyClick(entry.findChild<QSpinBox *>(QStringLiteral("optionCountBox")), Qt::Key_Down);
            typeKey(&entry, QStringLiteral("b"));
            QCOMPARE(entry.findChild<QLineEdit *>(QStringLiteral("keyEdit"))->text(), QStringLiteral("B"));
            click(&entry, QStringLiteral("addExamPointsButton"));
            QCOMPARE(pointCount(&entry), 2);
            click(&entry, QStringLiteral("saveButton"));
            QCOMPARE(entry.savedCount(), 1);
            // The form is empty again for the next question.
            QVERIFY(body->toPlainText().isEmpty());
            QCOMPARE(pointCount(&entry), 0);
            ++entryChecks;
            click(&entry, QStringLiteral("closeButton"));
        });
        click(&catalogue, QStringLiteral("entryArea"));
        QCOMPARE(entryChecks, 1);
        QCOMPARE(bank.prompt.askCount(), 0);

        const QString id = bank.text(QStringLiteral("SELECT A1 FROM tab_answ WHERE F1=2"));
        QCOMPARE(id, QStringLiteral("US1001016140000") + u'1');
        QCOMPARE(
            bank.column(id, "A2") + bank.column(id, "A2_1") + bank.column(id, "K3") + bank.column(id, "K4"),
            QStringLiteral("B4") + QStringLiteral("1100010001") + QStringLiteral("1100010003"));
        const QString html = bank.text(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1=?"), { id });
        QVERIFY2(html.contains(QStringLiteral("font-weight")) && html.contains(QStringLiteral("Bold part")),
            qPrintable(html));
        QCOMPARE(bank.integer(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1='10'")), 1);
        QCOMPARE(bank.integer(QStringLiteral("SELECT q FROM tab_fgmc WHERE id='110001'")), 1);
        // The catalogue shows the new total.
        auto *total = catalogue.findChild<QLCDNumber *>(QStringLiteral("totalQuestions"));
        QCOMPARE(total->intValue(), 1);

        auto practice = bank.openPractice(PracticeMode::NewQuestions, QStringLiteral("100101"));
        QVERIFY(practice);
        QCOMPARE(practice->session().at(practice->session().currentPos()).id, id);
        QCOMPARE(practice->findChild<QLabel *>(QStringLiteral("voidNotice"))->text(),
            QStringLiteral("本题是您加入的题目！"));
        QVERIFY(practice->findChild<QLabel *>(QStringLiteral("editedNotice"))->text().isEmpty());

        bool timerStoppedWhileEditing = false;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (dialog.objectName() != QLatin1String("questionEditorWindow"))
                return;
            timerStoppedWhileEditing = !practice->questionTimer()->isActive();
            QCOMPARE(editor(&dialog, "bodyEditor")->toPlainText(), QStringLiteral("Which one? Bold part"));
            QCOMPARE(pointCount(&dialog), 2);
            typeKey(&dialog, QStringLiteral("c"));
            click(&dialog, QStringLiteral("saveButton"));
        });
        click(practice.get(), QStringLiteral("editQuestionButton"));
        QVERIFY(timerStoppedWhileEditing);
        QVERIFY(practice->questionTimer()->isActive());
        QCOMPARE(bank.column(id, "A2"), QStringLiteral("C"));
        QCOMPARE(bank.column(id, "ecount"), QStringLiteral("1"));
        QCOMPARE(practice->session().at(practice->session().currentPos()).key, QStringLiteral("C"));
        QCOMPARE(practice->findChild<QLabel *>(QStringLiteral("editedNotice"))->text(),
            QStringLiteral("本题被您修改过"));
    }

    void entryRefusesBadInputAndKeepsTheForm_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("failWrite");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty body") << QString() << QStringLiteral("A") << false
                                    << QStringLiteral("请填写试题内容！");
        QTest::newRow("empty key") << QStringLiteral("Q") << QString() << false
                                   << QStringLiteral("请填写试题答案！");
        QTest::newRow("letter past the count") << QStringLiteral("Q") << QStringLiteral("F") << false
                                               << QStringLiteral("单选题的答案应为一个大写字母（A～E）！");
        QTest::newRow("repeated letters") << QStringLiteral("Q") << QStringLiteral("AA") << false
                                          << QStringLiteral("单选题的答案应为一个大写字母（A～E）！");
        QTest::newRow("write fails half-way")
            << QStringLiteral("Q") << QStringLiteral("A") << true << QStringLiteral("保存试题出现错误！");
    }
    void entryRefusesBadInputAndKeepsTheForm()
    {
        QFETCH(QString, body);
        QFETCH(QString, key);
        QFETCH(bool, failWrite);
        QFETCH(QString, message);
        PracticeUiBank bank;
        if (failWrite)
            bank.db().execScript(QStringLiteral("CREATE TEMP TRIGGER fail_half_way BEFORE UPDATE ON tab_kmmc "
                                                "BEGIN SELECT RAISE(ABORT, 'failing half-way'); END"));
        ui::QuestionEntryWindow entry(bank.context, QStringLiteral("100101"), QStringLiteral("第一章"));
        entry.show();
        QTest::keyClicks(editor(&entry, "bodyEditor"), body);
        typeKey(&entry, key);
        bank.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&entry, QStringLiteral("saveButton"));
        QCOMPARE(bank.prompt.lastText(), message);
        QCOMPARE(bank.prompt.lastCaption(), QStringLiteral("提示"));
        QCOMPARE(entry.savedCount(), 0);
        QCOMPARE(editor(&entry, "bodyEditor")->toPlainText(), body);
        QCOMPARE(entry.findChild<QLineEdit *>(QStringLiteral("keyEdit"))->text(), key);
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ")), 0);
        QCOMPARE(bank.integer(QStringLiteral("SELECT sum(C3) FROM tab_kmmc")), 0);
    }

    void selfAssessedTypeFixesCountAndKey()
    {
        PracticeUiBank bank;
        ui::QuestionEntryWindow entry(bank.context, QStringLiteral("100101"), QStringLiteral("第一章"));
        entry.show();
        auto *count = entry.findChild<QSpinBox *>(QStringLiteral("optionCountBox"));
        auto *key = entry.findChild<QLineEdit *>(QStringLiteral("keyEdit"));
        QCOMPARE(count->value(), 5);
        typeKey(&entry, QStringLiteral("AB"));
        chooseType(&entry, QStringLiteral("简答题"));
        QCOMPARE(count->value(), 1);
        QCOMPARE(key->text(), QStringLiteral("1"));
        QVERIFY(!count->isEnabled() && !key->isEnabled());
        chooseType(&entry, QStringLiteral("多选题"));
        QVERIFY(count->isEnabled() && key->isEnabled());
        QVERIFY(key->text().isEmpty());
    }

    // Delete removes the selected point; with ten held "添加考点" refuses before the picker opens.
    void examPointListDeleteAndLimit()
    {
        PracticeUiBank bank;
        ui::QuestionEntryWindow entry(bank.context, QStringLiteral("100101"), QStringLiteral("第一章"));
        entry.show();
        QList<ExamPointLine> points;
        for (int i = 0; i < 10; ++i)
            points << ExamPointLine { QStringLiteral("k%1").arg(i), QStringLiteral("法[第%1条]").arg(i) };
        entry.form().setExamPoints(points);
        bank.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&entry, QStringLiteral("addExamPointsButton"));
        QVERIFY(bank.prompt.lastText().startsWith(QStringLiteral("试题对应考点最多为10条！")));
        QCOMPARE(bank.modal.opened().size(), 0);
        auto *list = entry.findChild<QListWidget *>(QStringLiteral("examPointList"));
        list->setFocus();
        list->setCurrentRow(3);
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(list->count(), 9);
        QCOMPARE(entry.form().examPoints().keys().value(3), QStringLiteral("k4"));
    }

    // "确定" with nothing ticked keeps the picker open with its message; "关闭" gives no points.
    void pickerRefusesAnEmptyChoice()
    {
        PracticeUiBank bank;
        ui::QuestionEntryWindow entry(bank.context, QStringLiteral("100101"), QStringLiteral("第一章"));
        entry.show();
        bool stayedOpen = false;
        bank.modal.setDriver([&](QDialog &picker) {
            bank.prompt.queueAnswer(ui::PromptDialog::Middle);
            click(&picker, QStringLiteral("pickerOkButton"));
            stayedOpen = picker.isVisible() && picker.result() == 0;
            click(&picker, QStringLiteral("pickerCloseButton"));
        });
        click(&entry, QStringLiteral("addExamPointsButton"));
        QVERIFY(stayedOpen);
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("请选择对应考点，退出请按关闭按钮！"));
        QCOMPARE(pointCount(&entry), 0);
        // The usage page, line by line.
        bank.modal.setDriver([&](QDialog &usage) {
            auto *text = usage.findChild<QPlainTextEdit *>(QStringLiteral("usageText"));
            QVERIFY(text && text->isVisible());
            QCOMPARE(text->toPlainText().split(u'\n').value(15),
                QStringLiteral("   如果是单选，例如上面的试题，就填写C；"));
            click(&usage, QStringLiteral("usageCloseButton"));
        });
        click(&entry, QStringLiteral("helpButton"));
    }

    // A typed type name that matches no type is refused and the editor stays; "取消" discards
    // every change.
    void editorRefusesUnknownTypeAndCancelDiscards()
    {
        PracticeUiBank bank;
        bank.addQuestion(QStringLiteral("q001"), QStringLiteral("100101"), 61, QStringLiteral("A"), 4,
            { QStringLiteral("1100010001") });
        const QString before = bank.text(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1='q001'"));
        ui::QuestionEditorWindow window(bank.context, QStringLiteral("q001"));
        QVERIFY(window.loaded());
        window.show();
        QVERIFY(!window.stemEditor()->isVisible());
        QCOMPARE(pointCount(&window), 1);
        auto *type = window.findChild<QComboBox *>(QStringLiteral("typeBox"));
        QCOMPARE(type->currentText(), QStringLiteral("单选题"));
        type->lineEdit()->selectAll();
        typeThroughInputMethod(type->lineEdit(), QStringLiteral("问答"));
        bank.prompt.queueAnswer(ui::PromptDialog::Middle);
        click(&window, QStringLiteral("saveButton"));
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("题型“问答”不存在，请从列表中选择题型！"));
        QVERIFY(!window.saved());
        QCOMPARE(bank.column(QStringLiteral("q001"), "ecount"), QStringLiteral("0"));
        QTest::keyClicks(editor(&window, "bodyEditor"), QStringLiteral("typed"));
        click(&window, QStringLiteral("cancelButton"));
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(bank.text(QStringLiteral("SELECT A15 FROM tab_exer WHERE A1='q001'")), before);
        QCOMPARE(bank.column(QStringLiteral("q001"), "ecount"), QStringLiteral("0"));
    }

    // 500 rows of which 3 are bad: the preview marks them, "导入" saves the 497 with the counts.
    void importsTheGoodRowsOfASpreadsheet()
    {
        PracticeUiBank bank;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("题库.csv"));
        QString text = QStringLiteral("章节代码,题型,试题内容,待选答案个数,试题答案,试题解析,对应考点\r\n");
        for (int i = 0; i < 500; ++i) {
            QString row = QStringLiteral("%1,单选题,\"第%2题，\"\"引号\"\"\n第二行\",4,B,,1100010002\r\n")
                              .arg(i % 2 ? QStringLiteral("100102") : QStringLiteral("100101"))
                              .arg(i);
            if (i == 10)
                row = QStringLiteral("100103,单选题,题,4,B,,\r\n"); // no such chapter
            if (i == 200)
                row = QStringLiteral("100101,单选题,题,4,b,,\r\n"); // lower case
            if (i == 499)
                row = QStringLiteral("100101,单选题,题,4,B,,1100019999\r\n"); // no such article
            text += row;
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xEF\xBB\xBF") + text.toUtf8());
        file.close();

        ui::CatalogueWindow catalogue(bank.context);
        catalogue.show();
        int badShown = 0;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *chooser = qobject_cast<QFileDialog *>(&dialog)) {
                chooser->selectFile(path);
                dialog.accept(); // as "打开" does, through the dialog's own check
                return;
            }
            auto *preview = qobject_cast<ui::ImportPreviewWindow *>(&dialog);
            if (!preview)
                return;
            QCOMPARE(preview->summary()->text(),
                QStringLiteral("共500行：可以导入497道，有错误3行（红色，不导入）。"));
            QTableWidget *table = preview->table();
            for (int row = 0; row < table->rowCount(); ++row) {
                if (table->item(row, 5)->text() != QStringLiteral("可以导入"))
                    ++badShown;
            }
            QCOMPARE(table->item(10, 5)->text(), QStringLiteral("章节“100103”不存在！"));
            QCOMPARE(table->item(10, 0)->text(), QStringLiteral("22")); // two lines per good row before it
            bank.prompt.queueAnswer(ui::PromptDialog::Middle);
            click(preview, QStringLiteral("importButton"));
        });
        click(&catalogue, QStringLiteral("importArea"));
        QCOMPARE(badShown, 3);
        QCOMPARE(bank.prompt.lastText(), QStringLiteral("已导入497道试题。"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ WHERE F1=2")), 497);
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ WHERE A10='100101'")), 248);
        QCOMPARE(bank.integer(QStringLiteral("SELECT C3 FROM tab_kmmc WHERE C1='10'")), 497);
        QCOMPARE(bank.integer(QStringLiteral("SELECT q FROM tab_rule WHERE ftid='1100010002'")), 497);
        QCOMPARE(catalogue.findChild<QLCDNumber *>(QStringLiteral("totalQuestions"))->intValue(), 497);

        // "取消" imports nothing.
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *chooser = qobject_cast<QFileDialog *>(&dialog)) {
                chooser->selectFile(path);
                dialog.accept(); // as "打开" does, through the dialog's own check
            } else if (qobject_cast<ui::ImportPreviewWindow *>(&dialog)) {
                click(&dialog, QStringLiteral("cancelButton"));
            }
        });
        click(&catalogue, QStringLiteral("importArea"));
        QCOMPARE(bank.integer(QStringLiteral("SELECT count(*) FROM tab_answ")), 497);
    }

    void importRefusesAFileOfAnotherKind()
    {
        PracticeUiBank bank;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.csv"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("name,age\nTom,3\n");
        file.close();
        bool previewOpened = false;
        bank.modal.setDriver([&](QDialog &dialog) {
            if (auto *chooser = qobject_cast<QFileDialog *>(&dialog)) {
                chooser->selectFile(path);
                dialog.accept(); // as "打开" does, through the dialog's own check
            } else {
                previewOpened = true;
            }
        });
        bank.prompt.queueAnswer(ui::PromptDialog::Middle);
        QCOMPARE(ui::openQuestionImport(bank.context, nullptr), 0);
        QVERIFY(!previewOpened);
        QVERIFY(bank.prompt.lastText().startsWith(QStringLiteral("文件的标题行不对，不是试题文件。")));
    }
};

VORLANE_UI_TEST(AuthoringWindowsTest)
#include "AuthoringWindowsTest.moc"
