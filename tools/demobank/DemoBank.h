#pragma once

#include "core/Status.h"

#include <QString>
#include <QtGlobal>

namespace vorlane::demo {

struct DemoBankOptions
{
    int questions = 0; // 0 = the normal demo size
    quint32 seed = 20261210;
};

// Makes a complete demo bank at path (which must not exist yet): catalogue, question types,
// laws and articles, questions with bodies and explanations, plan and product row, with every
// counter consistent. The same options always give the same bank. With questions > 0 the
// catalogue and laws stay the same and exactly that many questions are spread over the chapters
// in the demo's proportions (for benchmarks).
vorlane::Status makeDemoBank(const QString &path, const DemoBankOptions &options = {});

// Makes the bank beside path and only then puts it in the place of what path held, so that a
// bank that cannot be made leaves the old file as it was.
vorlane::Status replaceWithDemoBank(const QString &path, const DemoBankOptions &options = {});

} // namespace vorlane::demo
