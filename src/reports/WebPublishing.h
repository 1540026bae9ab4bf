#pragma once

#include <QString>

namespace qzc {

class Log;
class MessageBox;
class ProgramLauncher;
class ResultFile;
struct ResultFileGameData;

/// Where the "Web publishing" command writes and what it starts.
struct WebPublishingPaths {
    /// The event's data folder, ending with "/".
    QString eventDataPath;
    /// The companion programs' folder, ending with "/".
    QString orvFolder;
    /// Their events folder, ending with "/".
    QString orvEventsFolder;
    QString eventName;
};

/// The "Web publishing" command: writes the event result file, then starts the
/// result-upload program on it without waiting for it.
class WebPublishing {
public:
    WebPublishing(ResultFile& resultFile, Log& log, MessageBox& messages, ProgramLauncher& launcher);

    /// The upload program, below the companion programs' folder.
    static QString uploadProgramPath(const QString& orvFolder);

    /// True when the upload program was started. Every other outcome is told to the
    /// director: a result file that could not be made (with the reason), a missing file or
    /// upload program, or a start that failed.
    bool mnu_makeresultfile_Click(const WebPublishingPaths& paths, const ResultFileGameData& game);

private:
    void tell(const QString& text);

    ResultFile& resultFile_;
    Log& log_;
    MessageBox& messages_;
    ProgramLauncher& launcher_;
};

} // namespace qzc
