// SPDX-License-Identifier: MIT
#pragma once

#include "help_channel/help_protocol.h"

#include <functional>
#include <QObject>
#include <QString>
#include <sys/types.h>
#include <thread>

namespace vantrel_help {

// Answers the games on the help file's socket from a thread of its own, so that a viewer busy
// loading or drawing still answers at once, and hands each command to the window's thread.
class ViewerServer {
public:
    using Handler = std::function<void(const ui::qt::help::Request& request)>;

    // `handler` runs on the thread of `context`, after the asker has had its answer.
    ViewerServer(QString socketPath, QObject* context, Handler handler);
    ~ViewerServer();
    ViewerServer(const ViewerServer&) = delete;
    ViewerServer& operator=(const ViewerServer&) = delete;

    // Listens at the socket path. Only for the holder of the channel's lock: a socket found
    // there is then a dead viewer's, and is replaced.
    bool listen();
    // Stops taking calls, and removes the socket only while it is still the one we made.
    void close();
    QString errorString() const { return error_; }

private:
    void serve();
    void answer(int connection);

    QString path_;
    QObject* context_;
    Handler handler_;
    QString error_;
    int listening_ = -1;
    int wake_[2] = {-1, -1};
    dev_t device_ = 0;
    ino_t inode_ = 0;
    std::thread thread_;
};

} // namespace vantrel_help
