#include "core/PlayedResultScores.h"

#include "scoring/ContractScore.h"
#include "scoring/Vulnerability.h"

#include <QHashFunctions>

namespace qzc {

namespace {

// The declaring seat's letter in upper case; empty when the text names no seat.
QString seatLetter(const QString& text) {
    const QString letter = text.trimmed().toUpper();
    return letter.size() == 1 && QStringLiteral("NESW").contains(letter) ? letter : QString();
}

bool isBidContract(const QString& contract) {
    return !contract.isEmpty() && contract.at(0) >= QLatin1Char('1') && contract.at(0) <= QLatin1Char('7');
}

} // namespace

std::optional<OwnColumnValues> ownColumnValues(qint16 board, QString contract, const QString& result,
                                               const QString& sharedDeclarer) {
    contract.remove(QLatin1Char(' '));
    OwnColumnValues values;
    values.declarer = seatLetter(sharedDeclarer);
    // A passed board scores nothing, as the result intake stores it.
    if (contract == QLatin1String("PASS"))
        return values;
    if (!isBidContract(contract) || values.declarer.isEmpty())
        return std::nullopt;
    values.score = calcContractScore(board, contract, values.declarer, calcTricksMade(contract, result));
    return values;
}

std::size_t PlayedResultScores::SharedColumnsHash::operator()(const SharedColumns& key) const {
    return qHashMulti(0, key.vulnerabilityIndex, key.contract, key.result, key.declarer);
}

const std::optional<OwnColumnValues>& PlayedResultScores::of(qint16 board, const QString& contract,
                                                             const QString& result, const QString& declarer) {
    SharedColumns key{vulnerabilityIndex(board), contract, result, declarer};
    const auto found = known_.find(key);
    if (found != known_.end())
        return found->second;
    std::optional<OwnColumnValues> values = ownColumnValues(board, contract, result, declarer);
    return known_.emplace(std::move(key), std::move(values)).first->second;
}

} // namespace qzc
