#pragma once

#include "core/store/Database.h"
#include "core/store/Schema.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable failure messages for Qt text.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace vorlane::test {

// A fresh, empty bank in its own temporary folder, removed when the test ends.
class TestBank
{
public:
    TestBank()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_path = m_dir.filePath(QString::fromLatin1(bank::FileName));
        const Status created = createEmptyBank(m_path);
        if (!created)
            ADD_FAILURE() << created.reason().toStdString();
        auto opened = Database::open(m_path, bank::password());
        if (!opened)
            ADD_FAILURE() << opened.reason().toStdString();
        else
            m_db = *opened;
    }

    Database &db() { return *m_db; }
    const QString &path() const { return m_path; }
    QString dir() const { return m_dir.path(); }
    void close() { m_db.reset(); }

    QVariant scalar(const QString &sql, const QVariantList &values = {}) { return m_db->scalar(sql, values); }
    void exec(const QString &sql, const QVariantList &values = {}) { m_db->exec(sql, values); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    std::shared_ptr<Database> m_db;
};

} // namespace vorlane::test
