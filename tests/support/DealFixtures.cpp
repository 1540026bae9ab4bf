#include "support/DealFixtures.h"

#include <QStringList>

namespace qzc::test {

QByteArray allDealFileText() {
    const QStringList lines = {
        QStringLiteral("#1"),
        QString(),
        QStringLiteral("#2"),
        QStringLiteral("a2"),
        QStringLiteral("#"),
        QStringLiteral("b2"),
        QStringLiteral("#2"),
        QStringLiteral("c2"),
        QStringLiteral("#5"),
        // North's suits, the deal number in front of the diamonds.
        QStringLiteral("\tAKQJ"),
        QStringLiteral("\t5432"),
        QStringLiteral("-420\t76"),
        QStringLiteral("\tJT9"),
        // West, then East after an empty field.
        QStringLiteral("432\t\tT98"),
        QStringLiteral("876\t\tAKQ"),
        QStringLiteral("T98\t\t5432"),
        QStringLiteral("AKQ8\t\t765"),
        // South.
        QStringLiteral("\t765"),
        QStringLiteral("\tJT9"),
        QStringLiteral("\tAKQJ"),
        QStringLiteral("\t432"),
        // The strains in their own order; a line without a first field does not count;
        // west's column is not among the first four fields and reads the first.
        QStringLiteral("Makeable in NT/S/H/D/C"),
        QStringLiteral("\tN\tE\tS\tW"),
        QStringLiteral("W\tN\tE\tS"),
        QStringLiteral("5\t8\t5\t8"),
        QStringLiteral("3\t10\t3\t10"),
        QStringLiteral("7\t6\t7\t6"),
        QStringLiteral("x\t9\t4\t14"),
        QStringLiteral("4\t9\t4\t9"),
        QStringLiteral("#2"),
        QStringLiteral("z2"),
    };
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

QByteArray board5Holders() {
    const unsigned char bytes[] = {0, 86, 175, 213, 171, 240, 10, 175, 193, 87, 240, 53, 106};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

QByteArray board5NumberAndMakeable() {
    const unsigned char bytes[] = {129, 164, 153, 106, 132, 71, 53, 159, 106, 132, 247, 53};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace qzc::test
