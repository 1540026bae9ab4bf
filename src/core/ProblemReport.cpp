#include "core/ProblemReport.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/MessageBox.h"
#include "core/ScoreDb.h"

#include <QFile>
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
        const QString logCopy = desktopFolder + logName;
        const QString part = logCopy + QStringLiteral(".part");
        QFile::remove(part);
        bool copied = QFile::copy(event_.scoreDbFolder + logName, part);
        if (!copied)
            error = event_.scoreDbFolder + logName + QStringLiteral(" cannot be copied");
        copied = copied && replaceWith(part, logCopy, error);
        copied = copied && copyDatabase(desktopFolder + dbName, error);
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
