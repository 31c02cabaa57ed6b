#include "viewer_server.h"

#include "ui/qt/help_protocol.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <utility>

namespace vantrel_help {

namespace help = ui::qt::help;

namespace {

// A request is a few bytes; anything longer without a line end is not one of ours.
constexpr qint64 kLongestRequest = 64;

} // namespace

ViewerServer::ViewerServer(QString name, Handler handler)
    : name_(std::move(name)), handler_(std::move(handler)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { accept(); });
}

bool ViewerServer::listen() {
    QLocalServer::removeServer(name_);
    return server_.listen(name_);
}

void ViewerServer::accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket,
                         [this, socket] { answer(socket); });
        answer(socket); // the request may have come with the connection
    }
}

void ViewerServer::answer(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const auto request = help::parseRequest(socket->readLine());
        const bool known =
            request && (request->status || request->command == help::kContents ||
                        request->command == help::kTopic || request->command == help::kClose);
        socket->write(known ? help::okReply(QCoreApplication::applicationPid())
                            : help::errorReply());
        socket->flush();
        if (!known || request->status) continue;
        // Stop taking calls before closing, so none reaches a viewer on its way out.
        if (request->command == help::kClose) server_.close();
        handler_(request->command, request->data);
    }
    if (socket->bytesAvailable() > kLongestRequest) socket->abort();
}

} // namespace vantrel_help
