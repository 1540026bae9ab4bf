// libFuzzer target: arbitrary bytes through the program's receiver (framing, checksum,
// cutting), every complete frame through the queue and the request dispatcher of a program
// around a fixture event. The first byte of an input sets the game state, the feedback
// style and the size of the port's reads (SessionByte). A reply no terminal could take, an
// exception that escaped the request handling or a database row that no valid request
// could have written aborts the run like a crash; the database is checked once more at
// the end of the run.

#include "harness/RadioRig.h"
#include "support/TestCoreApp.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using qzc::fuzz::RadioRig;

struct Program {
    qzc::test::TestCoreApp app;
    RadioRig rig;
};

// Made at the start of the run and ended by endRun, while the libraries' own globals, which
// its start-up made, still live.
std::unique_ptr<Program> program;

void report(const char* what, const QStringList& problems) {
    std::fprintf(stderr, "==qzc-fuzz== %s:\n", what);
    for (const QString& problem : problems)
        std::fprintf(stderr, "  %s\n", problem.toLocal8Bit().constData());
}

void endRun() {
    const QStringList problems = program->rig.checkDatabase();
    if (!problems.isEmpty()) {
        report("rows no valid request could have written, at the end of the run", problems);
        // The event stays where it is for a look.
        std::fprintf(stderr, "  log: %s\n", program->rig.logFilePath().toLocal8Bit().constData());
        std::_Exit(1);
    }
    program.reset();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    program = std::make_unique<Program>();
    if (!program->rig.start()) {
        report("the program did not start", {program->rig.failure()});
        std::abort();
    }
    std::atexit(endRun);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList problems =
        program->rig.run(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!problems.isEmpty()) {
        report("the program went wrong", problems);
        std::abort();
    }
    return 0;
}
