#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

quint32 bigEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// Walks the one track of a format-0 file and counts its notes; -1 when the file is malformed.
int countNotes(const QByteArray &file)
{
    if (file.size() < 22 || !file.startsWith("MThd") || bigEndian(file, 8, 2) != 0
        || bigEndian(file, 10, 2) != 1)
        return -1;
    if (file.mid(14, 4) != "MTrk" || bigEndian(file, 18, 4) != quint32(file.size() - 22))
        return -1;
    qsizetype at = 22;
    int notes = 0;
    while (at < file.size()) {
        while (quint8(file.at(at++)) & 0x80) // delta time
            if (at >= file.size())
                return -1;
        const quint8 status = quint8(file.at(at));
        if (status == 0xFF) {
            const quint8 type = quint8(file.at(at + 1));
            const int length = quint8(file.at(at + 2));
            at += 3 + length;
            if (type == 0x2F)
                return at == file.size() ? notes : -1;
        } else if ((status & 0xF0) == 0xC0) {
            at += 2;
        } else if ((status & 0xF0) == 0x90 || (status & 0xF0) == 0x80) {
            notes += (status & 0xF0) == 0x90 ? 1 : 0;
            at += 3;
        } else {
            return -1;
        }
    }
    return -1;
}

TEST(ShippedTunes, AllSixAreCompleteMidiFilesWithAMelody)
{
    const QString appDir = qEnvironmentVariable("VORLANE_TEST_APPDIR");
    if (appDir.isEmpty())
        GTEST_SKIP() << "VORLANE_TEST_APPDIR not set";
    for (int n = 1; n <= 6; ++n) {
        QFile tune(QDir(appDir).filePath(QStringLiteral("sound/乐曲%1.mid").arg(n, 2, 10, QLatin1Char('0'))));
        ASSERT_TRUE(tune.open(QIODevice::ReadOnly)) << tune.fileName().toStdString();
        EXPECT_GE(countNotes(tune.readAll()), 40) << n;
    }
}

} // namespace
