#include "core/ProblemReport.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace qzc {

namespace {

const QString kCaption = QStringLiteral("Report problem");
constexpr qint16 kHelpTopic = 26;
constexpr qint16 kOkStyle = 1;
constexpr qint16 kCentred = 2;

// Replaces target by the file written at part; false with the reason in error.
bool replaceWith(const QString& part, const QString& target, QString& error) {
    if (QFile::exists(target) && !QFile::remove(target)) {
        error = target + QStringLiteral(" cannot be replaced");
        QFile::remove(part);
        return false;
    }
    if (!QFile::rename(part, target)) {
        error = target + QStringLiteral(" cannot be written");
        QFile::remove(part);
        return false;
    }
    return true;
}

// The same file under another name in its folder: "club.db" becomes "club-report.db".
QString besideName(const QString& path) {
    const QFileInfo file(path);
    const QString suffix = file.suffix();
    return file.path() + QStringLiteral("/") + file.completeBaseName() + QStringLiteral("-report") +
           (suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix);
}

} // namespace

ProblemReport::ProblemReport(ScoreDb& db, Log& log, const EventInfo& event, MessageBox& messages)
    : db_(db), log_(log), event_(event), messages_(messages) {}

bool ProblemReport::copyDatabase(const QString& path, QString& error) {
    // VACUUM INTO writes only to a file that does not exist yet.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    if (!db_.execSQL(QStringLiteral("VACUUM INTO ?"), kCaption, false, {part})) {
        error = db_.lastErrorDescription();
        QFile::remove(part);
        return false;
    }
    return replaceWith(part, path, error);
}

QString ProblemReport::copyPath(const QString& wanted) const {
    // A copy is written over the file at its path, so it must never be the live database
    // or log, whatever way the desktop path names them (links, "..", another spelling).
    const QStringList eventFiles = {
        QFileInfo(event_.scoreDbPath).canonicalFilePath(),
        QFileInfo(event_.scoreDbFolder + event_.eventFileName + QStringLiteral(".log")).canonicalFilePath()};
    QString path = wanted;
    while (eventFiles.contains(QFileInfo(path).canonicalFilePath()))
        path = besideName(path);
    return path;
}

bool ProblemReport::cmdReport_Click(const QString& desktopFolder) {
    log_.writeLog(0, QStringLiteral("Force flush"));
    QString logName = event_.eventFileName + QStringLiteral(".log");
    QString dbName = event_.scoreDbPath;
    dbName.remove(event_.scoreDbFolder);

    if (desktopFolder.isEmpty()) {
        logName.prepend(event_.scoreDbFolder);
        dbName.prepend(event_.scoreDbFolder);
    } else {
        QString error;
        const QString logCopy = copyPath(desktopFolder + logName);
        const QString dbCopy = copyPath(desktopFolder + dbName);
        const QString part = logCopy + QStringLiteral(".part");
        QFile::remove(part);
        bool copied = QFile::copy(event_.scoreDbFolder + logName, part);
        if (!copied)
            error = event_.scoreDbFolder + logName + QStringLiteral(" cannot be copied");
        copied = copied && replaceWith(part, logCopy, error);
        copied = copied && copyDatabase(dbCopy, error);
        if (!copied) {
            log_.writeLog(0, error, kCaption, true);
            MessageBox::Request failure;
            failure.text = QStringLiteral("Failed to copy files for reporting problem");
            failure.caption = kCaption;
            failure.style = kOkStyle;
            failure.helpTopic = kHelpTopic;
            failure.labelStyle = kCentred;
            messages_.showMsg(failure);
            return false;
        }
        logName = QFileInfo(logCopy).fileName();
        dbName = QFileInfo(dbCopy).fileName();
    }
    MessageBox::Request sent;
    sent.text = QStringList{QStringLiteral("Please send the files:"), dbName, logName,
                            QStringLiteral("that you find on the desktop to"), supportAddress}
                    .join(QStringLiteral("\r\n"));
    sent.caption = kCaption;
    sent.style = kOkStyle;
    sent.helpTopic = 0;
    sent.labelStyle = kCentred;
    sent.modeless = true;
    messages_.showMsg(sent);
    return true;
}

} // namespace qzc
