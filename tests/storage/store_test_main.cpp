// SPDX-License-Identifier: MIT
// The logbook store's tests; run with a helper mode, the same program plays another copy of the
// game writing to the logbook.
#include "store_fixtures.h"

#include <gtest/gtest.h>
#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt SQL loads its SQLite driver as a plugin
    const int helper = storage_test::runHelper(argc, argv);
    if (helper >= 0) return helper;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
