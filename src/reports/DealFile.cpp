#include "reports/DealFile.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/QueryValues.h"
#include "core/ScoreDb.h"
#include "core/TextFile.h"
#include "scoring/CardNumbers.h"

#include <QSqlRecord>
#include <QStringList>
#include <array>
#include <map>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("Brannocke_CreateDealFile");
const QString kCrLf = QStringLiteral("\r\n");
constexpr qint16 firstBoard = 1;
constexpr qint16 lastBoard = 99;

struct HandName {
    const char* word;
    const char* letter;
};
constexpr std::array<HandName, 4> kHands{{{"North", "N"}, {"East", "E"}, {"South", "S"}, {"West", "W"}}};
constexpr std::array<HandName, 4> kSuits{
    {{"Spades", "S"}, {"Hearts", "H"}, {"Diamonds", "D"}, {"Clubs", "C"}}};

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString cardText(int card) {
    static const QString ranks = QStringLiteral("AKQJT98765432");
    return QString(QLatin1Char("SHDC"[(card - 1) / cardsInHand])) + ranks.at((card - 1) % cardsInHand);
}

/// The deal of one hand record as 26 letters, or why the record is no deal.
struct RecordDeal {
    QString letters;
    QString fault;
};

RecordDeal dealOf(const QSqlQuery& query) {
    RecordDeal deal;
    LetteredDeal letters;
    std::array<bool, cardsInDeal> seen{};
    for (const HandName& hand : kHands) {
        int cards = 0;
        for (const HandName& suit : kSuits) {
            const QString field = QString::fromLatin1(hand.word) + QLatin1String(suit.word);
            const QString holding = queryText(query, query.record().indexOf(field));
            for (const QChar c : holding) {
                const qint16 card = cardIndex(QString::fromLatin1(suit.letter) + c);
                if (card == 0)
                    continue;
                ++cards;
                if (seen[static_cast<std::size_t>(card - 1)] && deal.fault.isEmpty())
                    deal.fault = cardText(card) + QStringLiteral(" is held twice");
                seen[static_cast<std::size_t>(card - 1)] = true;
            }
            parseSuitHolding(letters, QLatin1String(hand.letter), QLatin1String(suit.letter), holding);
        }
        if (cards != cardsInHand && deal.fault.isEmpty())
            deal.fault = QString::fromLatin1(hand.word) + QStringLiteral(" holds ") + QString::number(cards) +
                         QStringLiteral(" cards");
    }
    for (const QString& letter : letters)
        deal.letters += letter;
    return deal;
}

/// North holds the spades, east the hearts, south the diamonds and west the clubs.
const QString kDefaultDeal = QStringLiteral("aaaaaabffffffkkkkkklpppppp");

/// The exclusive-or of the letters' codes and the board number.
int checkNumber(const QString& deal, qint16 board) {
    int check = board;
    for (const QChar c : deal)
        check ^= c.unicode() & 0xFF;
    return check;
}

QString boardBlock(qint16 board, const QString& deal) {
    const QString number = twoDigits(board);
    return QStringLiteral("Duplicates ") + number + QStringLiteral("=0") + kCrLf +
           QStringLiteral("Property ") + number + QStringLiteral("=1") + kCrLf + QStringLiteral("Board ") +
           number + QLatin1Char('=') + deal +
           QStringLiteral("%1").arg(checkNumber(deal, board), 3, 10, QLatin1Char('0')) + kCrLf;
}

} // namespace

DealFile::DealFile(ScoreDb& db, Log& log, const EventInfo& event) : db_(db), log_(log), event_(event) {}

DealFileOutcome DealFile::Brannocke_CreateDealFile(qint16 section, const QString& path) {
    DealFileOutcome outcome;
    if (!event_.tablePresent.present(SharedTable::HandRecord))
        return outcome;

    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT * FROM HandRecord WHERE Section=? ORDER BY Board ASC"), {section});
    if (!query) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(),
                      QStringLiteral("Database - Brannocke_CreateDealFile"), true);
        outcome.message = QStringLiteral("The hand records could not be read from the score database.");
        return outcome;
    }
    std::map<qint16, QString> blocks;
    QStringList faults;
    qint16 lowest = 0;
    qint16 highest = 0;
    const int boardColumn = query->record().indexOf(QStringLiteral("Board"));
    while (query->next()) {
        const qint16 board = queryInt16(*query, boardColumn);
        if (board < firstBoard || board > lastBoard)
            continue;
        if (lowest == 0 || board < lowest)
            lowest = board;
        highest = std::max(highest, board);
        const RecordDeal deal = dealOf(*query);
        if (deal.fault.isEmpty()) {
            blocks[board] = boardBlock(board, deal.letters);
            continue;
        }
        // A deal that is not a whole deal would be dealt wrong at the table.
        const QString fault = QStringLiteral("The hand record of board ") + QString::number(board) +
                              QStringLiteral(" is not a complete deal: ") + deal.fault + QLatin1Char('.');
        log_.writeLog(0, fault, kSource);
        faults << fault;
        blocks[board] = boardBlock(board, kDefaultDeal);
    }
    if (lowest == 0) {
        log_.writeLog(0, QStringLiteral("No deal record found"));
        outcome.message = QStringLiteral("No deal record found.");
        return outcome;
    }

    const qint16 status = 1;
    const qint16 duplicates = 1;
    const QString document =
        QStringList{QStringLiteral("[DOCUMENT]"),
                    QStringLiteral("Headline=") + event_.eventName,
                    QStringLiteral("Status=Show"),
                    QStringLiteral("Duplicates=") + QString::number(duplicates),
                    QStringLiteral("From board=") + QString::number(lowest),
                    QStringLiteral("To board=") + QString::number(highest),
                    QStringLiteral("Dealing method=1"),
                    QStringLiteral("Next board to Brannocke=0"),
                    QStringLiteral("PrintOuts=0"),
                    QStringLiteral("Crypto key=0"),
                    QStringLiteral("Checksum=") + twoDigits(status ^ duplicates ^ lowest ^ highest)}
            .join(kCrLf) +
        kCrLf;
    QString text = document;
    for (qint16 board = firstBoard; board <= lastBoard; ++board) {
        const auto block = blocks.find(board);
        text += block != blocks.end() ? block->second : boardBlock(board, kDefaultDeal);
    }
    text += QStringLiteral("[STARTUP]") + kCrLf + QStringLiteral("Statistics=Yes") + kCrLf +
            QStringLiteral("SuppressDeal=Yes") + kCrLf + QStringLiteral("Add filename=No") + kCrLf + kCrLf;

    QString error;
    if (!WriteTextFile(path, text, error)) {
        log_.writeLog(0, path + QStringLiteral(": ") + error,
                      QStringLiteral("Database - Brannocke_CreateDealFile"), true);
        outcome.message =
            QStringLiteral("The deal file ") + path + QStringLiteral(" could not be written: ") + error;
        return outcome;
    }
    log_.writeLog(0, QStringLiteral("Export deal completed, ") + path + QLatin1Char('.'));
    outcome.written = true;
    if (!faults.isEmpty())
        outcome.message =
            faults.join(kCrLf) + kCrLf + QStringLiteral("These boards were exported without their deal.");
    return outcome;
}

} // namespace qzc
