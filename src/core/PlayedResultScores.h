#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <unordered_map>

namespace qzc {

/// The program's own score and declarer that the shared columns of a played result give.
struct OwnColumnValues {
    qint16 score = 0;
    /// The declaring seat's letter in upper case; empty for a passed board without one.
    QString declarer;
};

/// What a result with these shared columns, as stored (the contract with or without blanks, the
/// result text, the declarer's [NS/EW] text), gives its own columns; nullopt for a row that is no
/// played result (no bid contract or no declaring seat, and not passed), whose own columns keep
/// what they hold.
std::optional<OwnColumnValues> ownColumnValues(qint16 board, QString contract, const QString& result,
                                               const QString& sharedDeclarer);

/// The own columns that results' shared columns give (OwnScoreColumns), each distinct contract,
/// result and declarer on a board of the same vulnerability worked out once: a look goes through
/// every stored result, and they repeat one another. A board counts only through its place in
/// the vulnerability cycle, as it does in calcContractScore.
class PlayedResultScores {
public:
    /// What a result with these shared columns, as stored, gives its own columns; nullopt for a
    /// row that is no played result (no bid contract or no declaring seat, and not passed),
    /// whose own columns keep what they hold. Valid as long as this object.
    const std::optional<OwnColumnValues>& of(qint16 board, const QString& contract, const QString& result,
                                             const QString& declarer);

private:
    struct SharedColumns {
        int vulnerabilityIndex = 0;
        QString contract;
        QString result;
        QString declarer;
        bool operator==(const SharedColumns&) const = default;
    };
    struct SharedColumnsHash {
        std::size_t operator()(const SharedColumns& key) const;
    };
    std::unordered_map<SharedColumns, std::optional<OwnColumnValues>, SharedColumnsHash> known_;
};

} // namespace qzc
