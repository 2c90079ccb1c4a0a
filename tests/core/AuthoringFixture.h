#pragma once

#include "TestBank.h"

#include "core/authoring/QuestionAuthoring.h"
#include "core/store/QuestionCounts.h"

namespace vorlane::test {

// A small bank for authoring: a catalogue with two chapters, the types of subject 1, two laws of
// one category and one of another with their articles, and one demo question.
class AuthoringBank : public ::testing::Test
{
protected:
    void SetUp() override
    {
        int bh = 0;
        for (const char *code : { "1", "10", "1010", "101010", "101011", "2", "20", "2010", "201010" })
            bank.exec(QStringLiteral("INSERT INTO tab_kmmc (bh, C1, C2, C3) VALUES (?1, ?2, '章' || ?2, 0)"),
                { ++bh, QString::fromLatin1(code) });
        const std::pair<int, const char *> types[]
            = { { 61, "单选" }, { 63, "判断" }, { 66, "多选" }, { 67, "简答" }, { 71, "填空" } };
        for (const auto &[id, name] : types)
            bank.exec(QStringLiteral("INSERT INTO tab_tx1 (A1, B1) VALUES (?1, ?2)"),
                { id, QString::fromUtf8(name) });
        for (const char *id : { "01", "02", "010100", "010200", "020100" })
            bank.exec(QStringLiteral("INSERT INTO tab_fgmc (id, n, bh, q) VALUES (?1, '法' || ?1, ?2, 0)"),
                { QString::fromLatin1(id), ++bh });
        for (const char *ftid : { "0101000001", "0101000002", "0101000003", "0102000001", "0201000001" })
            bank.exec(QStringLiteral("INSERT INTO tab_rule (ftid, id, sn, q) VALUES (?1, substr(?1, 1, 6), "
                                     "'第' || substr(?1, 10) || '条  ', 0)"),
                { QString::fromLatin1(ftid) });
        bank.exec(QStringLiteral("INSERT INTO tab_answ (A1, A2, A2_1, A10, A13, K3) "
                                 "VALUES ('101010610001', 'A', 4, '101010', 61, '0101000001')"));
        bank.exec(QStringLiteral("INSERT INTO tab_exer (A1, A15) VALUES ('101010610001', '<p>demo</p>')"));
    }

    static QuestionDraft draft(const QString &key = QStringLiteral("B"), int typeId = 61, int optionCount = 4,
        const QStringList &points = {})
    {
        QuestionDraft d;
        d.bodyHtml = QStringLiteral("<p><b>哪一项</b>正确？</p>");
        d.explanationHtml = QStringLiteral("<p><i>因为</i></p>");
        d.key = key;
        d.typeId = typeId;
        d.optionCount = optionCount;
        d.examPoints = points;
        return d;
    }

    // Every count and row the authoring writes, as one text, to show that nothing moved.
    QString snapshot()
    {
        return bank
            .scalar(QStringLiteral(
                "SELECT (SELECT group_concat(C1||':'||C3, ' ') FROM tab_kmmc) || '|' ||"
                " (SELECT group_concat(id||':'||q, ' ') FROM tab_fgmc) || '|' ||"
                " (SELECT group_concat(ftid||':'||q, ' ') FROM tab_rule) || '|' ||"
                " (SELECT group_concat(A1||A2||A2_1||A13||coalesce(K3,'')||coalesce(K4,'')||"
                "coalesce(ecount,''), ' ') FROM tab_answ) || '|' ||"
                " (SELECT group_concat(A1||coalesce(A15,'')||coalesce(jx,''), ' ') FROM tab_exer) ||"
                " '|' || coalesce((SELECT group_concat(A1||A15) FROM tab_title), '')"))
            .toString();
    }
    qint64 integer(const QString &sql, const QVariantList &values = {})
    {
        return bank.scalar(sql, values).toLongLong();
    }

    TestBank bank;
    QuestionAuthoring authoring { bank.db(), 1 };
};

} // namespace vorlane::test
