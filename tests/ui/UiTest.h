#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

// Window test classes register themselves here; the test main runs the one named on its
// command line (each becomes its own ctest entry) or all of them.
namespace vorlane::test {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, UiTestFactory> &uiTestRegistry();

struct UiTestRegistration
{
    UiTestRegistration(const char *name, UiTestFactory factory)
    {
        uiTestRegistry().emplace(name, std::move(factory));
    }
};

} // namespace vorlane::test

// Must start a line of its own: the build finds the test classes by reading this macro.
#define VORLANE_UI_TEST(Class)                                                                               \
    static const vorlane::test::UiTestRegistration registration_##Class(                                     \
        #Class, [] { return std::unique_ptr<QObject>(new Class); });

// A driver run by hand by its name (timings, pictures for a person): in the executable, but not a
// ctest entry.
#define VORLANE_UI_DRIVER(Class) VORLANE_UI_TEST(Class)
