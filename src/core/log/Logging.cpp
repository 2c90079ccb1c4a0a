#include "core/log/Logging.h"

Q_LOGGING_CATEGORY(lcStore, "vorlane.store", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStartup, "vorlane.startup", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "vorlane.ui", QtInfoMsg)
