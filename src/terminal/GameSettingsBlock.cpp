#include "terminal/GameSettingsBlock.h"

#include "core/GameSettings.h"
#include "core/Log.h"
#include "core/NumberText.h"

#include <QRegularExpression>

namespace qzc {

namespace {

// The TD PIN in its four digits; the default for an empty setting, and (logged) for one
// that is no number of at most four digits.
int tdPin(const QString& tableId, const GameSettings& settings, Log& log) {
    const QString text = settings.getGameSetting(QStringLiteral("custom_qz_tdpin")).trimmed();
    if (text.isEmpty())
        return defaultTdPin;
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    if (digits.match(text).hasMatch())
        return text.toInt();
    log.writeLog(0,
                 QStringLiteral("TD PIN '") + text + QStringLiteral("' is not a PIN of four digits, ") +
                     tableId + QStringLiteral(" gets the TD PIN ") + QString::number(defaultTdPin),
                 QStringLiteral("getGameSettingsData"));
    return defaultTdPin;
}

} // namespace

QByteArray getGameSettingsData(const QString& tableId, const GameSettings& settings, bool separatePairs,
                               const QDateTime& now, Log& log) {
    log.writeLog(0, QStringLiteral("Get game settings data"));
    const auto value = [&settings](const char* name) {
        return StrToInt(settings.getGameSetting(QLatin1String(name)));
    };
    const auto flag = [&value](const char* name, int weight) {
        return value(name) != 0 ? weight : 0;
    };

    QByteArray block(gameSettingsBlockSize, '\0');
    const int questions = flag("custom_qz_showgoto", 1) + (separatePairs ? 2 : 0) +
                          flag("custom_qz_askpincode", 4) + flag("custom_qz_askplayerid", 8) +
                          flag("custom_qz_asklead", 16) + flag("custom_qz_askdeal", 32) +
                          flag("custom_qz_askbid", 64) + flag("custom_qz_askplay", 128);
    block[0] = static_cast<char>(questions);

    const int display = flag("custom_qz_includemakable", 1) + (value("custom_qz_topranking") > 0 ? 128 : 0) +
                        (value("custom_qz_scoringtype") == 0 ? 32 : 0) +
                        (value("custom_qz_gametype") == 1 ? 16 : 0) + flag("custom_qz_recapresult", 8) +
                        (value("custom_qz_shownames") > 0 ? 4 : 0) +
                        (value("custom_qz_askconfirmation") == 0 ? 2 : 0);
    block[1] = static_cast<char>(display);

    const int method = value("custom_qz_inputmethod");
    const int methodCode = (method == 0 ? 1 : method == 1 ? 0 : method) & 3;
    const int entry = methodCode + flag("custom_qz_roundsummary", 128) +
                      flag("custom_qz_permitresultchange", 64) + flag("custom_qz_includedeal", 32) +
                      flag("custom_qz_rotatedirections", 16) + flag("custom_qz_makableformat", 8) +
                      flag("custom_qz_pointtodeclarer", 4);
    block[2] = static_cast<char>(entry);

    const int pin = tdPin(tableId, settings, log);
    block[3] = static_cast<char>(pin / 100);
    block[4] = static_cast<char>(pin % 100);
    block[5] = 0;
    const QDate date = now.date();
    const QTime time = now.time();
    block[6] = static_cast<char>(date.year() / 256);
    block[7] = static_cast<char>(date.year() % 256);
    block[8] = static_cast<char>(date.month());
    block[9] = static_cast<char>(date.day());
    block[10] = static_cast<char>(time.hour());
    block[11] = static_cast<char>(time.minute());
    block[12] = static_cast<char>(time.second());
    return block;
}

} // namespace qzc
