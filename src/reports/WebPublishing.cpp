#include "reports/WebPublishing.h"

#include "core/Log.h"
#include "core/MessageBox.h"
#include "platform/ProgramLauncher.h"
#include "reports/CompanionPrograms.h"
#include "reports/ResultFile.h"

#include <QFileInfo>
#include <QStringList>

namespace qzc {

namespace {

constexpr qint16 kOkWarning = 49;
constexpr qint16 kHelpTopic = 21;
const QString kCrLf = QStringLiteral("\r\n");

} // namespace

WebPublishing::WebPublishing(ResultFile& resultFile, Log& log, MessageBox& messages,
                             ProgramLauncher& launcher)
    : resultFile_(resultFile), log_(log), messages_(messages), launcher_(launcher) {}

QString WebPublishing::uploadProgramPath(const QString& orvFolder) {
    return orvFolder + QStringLiteral("uploadresults/uploadresults.exe");
}

void WebPublishing::tell(const QString& text) {
    messages_.showMsg(text, QString(), kOkWarning, kHelpTopic);
}

bool WebPublishing::mnu_makeresultfile_Click(const WebPublishingPaths& paths,
                                             const ResultFileGameData& game) {
    const ResultFileOutcome outcome = resultFile_.makeresultFile_v1(paths.eventDataPath, game);
    if (!outcome.written()) {
        tell(QStringLiteral("Failed to make result file.") + kCrLf + outcome.reason);
        return false;
    }
    if (!QFileInfo::exists(outcome.path)) {
        tell(QStringLiteral("Result file not found,") + kCrLf + outcome.path);
        return false;
    }
    const QString upload = uploadProgramPath(paths.orvFolder);
    if (!QFileInfo::exists(upload)) {
        tell(QStringLiteral("Upload result program not found."));
        return false;
    }
    log_.writeLog(0, QStringLiteral("Call uploadresult"));
    const QStringList args = companionArguments(paths.eventName, paths.orvEventsFolder);
    QString error;
    if (!launcher_.start(upload, args, QString(), &error)) {
        log_.writeLog(0, error, QStringLiteral("makeresultfile"), true);
        tell(QStringLiteral("Failed to upload result.") + kCrLf + error);
        return false;
    }
    return true;
}

} // namespace qzc
