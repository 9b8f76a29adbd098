#pragma once
// Registry of the Qt Test classes of one test executable. Each test file ends with
// NERIX_TEST(ClassName); TestMain runs every registered class in its own object.
#include <QObject>
#include <utility>
#include <vector>

namespace nerixtest {
using Factory = QObject *(*)();
std::vector<std::pair<const char *, Factory>> &registry();
struct Registrar {
    Registrar(const char *name, Factory factory) { registry().emplace_back(name, factory); }
};
// A private settings store for the whole test run (set up by TestMain before any test).
QString configHome();

// Platform parts of the run, in PosixTestSettings.cpp and Win32TestSettings.cpp:
// points the program's settings store at a private one (below `folder` where the store is a
// file, a key of the run's own where it is the registry) ...
void usePrivateSettings(const QString &folder);
// ... and removes what lies outside `folder` when the run ends.
void dropPrivateSettings();
// The platform plug-in the tests run on when QT_QPA_PLATFORM names none.
const char *defaultPlatform();
// Whether Qt Test's log goes through a file to standard output.
bool logThroughFile();
} // namespace nerixtest

#define NERIX_TEST(Class)                                                                          \
    static nerixtest::Registrar nerixRegistrar##Class(                                             \
        #Class, []() -> QObject * { return new Class; });
