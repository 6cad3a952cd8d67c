// main() of the graph tests that need widgets or fonts: they paint offscreen, so no display
// is needed (CMake sets the platform too, for runs outside ctest it is set here).
#pragma once

#include <QApplication>
#include <QtTest>

#define VORNA_OFFSCREEN_TEST_MAIN(TestObject)                                                      \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
