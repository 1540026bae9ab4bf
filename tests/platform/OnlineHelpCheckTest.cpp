#include "platform/OnlineHelpCheck.h"

#include "support/TestCoreApp.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

namespace qzc {
namespace {

// A web server on the loopback that answers every request with one status line.
class OneAnswerServer {
public:
    explicit OneAnswerServer(QByteArray statusLine) : statusLine_(std::move(statusLine)) {
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n"))
                        return;
                    socket->write(statusLine_ + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    socket->disconnectFromHost();
                });
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1/Help/").arg(server_.serverPort()); }

private:
    QByteArray statusLine_;
    QTcpServer server_;
};

TEST(OnlineHelpCheckTest, OnlyAnOkAnswerCounts) {
    test::TestCoreApp app;
    const std::pair<const char*, bool> answers[] = {
        {"HTTP/1.1 200 OK", true},
        {"HTTP/1.1 404 Not Found", false},
        {"HTTP/1.1 500 Internal Server Error", false},
    };
    for (const auto& [statusLine, reachable] : answers) {
        SCOPED_TRACE(statusLine);
        OneAnswerServer server{QByteArray(statusLine)};
        NetworkHelpCheck check;
        EXPECT_EQ(check.isOnlineHelpReachable(server.address()), reachable);
    }
}

TEST(OnlineHelpCheckTest, NoSiteIsUnreachable) {
    test::TestCoreApp app;
    NetworkHelpCheck check;
    // A port on which nobody listens refuses at once.
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    EXPECT_FALSE(check.isOnlineHelpReachable(QStringLiteral("http://127.0.0.1:%1/Help/").arg(port)));
    EXPECT_FALSE(check.isOnlineHelpReachable(QStringLiteral("not an address")));
    EXPECT_FALSE(check.isOnlineHelpReachable(QString()));
}

} // namespace
} // namespace qzc
