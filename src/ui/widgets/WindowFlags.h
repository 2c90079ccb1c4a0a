#pragma once

#include <Qt>

namespace vorlane::ui {

// A dialog of fixed size: title and close button only. Without CustomizeWindowHint the window
// manager adds minimise and maximise buttons, and maximise does nothing on a fixed size.
constexpr Qt::WindowFlags FixedDialogFlags
    = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

} // namespace vorlane::ui
