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
} // namespace nerixtest

#define NERIX_TEST(Class)                                                                          \
    static nerixtest::Registrar nerixRegistrar##Class(                                             \
        #Class, []() -> QObject * { return new Class; });
