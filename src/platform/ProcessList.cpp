#include "platform/ProcessList.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>

namespace qzc {
namespace {

constexpr qsizetype commLength = 15; // the kernel's limit for /proc/<pid>/comm

/// The names to look for: as given and, for "x.exe", also "x".
QStringList candidateNames(const QString& exeName) {
    QStringList names{exeName};
    const QString suffix = QStringLiteral(".exe");
    if (exeName.size() > suffix.size() && exeName.endsWith(suffix, Qt::CaseInsensitive))
        names << exeName.chopped(suffix.size());
    return names;
}

/// The file name of the process's executable; empty when the link cannot be read.
QString exeFileName(const QString& processDir) {
    QString target = QFile::symLinkTarget(processDir + QStringLiteral("/exe"));
    // A program replaced on disk while running shows as "/path/name (deleted)".
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target.mid(target.lastIndexOf(QLatin1Char('/')) + 1);
}

/// The process name as the kernel keeps it (at most 15 bytes); empty when unreadable.
QByteArray commName(const QString& processDir) {
    QFile file(processDir + QStringLiteral("/comm"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray name = file.readAll();
    if (name.endsWith('\n'))
        name.chop(1);
    return name;
}

/// The file names of the first two words of the process's command line: the program as
/// started (a linked program keeps the link's name there) and, when an interpreter runs a
/// script, the script. Empty when the command line cannot be read.
QStringList startedAs(const QString& processDir) {
    QFile file(processDir + QStringLiteral("/cmdline"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QByteArray& word : file.readAll().split('\0').mid(0, 2)) {
        const QString path = QFile::decodeName(word);
        names << path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    }
    return names;
}

bool commMatches(const QByteArray& comm, const QStringList& names) {
    for (const QString& name : names) {
        const QByteArray encoded = QFile::encodeName(name);
        if (encoded == comm || (comm.size() == commLength && encoded.startsWith(comm)))
            return true;
    }
    return false;
}

} // namespace

ProcProcessList::ProcProcessList(QString procRoot) : procRoot_(std::move(procRoot)) {}

bool ProcProcessList::IsProcessRunning(const QString& exeName) const {
    if (exeName.isEmpty())
        return false;
    const QStringList names = candidateNames(exeName);
    const QDir root(procRoot_);
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QString processDir = root.filePath(entry);
        const QString exe = exeFileName(processDir);
        if (names.contains(exe))
            return true;
        const QStringList started = startedAs(processDir);
        if (std::any_of(started.begin(), started.end(),
                        [&names](const QString& n) { return names.contains(n); }))
            return true;
        if (exe.isEmpty()) {
            const QByteArray comm = commName(processDir);
            if (!comm.isEmpty() && commMatches(comm, names))
                return true;
        }
    }
    return false;
}

} // namespace qzc
