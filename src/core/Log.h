#pragma once

#include <QString>
#include <QTimer>
#include <QtGlobal>

namespace qzc {

class Clock;

/// Where log lines are mirrored while the log viewer is open.
class LogWindowSink {
public:
    virtual ~LogWindowSink() = default;
    /// The viewer's whole text, so the log can cap it.
    virtual QString text() const = 0;
    /// Cuts the viewer's text to its last count characters, keeping the reader's place.
    virtual void keepLast(qsizetype count) = 0;
    /// Adds one line at the end of the viewer's text, on a line of its own.
    virtual void appendLine(const QString& line) = 0;
};

/// The text of a program error code ("Invalid checksum value" for 1005); empty for an
/// unknown code.
QString programErrorText(int code);

/// "QZC v1.0.00 ..." as shown in the start-up log and the about box.
QString getVersionText();

/// The event log: time-stamped lines gathered in memory and appended to the event's log
/// file in blocks, at once for errors and a few significant events, and, once timed writes
/// are on, at most a second after a line was logged.
class Log {
public:
    static constexpr qint32 minimumBufferLimit = 100000;
    /// How long a line may wait in memory once timed writes are on.
    static constexpr int waitingLinesWriteMs = 1000;

    explicit Log(const Clock& clock);
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    /// Adds one line. number is a program error code, a run-time error number or 0;
    /// source names the reporting procedure and may be empty.
    void writeLog(int number, const QString& message, const QString& source = {}, bool runError = false);

    /// Writes what is buffered to the log file now (start-up failures, the end of start-up).
    void flush();

    /// From now on a line waits in memory at most waitingLinesWriteMs: a crash or a power
    /// cut then loses at most the last second of the log, not the evening. On once the
    /// event's log file may exist (a new event has none until its settings are saved).
    void startTimedWrites() { timedWrites_ = true; }
    /// The timer's tick: what waits is written as it is, without a line of its own.
    void writeWaitingLines();
    const QTimer& writeTimer() const { return writeTimer_; }

    /// The log file; lines logged before it is set stay in the buffer.
    void setFilePath(const QString& path);
    const QString& filePath() const { return filePath_; }
    /// Removes the log file, and no line logged from here on brings it back: the next start
    /// on the event finds no log and is a first opening again.
    void discardFile();

    void setBufferLimit(qint32 lines);
    qint32 bufferLimit() const { return bufferLimit_; }

    void setMirroring(bool on) { mirroring_ = on; }
    /// The open log viewer, or nullptr when it is closed. Not owned.
    void setWindowSink(LogWindowSink* sink) { windowSink_ = sink; }

    /// "hh:mm:ss.zzz" of the clock's current time.
    QString timeStampMs() const;

    /// Lines not yet written and how many writeLog calls they hold (for tests and the
    /// problem report).
    const QString& bufferedText() const { return bufferText_; }
    qint32 bufferedCount() const { return bufferCount_; }

private:
    bool writeBuffer();

    const Clock& clock_;
    QString filePath_;
    QString bufferText_;
    qint32 bufferCount_ = 0;
    qint32 bufferLimit_ = minimumBufferLimit;
    bool mirroring_ = false;
    LogWindowSink* windowSink_ = nullptr;
    bool timedWrites_ = false;
    QTimer writeTimer_;
};

} // namespace qzc
