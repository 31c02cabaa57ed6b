// SPDX-License-Identifier: MIT
// Runs the widget tests without a display unless one is asked for.
#include <cstdlib>
#include <gtest/gtest.h>
#include <QApplication>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
