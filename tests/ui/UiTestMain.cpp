#include "UiTest.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace vorlane::test {
std::map<std::string, UiTestFactory> &uiTestRegistry()
{
    static std::map<std::string, UiTestFactory> registry;
    return registry;
}
} // namespace vorlane::test

// Usage: vorlane_ui_tests [TestClass [Qt Test options…]]
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    auto &registry = vorlane::test::uiTestRegistry();

    if (argc > 1 && argv[1][0] != '-') {
        const auto found = registry.find(argv[1]);
        if (found == registry.end()) {
            std::fprintf(stderr, "no window test class %s\n", argv[1]);
            return 2;
        }
        auto test = found->second();
        argv[1] = argv[0];
        return QTest::qExec(test.get(), argc - 1, argv + 1);
    }
    int failures = 0;
    for (const auto &[name, factory] : registry) {
        auto test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
