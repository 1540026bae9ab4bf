// libFuzzer target: the text the program reads from people and files, through each of its
// parsers (TextParser). An input is the parser's name, a line break, and the text.

#include "harness/TextRig.h"
#include "support/TestCoreApp.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using qzc::fuzz::TextRig;

struct Program {
    qzc::test::TestCoreApp app;
    TextRig rig;
};

// Made at the start of the run and ended by endRun, while the libraries' own globals, which
// its start-up made, still live.
std::unique_ptr<Program> program;

void endRun() {
    program.reset();
}

void report(const char* what, const QStringList& problems) {
    std::fprintf(stderr, "==qzc-fuzz== %s:\n", what);
    for (const QString& problem : problems)
        std::fprintf(stderr, "  %s\n", problem.toLocal8Bit().constData());
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
        report("a parser broke its promise", problems);
        std::abort();
    }
    return 0;
}
