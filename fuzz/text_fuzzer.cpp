// libFuzzer target: the text the program reads from people and files, through each of its
// parsers (TextParser). An input is the parser's name, a line break, and the text.

#include "harness/FuzzProgram.h"
#include "harness/TextRig.h"

#include <cstdlib>

namespace {

using Program = qzc::fuzz::FuzzProgram<qzc::fuzz::TextRig>;

// Made at the start of the run, ended by endRun.
std::unique_ptr<Program> program;

void endRun() {
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
