#pragma once

#include <QString>

namespace qzc {

class Log;
class MessageBox;
class ScoreDb;
struct EventInfo;

/// The about box's "Report problem": the two files support needs, the event's score
/// database and its log, copied to the user's desktop, and a message that says which files
/// to send where. The database is copied as a consistent snapshot of the open connection
/// (VACUUM INTO), never as the file that the program is writing.
class ProblemReport {
public:
    /// Where the director sends the files.
    static inline const QString supportAddress = QStringLiteral("support@qzc-scoring.example");

    ProblemReport(ScoreDb& db, Log& log, const EventInfo& event, MessageBox& messages);

    /// Writes the log, copies both files to desktopFolder (ends with "/"; empty: nothing is
    /// copied and the message names the files in the event's folder) over earlier copies,
    /// then shows the message without waiting. When the desktop is the event's folder, the
    /// copies go beside the event's files under names ending "-report", never over them.
    /// A copy that fails is logged and told; true when the files are where the message says.
    bool cmdReport_Click(const QString& desktopFolder);

private:
    /// wanted, or a name beside it when wanted is the event's own database or log.
    QString copyPath(const QString& wanted) const;
    /// Copies the open score database to path; false with the reason in error.
    bool copyDatabase(const QString& path, QString& error);

    ScoreDb& db_;
    Log& log_;
    const EventInfo& event_;
    MessageBox& messages_;
};

} // namespace qzc
