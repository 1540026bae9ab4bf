#include "harness/TextParsers.h"

#include "core/Config.h"
#include "core/GameSettings.h"
#include "core/NumberText.h"
#include "core/ResultEntry.h"
#include "core/SectionLetters.h"
#include "core/TextHelpers.h"
#include "harness/TextRig.h"
#include "platform/Ansi.h"
#include "platform/RegistryKey.h"
#include "platform/SerialPort.h"
#include "scoring/AllDealFile.h"
#include "scoring/CardNumbers.h"
#include "scoring/ContractScore.h"
#include "scoring/ResultEntryParser.h"
#include "scoring/WireCodes.h"
#include "terminal/LinkSettings.h"

namespace qzc::fuzz {

namespace {

QString typed(const QByteArray& text) {
    return QString::fromUtf8(text);
}

/// A names file as the director hands it to the import (and as names.txt is read at
/// start-up): number and name on each line, ";" or "," between them.
QStringList namesFile(TextRig& rig, const QByteArray& text) {
    rig.names.importPlayerNames(rig.writeFile(QStringLiteral("import.txt"), text), true, true, rig.shell);
    return {};
}

/// The ini file as the start-up reads it: the program's keys, the link settings, the
/// default game settings and the serial devices, missing defaults written back.
QStringList iniFile(TextRig& rig, const QByteArray& text) {
    Config& config = rig.harness.config;
    rig.writeFile(Config::iniFileName, text);
    config.readStartupSettings(QString(), RegistryKey(rig.harness.filePath(QStringLiteral("ORV.conf"))));
    LinkSettings::read(config);
    rig.harness.settings.loadDefaultGameSettings(config);
    parseSerialDevices(config.readMain(QStringLiteral("SerialDevices")));
    return {};
}

/// One value of the ini file, through every reader of values.
QStringList iniValue(TextRig&, const QByteArray& text) {
    const QString value = typed(text);
    StrToInt(value);
    StrToLong(value);
    StrToDouble(value);
    IsNumeric(value);
    Config::parseVersion(value);
    parseSerialDevices(value);
    return {};
}

/// The program's command line, as the start-up reads the database file and "/m" from it.
QStringList commandLine(TextRig&, const QByteArray& text) {
    const QString line = typed(text);
    Config::GetArgValue(line, QStringLiteral("/f:"));
    Config::GetArgValue(line, QStringLiteral("/m"));
    return {};
}

/// What a box that takes numbers only keeps of a typed text, with the caret anywhere.
QStringList typedNumber(TextRig&, const QByteArray& text) {
    const QString value = typed(text);
    QStringList problems;
    for (const int caret : {0, static_cast<int>(value.size() / 2), static_cast<int>(value.size())}) {
        const NumericText kept = NumericOnlyText(value, caret);
        if (kept.caret < 0 || kept.caret > kept.text.size())
            problems << QStringLiteral("caret %1 outside the kept text of %2 characters")
                            .arg(kept.caret)
                            .arg(kept.text.size());
    }
    return problems;
}

/// A contract, declarer, result and lead as the director or the scoring program writes
/// them: the text split at blanks into contract, declarer, result and lead.
QStringList contractText(TextRig&, const QByteArray& text) {
    const QStringList parts = typed(text).split(QLatin1Char(' '));
    const QString contract = parts.value(0);
    const QString declarer = parts.value(1);
    const QString result = parts.value(2);
    const QString lead = parts.value(3);
    const qint16 tricks = calcTricksMade(contract, result);
    QStringList problems;
    const qint16 code = encodeContractByte(contract);
    if (code < 0 || code > 255)
        problems << QStringLiteral("contract byte %1 of %2").arg(code).arg(contract);
    const qint16 resultCode = encodeResultByte(declarer, tricks);
    if (resultCode < 0 || resultCode > 255)
        problems << QStringLiteral("result byte %1 of %2 %3").arg(resultCode).arg(declarer).arg(tricks);
    const qint16 card = encodeCardByte(lead);
    if (card < 0 || card > 255)
        problems << QStringLiteral("card byte %1 of %2").arg(card).arg(lead);
    for (qint16 board = 1; board <= 4; ++board)
        calcContractScore(board, contract, declarer, tricks);
    formatResultText(contract, tricks);
    return problems;
}

/// A board result as the director types it in the result pop-up or the edit dialog
/// ("4SN+1HK"); a text read as a whole result must give a result that can be stored.
QStringList resultEntry(TextRig&, const QByteArray& text) {
    ResultEntry entry;
    parseResultEntry(typed(text), entry);
    if (entry.valid != -1)
        return {};
    const QString seats = QStringLiteral("NESW");
    // A whole entry's contract keeps the case it was typed in; the store reads it in capitals.
    const QString contract = entry.contract.toUpper();
    const bool notPlayed = contract == QLatin1String("NP") || contract == QLatin1String("PASS") ||
                           contract == QLatin1String("LP");
    if (!notPlayed && (entry.tricks < 0 || entry.tricks > 13 || entry.declarer.size() != 1 ||
                       !seats.contains(entry.declarer) || encodeContractByte(entry.contract) < 0))
        return {QStringLiteral("whole result with contract %1, declarer %2, %3 tricks")
                    .arg(entry.contract, entry.declarer)
                    .arg(entry.tricks)};
    return {};
}

/// The all-deal file of the hand-record program, as the terminals' deal requests read it.
QStringList allDealFile(TextRig& rig, const QByteArray& text) {
    const AllDealFile file(rig.harness.log, rig.writeFile(QStringLiteral("alldeal.txt"), text));
    QStringList problems;
    for (const qint16 board : {qint16{0}, qint16{1}, qint16{2}, qint16{255}}) {
        file.Get_AllDeal(board);
        for (const bool makeable : {false, true}) {
            const qsizetype size = file.GetDealtCard(board, makeable).size();
            if (size != (makeable ? 25 : 13))
                problems
                    << QStringLiteral("dealt-card payload of board %1 has %2 bytes").arg(board).arg(size);
        }
    }
    return problems;
}

/// A hand's holding in a suit as the deal file gives it ("N S AKQT2"): every position of
/// the lettered deal stays one letter from "a" to "p".
QStringList suitHolding(TextRig&, const QByteArray& text) {
    const QStringList parts = typed(text).split(QLatin1Char(' '));
    LetteredDeal deal;
    deal.fill(QStringLiteral("a"));
    parseSuitHolding(deal, parts.value(0), parts.value(1), parts.value(2));
    for (const QString& position : deal) {
        if (position.size() != 1 || position.at(0) < u'a' || position.at(0) > u'p')
            return {QStringLiteral("lettered deal position ") + position};
    }
    return {};
}

/// A table id or section letters as typed or read from the database.
QStringList tableId(TextRig&, const QByteArray& text) {
    const QString id = typed(text);
    sectionLetterToNo(id);
    tableIdLetter(id);
    tableIdNumber(id);
    return {};
}

/// A text file's bytes as the program reads them; Windows-1252 gives every byte back.
QStringList fileText(TextRig&, const QByteArray& text) {
    Ansi::decodeFileText(text);
    if (Ansi::encode(Ansi::decode(text)) != text)
        return {QStringLiteral("Windows-1252 does not give the bytes back")};
    return {};
}

} // namespace

const std::vector<TextParser>& textParsers() {
    static const std::vector<TextParser> parsers = {
        {"names-file", namesFile},      {"ini-file", iniFile},         {"ini-value", iniValue},
        {"command-line", commandLine},  {"typed-number", typedNumber}, {"contract-text", contractText},
        {"table-id", tableId},          {"file-text", fileText},       {"result-entry", resultEntry},
        {"all-deal-file", allDealFile}, {"suit-holding", suitHolding},
    };
    return parsers;
}

} // namespace qzc::fuzz
