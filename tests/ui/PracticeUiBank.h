#pragma once

#include "ShellFixture.h"
#include "core/AppState.h"
#include "core/Clock.h"
#include "core/practice/Catalogue.h"
#include "core/store/Database.h"
#include "core/store/Schema.h"
#include "ui/shell/ModalRunner.h"
#include "ui/shell/PromptDialog.h"
#include "ui/shell/UiContext.h"
#include "ui/widgets/PracticeWindow.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace vorlane::test {

// A small bank with the shared windows every window needs, for the practice window tests:
// subject 1, part 10 with chapters 100101 and 100102, four question types and one law.
class PracticeUiBank
{
public:
    PracticeUiBank()
        : m_db(openBank(m_dir))
        , clock(QDateTime(QDate(2026, 3, 14), QTime(9, 0)))
        , context { state, *m_db, clock, prompt, progress, modal }
    {
        state.appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR") + QLatin1Char('/');
        exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C1_1, C2, C3) VALUES "
                            "(1,'1','科目一','科目一',0),(2,'10','第一编','第一编 总论',0),"
                            "(3,'100101','第一章 基本规定','第一章 基本规定',0),"
                            "(4,'100102','第二章 合同订立','第二章 合同订立',0),(5,'xx','隐藏','隐藏',0)"));
        exec(QStringLiteral("INSERT INTO tab_tx1 (A1, B1, time) VALUES (61,'单选题',1),(66,'多选题',1),"
                            "(67,'简答题',1),(71,'综合题',1)"));
        exec(QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES ('11','民法类'),('110001','合同法')"));
        exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn) VALUES ('1100010001','110001','第3条 订立'),"
                            "('1100010002','110001','第12条 违约'),('1100010003','110001','第1条 总则')"));
    }

    Database &db() { return *m_db; }

    void exec(const QString &sql, const QVariantList &values = {}) { m_db->exec(sql, values); }
    int integer(const QString &sql, const QVariantList &values = {})
    {
        return m_db->scalar(sql, values).toInt();
    }
    QString text(const QString &sql, const QVariantList &values = {})
    {
        return m_db->scalar(sql, values).toString();
    }
    QString column(const QString &id, const char *name)
    {
        return text(QStringLiteral("SELECT %1 FROM tab_answ WHERE A1=?").arg(QLatin1String(name)), { id });
    }

    void addQuestion(const QString &id, const QString &chapter, int type, const QString &key, int options = 4,
        const QStringList &points = {}, int order = 0)
    {
        QVariantList values { id, key, options, chapter, type, order };
        for (int i = 0; i < 10; ++i)
            values << (i < points.size() ? QVariant(points.at(i)) : QVariant());
        exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, xx, K3, K4, K5, K6, K7, K8, K9, "
                            "K10, K11, K12, E3, E4) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,0,0)"),
            values);
        exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES (?, ?)"),
            { id, QStringLiteral("<p>题目 %1</p>").arg(id) });
        exec(QStringLiteral("UPDATE tab_kmmc SET C3 = C3 + 1 WHERE C1 IN (?, ?, ?)"),
            { chapter, chapter.left(2), chapter.left(1) });
    }

    // q001… in chapter 100101, single choice with key "A", in list order.
    void addQuestions(int count, int type = 61)
    {
        for (int i = 1; i <= count; ++i)
            addQuestion(QStringLiteral("q%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("100101"), type,
                QStringLiteral("A"), 4, {}, i);
    }

    // A practice window on a mode's list of a chapter, opened and shown as the catalogue does.
    std::unique_ptr<ui::PracticeWindow> openPractice(
        PracticeMode mode = PracticeMode::NewQuestions, const QString &code = QStringLiteral("100101"))
    {
        state.practiceList = QuestionListQuery::chapter(mode, code);
        auto window = std::make_unique<ui::PracticeWindow>(context, ui::PracticeVariant::chapter());
        if (!window->openQuestionList())
            return nullptr;
        window->show();
        return window;
    }

private:
    static std::shared_ptr<Database> openBank(QTemporaryDir &dir)
    {
        const QString path = dir.filePath(QString::fromLatin1(bank::FileName));
        if (!createEmptyBank(path))
            qFatal("cannot create a test bank");
        auto db = Database::open(path, bank::password());
        if (!db)
            qFatal("cannot open the test bank");
        return *db;
    }

    QTemporaryDir m_dir;
    std::shared_ptr<Database> m_db;

public:
    AppState state;
    FixedClock clock;
    ui::ModalRunner modal = quietRunner();
    ui::PromptDialog prompt { modal };
    ui::ProgressWindow progress;
    ui::UiContext context;
};

// Clicks the child button of that name, failing the test when it is missing.
inline void click(QWidget *window, const QString &name)
{
    auto *button = window->findChild<QAbstractButton *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

inline bool isEnabledButton(QWidget *window, const QString &name)
{
    auto *button = window->findChild<QAbstractButton *>(name);
    return button && button->isEnabled();
}

} // namespace vorlane::test
