#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace qzc {
namespace {

const QByteArray raiseRequest = QByteArrayLiteral("raise\n");
constexpr int connectTimeoutMs = 1000;

QString instanceFolder(const QString& folder) {
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString makeServerName(const QString& name, const QString& folder) {
#ifdef Q_OS_WIN
    // Pipe names are machine-wide: keep the users apart.
    Q_UNUSED(folder);
    return name + QLatin1Char('-') + qEnvironmentVariable("USERNAME");
#else
    // A full path keeps the socket in the user's own folder instead of the shared temp folder.
    return folder + name + QStringLiteral(".socket");
#endif
}

} // namespace

SingleInstance::SingleInstance(QString name, QString folder, QObject* parent)
    : QObject(parent), lockFilePath_(instanceFolder(folder) + name + QStringLiteral(".lock")),
      serverName_(makeServerName(name, instanceFolder(folder))), lock_(lockFilePath_) {
    // The lock is held for the whole run: never treat it as stale by its age, only when the
    // process that holds it is gone.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryBecomeFirst() {
    if (lock_.isLocked())
        return true;
    const bool locked = lock_.tryLock(0);
    if (!locked && lock_.error() == QLockFile::LockFailedError)
        return false;

    // Holding the lock, any socket left under our name belongs to a crashed instance. Without
    // a lock (the file cannot be made) nothing is known, so nothing is removed.
    if (locked)
        QLocalServer::removeServer(serverName_);
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    server_->listen(serverName_);
    return true;
}

bool SingleInstance::activatePrevInstance() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(connectTimeoutMs))
        return false;
    socket.write(raiseRequest);
    const bool sent = socket.waitForBytesWritten(connectTimeoutMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

bool SingleInstance::isListening() const {
    return server_ && server_->isListening();
}

QString SingleInstance::serverError() const {
    return server_ ? server_->errorString() : QString();
}

void SingleInstance::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        // The socket is a child of the server; it goes when the peer hangs up.
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readRequest = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine(64) == raiseRequest)
                    Q_EMIT activationRequested();
            }
            // A peer that sends no line end is not ours: drop what it sent.
            if (socket->bytesAvailable() > 64)
                socket->abort();
        };
        connect(socket, &QLocalSocket::readyRead, this, readRequest);
        readRequest();
    }
}

} // namespace qzc
