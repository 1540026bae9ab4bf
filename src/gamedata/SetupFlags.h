#pragma once

#include <QtGlobal>

namespace qzc {

class ScoreDb;

/// Marks the tables whose set-up their terminals must fetch again (custom_qz_loadsetup 1),
/// or clears the mark (clear true): the tables of one section, or every table when section
/// is below 1. False when the statement fails (logged under "Database - setflagloadsetup").
bool setflagloadsetup(ScoreDb& db, bool clear, qint16 section = 0);

} // namespace qzc
