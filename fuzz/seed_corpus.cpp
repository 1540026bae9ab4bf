// Writes the seed corpus of the fuzz targets: qzc-fuzz-seeds <folder> fills
// <folder>/radio with the radio inputs and <folder>/text with the text inputs.

#include "harness/RadioRig.h"
#include "harness/SeedCorpus.h"
#include "support/TestCoreApp.h"

#include <QDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qzc-fuzz-seeds <folder>\n");
        return 2;
    }
    qzc::test::TestCoreApp app;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    qzc::fuzz::RadioRig rig;
    if (!rig.start()) {
        std::fprintf(stderr, "the program did not start: %s\n", rig.failure().toLocal8Bit().constData());
        return 1;
    }
    if (!qzc::fuzz::writeSeeds(qzc::fuzz::radioSeeds(rig), folder.filePath(QStringLiteral("radio"))) ||
        !qzc::fuzz::writeSeeds(qzc::fuzz::textSeeds(), folder.filePath(QStringLiteral("text")))) {
        std::fprintf(stderr, "cannot write the seeds into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
