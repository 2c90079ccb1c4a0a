#pragma once

#include <optional>

namespace vorlane::app {

// --help and --version, answered on the terminal before anything needs a desktop. Returns the exit
// code when one of them was asked, nothing otherwise.
std::optional<int> answerInformationOption(int argc, char *argv[]);

} // namespace vorlane::app
