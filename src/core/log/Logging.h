#pragma once

#include <QLoggingCategory>

// The program's logging categories; rules such as QT_LOGGING_RULES="vorlane.*.debug=true" turn
// on their debug output. Warnings and worse reach the log file (MessageLog).
Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
Q_DECLARE_LOGGING_CATEGORY(lcUi)
