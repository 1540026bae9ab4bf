#include "core/SettingsRow.h"

#include "core/ScoreDb.h"

namespace qzc {

bool isFourDigitPin(const QString& text) {
    if (text.size() != 4)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString settingsSetList(const QStringList& values) {
    QStringList items;
    for (std::size_t i = 0; i < savedSettingColumns.size(); ++i) {
        const QString column = QString::fromLatin1(savedSettingColumns[i]);
        const QString value =
            i < static_cast<std::size_t>(values.size()) ? values[static_cast<qsizetype>(i)] : QString();
        if (column == QLatin1String("custom_qz_tdpin")) {
            items << column + QLatin1Char('=') + ScoreDb::sqlQuote(value);
            continue;
        }
        items << column + QLatin1Char('=') + value;
        if (column == QLatin1String("custom_qz_askplayerid") && value != QLatin1String("1"))
            items << QStringLiteral("custom_qz_skipcheckIDexist=0");
    }
    return items.join(QLatin1Char(','));
}

bool writeSettingsRow(ScoreDb& db, const QString& setList) {
    if (!db.hasRows(QStringLiteral("SELECT custom_qz_showgoto FROM [custom_qz_settings]")) &&
        !db.execSQL(QStringLiteral("INSERT INTO [custom_qz_settings] (custom_qz_showgoto) VALUES (0)"),
                    QStringLiteral("Create record in QZ game settings")))
        return false;
    return db.execSQL(QStringLiteral("UPDATE [custom_qz_settings] SET ") + setList +
                          QStringLiteral(" WHERE 1=1"),
                      QStringLiteral("Save QZ game settings"));
}

} // namespace qzc
