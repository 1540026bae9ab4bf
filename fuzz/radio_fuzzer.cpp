// libFuzzer target: arbitrary bytes through the program's receiver (framing, checksum,
// cutting), every complete frame through the queue and the request dispatcher of a program
// around a fixture event. The first byte of an input sets the game state, the feedback
// style and the size of the port's reads (SessionByte). A reply no terminal could take, an
// exception that escaped the request handling or a database row that no valid request
// could have written ends the run like a crash; the database is checked once more at the
// end of the run.

#include "harness/FuzzProgram.h"
#include "harness/RadioRig.h"

#include <cstdio>
#include <cstdlib>

namespace {

using Program = qzc::fuzz::FuzzProgram<qzc::fuzz::RadioRig>;

// Made at the start of the run, ended by endRun.
std::unique_ptr<Program> program;

void endRun() {
    const QStringList problems = program->rig.checkDatabase();
    if (!problems.isEmpty()) {
        qzc::fuzz::reportProblems("rows no valid request could have written, at the end of the run",
                                  problems);
        // The event stays where it is for a look.
        std::fprintf(stderr, "  log: %s\n", program->rig.logFilePath().toLocal8Bit().constData());
        std::_Exit(1);
    }
    program.reset();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return qzc::fuzz::startRun(program, endRun);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    program->run(data, size);
    return 0;
}
