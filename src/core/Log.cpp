#include "core/Log.h"

#include "platform/Clock.h"

#include <QFile>
#include <cstdio>

namespace qzc {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Texts in the body that write the buffer at once: quitting, stopping the game, an idle
// radio link and an explicit request.
bool bodyForcesWrite(const QString& body) {
    static const char* const markers[] = {"Quit ", "Stop game.", "Exceeds idle time ", "Force flush"};
    for (const char* marker : markers) {
        if (body.contains(QLatin1String(marker), Qt::CaseSensitive))
            return true;
    }
    return false;
}

// The log viewer keeps at most this much text; when a line would pass it, the viewer is
// cut to its last keptWindowChars characters first.
constexpr qsizetype maxWindowChars = 65535;
constexpr qsizetype keptWindowChars = 40000;

// "yyyy-mm-dd hh:mm:ss.zzz" of one clock reading.
QString lineStamp(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    if (!date.isValid() || !time.isValid() || date.year() < 1000 || date.year() > 9999)
        return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
               time.toString(QStringLiteral("HH:mm:ss.zzz"));
    // Written by hand: every log line has one, and the formatting functions are slow.
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year(), date.month(),
                  date.day(), time.hour(), time.minute(), time.second(), time.msec());
    return QString::fromLatin1(text, 23);
}

} // namespace

QString programErrorText(int code) {
    switch (code) {
    case 1001:
        return QStringLiteral("Undefined request code");
    case 1002:
        return QStringLiteral("Invalid message length");
    case 1003:
        return QStringLiteral("Invalid message format");
    case 1004:
        return QStringLiteral("Invalid message length, tx");
    case 1005:
        return QStringLiteral("Invalid checksum value");
    case 1006:
        return QStringLiteral("No table found login by the TQZ, all message request are ignored");
    case 1007:
        return QStringLiteral("Fail to write board result");
    case 1101:
        return QStringLiteral("Deal card input is not supported.");
    case 2001:
        return QStringLiteral("COM port is not open.");
    case 3001:
        return QStringLiteral("Timeout, message dropped");
    case 9001:
        return QStringLiteral("Invalid score database structure.");
    case 9002:
        return QStringLiteral("Fails to insert customized field for Talvane.");
    case 9003:
        return QStringLiteral("In score database, required tables are empty or with invalid record count.");
    default:
        return {};
    }
}

QString getVersionText() {
    // Revision as two digits: 49 stays 49, 5 becomes 05.
    return QStringLiteral("QZC v%1.%2.%3 Electronic scoring control")
        .arg(QZC_VERSION_MAJOR)
        .arg(QZC_VERSION_MINOR)
        .arg(QZC_VERSION_PATCH, 2, 10, QLatin1Char('0'));
}

Log::Log(const Clock& clock) : clock_(clock) {
    writeTimer_.setObjectName(QStringLiteral("timerWriteLog"));
    writeTimer_.setSingleShot(true);
    writeTimer_.setInterval(waitingLinesWriteMs);
    QObject::connect(&writeTimer_, &QTimer::timeout, [this] { writeWaitingLines(); });
}

void Log::writeWaitingLines() {
    if (!bufferText_.isEmpty())
        writeBuffer();
}

void Log::setFilePath(const QString& path) {
    filePath_ = path;
}

void Log::discardFile() {
    const QString path = filePath_;
    filePath_.clear();
    if (!path.isEmpty())
        QFile::remove(path);
}

void Log::setBufferLimit(qint32 lines) {
    bufferLimit_ = lines;
}

QString Log::timeStampMs() const {
    return clock_.now().time().toString(QStringLiteral("HH:mm:ss.zzz"));
}

void Log::writeLog(int number, const QString& message, const QString& source, bool runError) {
    ++bufferCount_;

    // One clock reading gives both the date and the time of the line.
    const QString timeStamp = lineStamp(clock_.now());

    QString body;
    if (runError) {
        body = QStringLiteral("run-err") + QString::number(number) + QLatin1Char(' ') + message;
    } else if (number != 0) {
        body =
            QStringLiteral("sys-err") + QString::number(number) + QLatin1Char(' ') + programErrorText(number);
        if (!message.isEmpty())
            body += QStringLiteral(": ") + message;
    } else if (!message.isEmpty()) {
        body = QStringLiteral(": ") + message;
    }

    const bool writeNow = bodyForcesWrite(body) || runError || number > 0;

    QString line = timeStamp + QLatin1Char(' ') + body;
    if (!source.isEmpty())
        line += QStringLiteral(" (") + source + QLatin1Char(')');
    bufferText_ += line + kCrLf;

    if (writeNow || bufferCount_ >= bufferLimit_) {
        bufferText_ += timeStamp + QStringLiteral(" Flush previous log buffer") + kCrLf;
        writeBuffer();
    } else if (timedWrites_ && !writeTimer_.isActive()) {
        writeTimer_.start();
    }

    if (mirroring_ && windowSink_ != nullptr) {
        const QString shown = windowSink_->text();
        if (shown.size() + kCrLf.size() + line.size() >= maxWindowChars)
            windowSink_->keepLast(keptWindowChars);
        windowSink_->appendLine(line);
    }
}

void Log::flush() {
    if (bufferText_.isEmpty())
        return;
    bufferText_ += lineStamp(clock_.now()) + QStringLiteral(" Flush previous log buffer") + kCrLf;
    writeBuffer();
}

bool Log::writeBuffer() {
    // Until the event's log file is known the lines stay in memory; a failed write keeps
    // them for the next attempt.
    if (filePath_.isEmpty())
        return false;
    // Unbuffered: a refused write shows here, not in close(), which reports nothing.
    QFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const qint64 sizeBefore = file.size();
    const QByteArray bytes = bufferText_.toUtf8();
    const qint64 written = file.write(bytes);
    if (written != bytes.size()) {
        // A block written in part is taken back, so that the next attempt writes no line
        // twice; where it cannot be, only what did not reach the file is kept.
        if (written > 0 && !file.resize(sizeBefore))
            bufferText_ = QString::fromUtf8(bytes.mid(written));
        return false;
    }
    bufferText_.clear();
    bufferCount_ = 0;
    return true;
}

} // namespace qzc
