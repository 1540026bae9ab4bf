#pragma once

#include <QString>

namespace qzc {

class GameSettings;

/// The condition of a counted result after a WHERE or AND: not erased, no remark (empty
/// or Null) and a contract. Only counted results enter scales, frequencies and travellers.
QString countedResultCondition();

/// True for a stored result that countedResultCondition counts, erasure aside: no remark
/// (empty, or Null read as empty) and a contract as stored.
bool isCountedResult(const QString& remarks, const QString& contract);

/// The remark part of countedResultCondition alone (no condition on Erased), as the stored
/// scale statements use it: " AND (remarks='' OR remarks IS NULL) AND (NOT remarks='' OR
/// NOT contract='')".
QString noRemarkWithContract();

/// True when boards are scored across the whole field rather than per section (the setting
/// custom_qz_scoreacrosspair is not 0).
bool scoresAcrossField(const GameSettings& settings);

/// True for cross-IMP scoring (the setting custom_qz_scoringtype is 0 or unset).
bool scoresImps(const GameSettings& settings);

} // namespace qzc
