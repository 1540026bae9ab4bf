#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

namespace qzc {

/// Keeps a second start of the program from running beside the first one.
///
/// The first instance holds a lock file and listens on a local socket, both named after the
/// application title in the user's runtime folder. A later instance fails to take the lock,
/// connects to that socket and asks the first one to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    /// name: the application title (tests use a unique one); folder: where the lock file and
    /// the socket live, empty for the user's runtime folder (the temp folder when there is none).
    explicit SingleInstance(QString name, QString folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    /// True when no other instance runs: this one then holds the lock and listens for
    /// activation requests. Also true when the lock file cannot be made at all, so that a
    /// broken runtime folder does not keep the program from starting.
    bool tryBecomeFirst();

    /// Asks the first instance to bring its window to the front; false when it cannot be
    /// reached.
    bool activatePrevInstance();

    /// Whether this (first) instance accepts activation requests; false when the socket
    /// could not be opened (see serverError).
    bool isListening() const;
    QString serverError() const;

    const QString& lockFilePath() const { return lockFilePath_; }
    const QString& serverName() const { return serverName_; }

Q_SIGNALS:
    /// A second instance asked the first one to come to the front.
    void activationRequested();

private:
    void acceptConnections();

    QString lockFilePath_;
    QString serverName_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace qzc
