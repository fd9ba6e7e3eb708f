#include <gtest/gtest.h>
#include <cstdlib>
#ifdef TOLVU_GUI_ONLY
#include <QGuiApplication>
using TestApp = QGuiApplication;
#else
#include <QApplication>
using TestApp = QApplication;
#endif
#include "support/TestSupport.h"

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Widget tests never need a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    PrepareTestProcess();
    TestApp app(argc, argv);
    return RUN_ALL_TESTS();
}
