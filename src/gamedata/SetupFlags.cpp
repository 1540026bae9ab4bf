#include "gamedata/SetupFlags.h"

#include "core/ScoreDb.h"

namespace qzc {

bool setflagloadsetup(ScoreDb& db, bool clear, qint16 section) {
    QString sql = QStringLiteral("UPDATE [Tables] SET custom_qz_loadsetup=") +
                  (clear ? QStringLiteral("0") : QStringLiteral("1"));
    if (section >= 1)
        sql += QStringLiteral(" WHERE [Section]=") + QString::number(section);
    return db.execSQL(sql, QStringLiteral("Database - setflagloadsetup"));
}

} // namespace qzc
