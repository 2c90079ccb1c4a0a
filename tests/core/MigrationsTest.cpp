#include "TestBank.h"
#include "TestFiles.h"

#include "core/store/Migrations.h"

#include <QFile>

using namespace vorlane;
using vorlane::test::readBytes;
using vorlane::test::TestBank;

TEST(SchemaVersion, NewBankCarriesTheProgramsVersion)
{
    TestBank bank;
    EXPECT_EQ(bankSchemaVersion(bank.db()), bank::SchemaVersion);
    EXPECT_TRUE(migrateBank(bank.db()));
}

// Banks made before the number was kept read 0 and are brought to the current number, their
// rows untouched.
TEST(SchemaVersion, OlderBankIsBroughtForwardOnOpen)
{
    TestBank bank;
    bank.exec(QStringLiteral("INSERT INTO tab_fgmc (id, n) VALUES ('01', '法律')"));
    bank.db().execScript(QStringLiteral("DROP TABLE tab_sitting; PRAGMA user_version=0"));
    bank.close();
    auto opened = openBank(bank.path());
    ASSERT_TRUE(opened) << opened.reason().toStdString();
    EXPECT_EQ(bankSchemaVersion(**opened), bank::SchemaVersion);
    EXPECT_EQ((*opened)->scalar(QStringLiteral("SELECT n FROM tab_fgmc")).toString(), QStringLiteral("法律"));
    EXPECT_TRUE((*opened)->tableExists(QStringLiteral("tab_sitting")));
}

// A step that fails leaves the bank at its old number with nothing of the step in it.
TEST(SchemaVersion, AFailingStepLeavesTheBankAsItWas)
{
    TestBank bank;
    // The name step 2 needs is taken by an index: the step's CREATE fails.
    bank.db().execScript(QStringLiteral("DROP TABLE tab_sitting; CREATE INDEX tab_sitting ON tab_fgmc(id);"
                                        "PRAGMA user_version=1"));
    const Status migrated = migrateBank(bank.db());
    ASSERT_FALSE(migrated);
    EXPECT_TRUE(migrated.reason().contains(QStringLiteral("题库没有改变")));
    EXPECT_EQ(bankSchemaVersion(bank.db()), 1);
}

// A bank written by a newer program is refused with a clear message and not changed.
TEST(SchemaVersion, NewerBankIsRefusedAndLeftAlone)
{
    TestBank bank;
    bank.db().execScript(QStringLiteral("PRAGMA user_version=%1").arg(bank::SchemaVersion + 1));
    bank.close();
    const QByteArray before = readBytes(bank.path());
    auto opened = openBank(bank.path());
    ASSERT_FALSE(opened);
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("较新版本"))) << opened.reason().toStdString();
    EXPECT_TRUE(opened.reason().contains(QStringLiteral("题库版本 %1").arg(bank::SchemaVersion + 1)));
    EXPECT_EQ(readBytes(bank.path()), before);
}

// An older bank that cannot be written is left at its number: it is used as it is when no
// step changes its tables, and refused when one does.
TEST(SchemaVersion, ReadOnlyOlderBank)
{
    TestBank bank;
    bank.db().execScript(QStringLiteral("PRAGMA user_version=1"));
    const Status refused = migrateBank(bank.db(), false);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.reason().contains(QStringLiteral("不能写入"))) << refused.reason().toStdString();
    EXPECT_EQ(bankSchemaVersion(bank.db()), 1);
}
