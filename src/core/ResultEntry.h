#pragma once

#include <QString>
#include <QtGlobal>

namespace qzc {

/// One typed, received or stored board result.
struct ResultEntry {
    QString remarks; ///< "NP", "LP", an adjusted score or free text
    qint16 board = 0;
    QString contract; ///< "PASS", "NP", "LP" or level, strain and doubling
    QString declarer; ///< "N", "E", "S" or "W"
    qint16 tricks = 0;
    QString lead;     ///< the opening lead, two characters
    qint16 valid = 0; ///< -1 when the entry holds a complete result, else 0
    qint16 score = 0; ///< the North-South score stored with the result

    bool operator==(const ResultEntry&) const = default;
};

/// Empties the texts and sets the numbers to 0.
inline void clearResultEntry(ResultEntry& entry) {
    entry = ResultEntry{};
}

} // namespace qzc
