#pragma once

#include "gamedata/PlayerNames.h"
#include "harness/LogFileTrim.h"
#include "support/EventHarness.h"
#include "support/FakeHelp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qzc::fuzz {

/// The program as the text target drives it: the start-up sequence run on a fixture event
/// in a temporary program folder, with its ini file, names lists and desktop (faked), so
/// that the parsers that read files read them where the program does.
class TextRig {
public:
    TextRig() : names(harness.db, harness.log, harness.event, harness.config, harness.clock) {}

    /// Builds and starts the event; false (see failure()) when that fails.
    bool start();
    const QString& failure() const { return failure_; }

    /// Hands one input to the parser it names: the parser's name on the first line, the
    /// text after the line break. An input naming no parser is passed over. Returns what
    /// went wrong beyond a crash (a parser's result that breaks its own promise); empty
    /// when all is well.
    QStringList run(const QByteArray& input);

    /// Writes bytes as a file of the program folder and returns its path.
    QString writeFile(const QString& name, const QByteArray& bytes);

    test::EventHarness harness;
    PlayerNames names;
    test::FakeShellOpener shell;

private:
    LogFileTrim logTrim_;
    QString failure_;
};

} // namespace qzc::fuzz
