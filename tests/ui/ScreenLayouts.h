#pragma once

#include <QString>
#include <QTest>

namespace vorlane::test {

// The two screen layouts a window is checked in, as the rows of a "layout" column (the value
// AppState::screenLayout takes).
inline void addScreenLayoutRows()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("800") << QStringLiteral("800");
    QTest::newRow("1024") << QStringLiteral("1024");
}

} // namespace vorlane::test
