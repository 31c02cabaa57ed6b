#pragma once

#include <cstdint>
#include <functional>
#include <QLocalServer>
#include <QString>

class QLocalSocket;

namespace vantrel_help {

// Answers the game on the help file's local socket and hands each command on.
class ViewerServer {
public:
    using Handler = std::function<void(std::int32_t command, std::int32_t data)>;

    ViewerServer(QString name, Handler handler);

    // Takes over the name, removing the socket a killed viewer may have left behind.
    bool listen();
    QString errorString() const { return server_.errorString(); }

private:
    void accept();
    void answer(QLocalSocket* socket);

    QString name_;
    Handler handler_;
    QLocalServer server_;
};

} // namespace vantrel_help
