// SPDX-License-Identifier: MIT
// Records, raw connections and helper processes shared by the logbook store's tests.
#pragma once

#include "model/search_record.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <string>

namespace storage_test {

constexpr int kProcessMs = 60000; // a helper process on a loaded machine, at the very most

// A record with every field set, `trackPoints` long; its `hints` repeat the track's length, so
// that a reader can tell a whole record from a torn one.
logbook::SearchRecord makeRecord(int seed, int trackPoints);

// A plain connection to the file beside the store's, for what a test does by hand.
class RawConnection {
public:
    explicit RawConnection(const QString& path);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;
    bool exec(const QString& statement); // fails the test when the statement fails
    QVariant value(const QString& statement);

private:
    QString name_;
};

// This test program run again as a helper ("--append", "--fill", "--probe"), optionally through
// setpriv as another user; see store_test_main.cpp.
QStringList helperCommand(const QStringList& arguments);

// Runs the helpers' modes; returns -1 when `argv` asks for none.
int runHelper(int argc, char** argv);

} // namespace storage_test
