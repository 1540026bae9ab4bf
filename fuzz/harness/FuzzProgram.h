#pragma once

#include "support/TestCoreApp.h"

#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace qzc::fuzz {

/// Writes what went wrong to the fuzzer's output, one problem a line.
void reportProblems(const char* what, const QStringList& problems);

/// The program a fuzz target drives, kept from the start of the run to its end: the
/// application object and the target's rig (RadioRig, TextRig).
template <typename Rig> struct FuzzProgram {
    test::TestCoreApp app;
    Rig rig;

    /// A started program; aborts the run when it does not start.
    static std::unique_ptr<FuzzProgram> started() {
        auto program = std::make_unique<FuzzProgram>();
        if (!program->rig.start()) {
            reportProblems("the program did not start", {program->rig.failure()});
            std::abort();
        }
        return program;
    }

    /// Hands one input to the rig; a problem it reports ends the run like a crash, so that
    /// the fuzzer keeps the input.
    void run(const std::uint8_t* data, std::size_t size) {
        const QStringList problems =
            rig.run(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
        if (!problems.isEmpty()) {
            reportProblems("the program went wrong", problems);
            std::abort();
        }
    }
};

/// Starts the run's program; endRun is called at the end of the run, while the libraries'
/// own globals, which the start-up made, still live (static objects made after the start go
/// before it).
template <typename Rig> int startRun(std::unique_ptr<FuzzProgram<Rig>>& program, void (*endRun)()) {
    program = FuzzProgram<Rig>::started();
    std::atexit(endRun);
    return 0;
}

} // namespace qzc::fuzz
