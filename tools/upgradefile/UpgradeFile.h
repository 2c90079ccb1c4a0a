#pragma once

#include "core/Status.h"

#include <QString>
#include <QtGlobal>

namespace vorlane::demo {

struct UpgradeFileOptions
{
    int questions = 0; // 0: as many as the demo bank holds
    quint32 seed = 20270101;
    QString sjbs = QStringLiteral("VORLANE-QB-2026-UP1"); // names this upgrade
    QString cpbs = QStringLiteral("VORLANE-QB-2026"); // the product it is for (the demo bank's)
};

// Makes a sample upgrade file for the demo bank at path (which must not exist yet): a plain
// SQLite file with the bank's tables holding new sections and chapters beside the demo's own,
// the questions of a demo bank made with the options moved into them, new laws (implementing
// rules of the demo's laws) with their articles, and the tab_sj row. Nothing in it collides with
// a demo bank, so it merges into any of them once.
vorlane::Status makeUpgradeFile(const QString &path, const UpgradeFileOptions &options = {});

} // namespace vorlane::demo
