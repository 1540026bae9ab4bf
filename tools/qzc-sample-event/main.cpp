// Writes the sample event (a club evening of two sections) to the given score database
// file, so that the program can be started on it: qzc "/f:<file>".
#include "support/Fixtures.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2 || args.at(1).startsWith(QLatin1Char('-'))) {
        err << "usage: qzc-sample-event <score database file>\n"
               "Writes a club evening (sections A and B, 6 tables each, 5 rounds of 3 boards).\n";
        return 2;
    }
    const QString path = QFileInfo(args.at(1)).absoluteFilePath();
    qzc::test::EventBuilder builder = qzc::test::fixtures::clubEvening();
    if (!builder.build(path)) {
        err << "qzc-sample-event: " << builder.lastError() << '\n';
        return 1;
    }
    QTextStream(stdout) << path << '\n';
    return 0;
}
