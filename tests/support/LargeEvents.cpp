#include "support/LargeEvents.h"

#include "core/SectionLetters.h"

namespace qzc::test::large {

namespace {

const char* const kContracts[] = {"4S", "3NT", "2H", "4H", "1NT", "3C", "5DX", "2S"};
const char* const kDeclarers[] = {"N", "E", "S", "W"};

} // namespace

EventBuilder sectionPlayed(int tables, int rounds) {
    EventBuilder b;
    const int a = b.addSection(QStringLiteral("A"));
    b.setStanza(a, 1, rounds);
    b.addMitchellMovement(a, tables, rounds, 1);
    for (int t = 1; t <= tables; ++t) {
        b.addTerminal(0x0100 + t, a, t);
        for (int r = 1; r <= rounds; ++r) {
            const int board = (t - 1 + r - 1) % tables + 1;
            const int ew = tables + 1 + ((t - r) % tables + tables) % tables;
            const int tricks = 7 + (t + r) % 5;
            b.addResult(
                ResultRow::played(a, t, r, board, t, ew, QStringLiteral("2S"), QStringLiteral("N"), tricks));
        }
    }
    return b;
}

EventBuilder mitchellField(int sections, int tables, int rounds, int boardsPerRound, bool played) {
    EventBuilder b;
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % range);
    };
    for (int s = 1; s <= sections; ++s) {
        const int id = b.addSection(sectionNoToLetter(static_cast<qint16>(s)));
        b.setStanza(id, 1, rounds);
        b.addMitchellMovement(id, tables, rounds, boardsPerRound);
        for (int t = 1; t <= tables; ++t) {
            b.addTerminal(1000 * s + t, id, t);
            if (!played)
                continue;
            for (int r = 1; r <= rounds; ++r) {
                // Where addMitchellMovement seats the EW pair and which boards it plays.
                const int moved = (r - 1) + (tables % 2 == 0 && r > tables / 2 ? 1 : 0);
                const int ew = tables + 1 + (((t - 1) - moved) % tables + tables) % tables;
                const int boardSet = ((t - 1) + (r - 1)) % tables;
                for (int k = 1; k <= boardsPerRound; ++k) {
                    const QString contract = QString::fromLatin1(kContracts[next(8)]);
                    const int level = contract.left(1).toInt();
                    b.addResult(ResultRow::played(id, t, r, boardSet * boardsPerRound + k, t, ew, contract,
                                                  QString::fromLatin1(kDeclarers[next(4)]),
                                                  qMin(13, 5 + level + next(4))));
                }
            }
        }
    }
    return b;
}

} // namespace qzc::test::large
