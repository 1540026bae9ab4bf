#include "harness/FuzzProgram.h"

#include <cstdio>

namespace qzc::fuzz {

void reportProblems(const char* what, const QStringList& problems) {
    std::fprintf(stderr, "==qzc-fuzz== %s:\n", what);
    for (const QString& problem : problems)
        std::fprintf(stderr, "  %s\n", problem.toLocal8Bit().constData());
}

} // namespace qzc::fuzz
