#pragma once

#include "TestBank.h"

#include "core/Clock.h"

#include <QDateTime>

namespace vorlane::test {

// A small bank for practice: subject 1 with part 10 and its chapters 100101 and 100102, one
// law with three articles, and questions added by the tests themselves.
class PracticeBank : public TestBank
{
public:
    PracticeBank()
        : clock(QDateTime(QDate(2026, 3, 14), QTime(9, 0)))
    {
        exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C1_1, C2, C3) VALUES "
                            "(1,'1','科目一','科目一',0),(2,'10','第一编','第一编',0),"
                            "(3,'100101','第一章','第一章',0),(4,'100102','第二章','第二章',0),"
                            "(5,'xx','隐藏','隐藏',0)"));
        exec(QStringLiteral("INSERT INTO tab_tx1 (A1, B1, time) VALUES (61,'单选题',1),(66,'多选题',1),"
                            "(67,'简答题',1),(71,'综合题',1)"));
        exec(QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES ('11','民法类'),('110001','合同法')"));
        exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn) VALUES ('1100010001','110001','第3条 订立'),"
                            "('1100010002','110001','第12条 违约'),('1100010003','110001','第1条 总则')"));
    }

    // A question with its body; answered columns are left null as in a fresh bank.
    void addQuestion(const QString &id, const QString &chapter, int type, const QString &key, int options = 4,
        const QStringList &points = {}, int order = 0)
    {
        QVariantList values { id, key, options, chapter, type, order };
        for (int i = 0; i < 10; ++i)
            values << (i < points.size() ? QVariant(points.at(i)) : QVariant());
        exec(QStringLiteral(
                 "INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, xx, K3, K4, K5, K6, K7, K8, K9, "
                 "K10, K11, K12, E2, E1, E3, E4) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,NULL,NULL,0,0)"),
            values);
        exec(QStringLiteral("INSERT INTO tab_exer (A1, A15, jx) VALUES (?, ?, NULL)"),
            { id, QStringLiteral("<p>题目 %1</p>").arg(id) });
        exec(QStringLiteral("UPDATE tab_kmmc SET C3 = C3 + 1 WHERE C1 IN (?, ?, ?)"),
            { chapter, chapter.left(2), chapter.left(1) });
    }

    // Numbered questions q001… of one chapter and type.
    void addQuestions(int count, const QString &chapter = QStringLiteral("100101"), int type = 61)
    {
        for (int i = 1; i <= count; ++i)
            addQuestion(QStringLiteral("%1q%2").arg(chapter).arg(i, 3, 10, QLatin1Char('0')), chapter, type,
                QStringLiteral("A"), 4, {}, i);
    }

    int integer(const QString &sql, const QVariantList &values = {}) { return scalar(sql, values).toInt(); }
    QString text(const QString &sql, const QVariantList &values = {})
    {
        return scalar(sql, values).toString();
    }

    FixedClock clock;
};

} // namespace vorlane::test
