#include "scoring/DealRecords.h"

#include "core/DbTransaction.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/SharedTables.h"
#include "platform/Clock.h"
#include "scoring/TableAddress.h"

#include <QSqlQuery>
#include <QStringList>
#include <array>

namespace qzc {

namespace {

const QString kCardLabel = QStringLiteral("Database - inputCard");
constexpr QLatin1StringView kSeats("NESW");

QString seatLetter(int seat) {
    return QString(QChar(kSeats[((seat % 4) + 4) % 4]));
}

/// The table, value column and log label of the auction or the play.
struct RecordTable {
    QString table;
    QString column;
    QString label;
};

const RecordTable& recordTable(bool bidding) {
    static const RecordTable auction{QStringLiteral("BiddingData"), QStringLiteral("Bid"),
                                     QStringLiteral("Database - inputBidding")};
    static const RecordTable play{QStringLiteral("PlayData"), QStringLiteral("Card"),
                                  QStringLiteral("Database - inputPlay")};
    return bidding ? auction : play;
}

const QString kWhereBoard = QStringLiteral(" WHERE Round=? AND Section=? AND [Table]=? AND Board=?");

} // namespace

DealRecords::DealRecords(ScoreDb& db, Log& log, const Clock& clock, const TablePresence& tablePresent)
    : db_(db), log_(log), clock_(clock), tablePresent_(tablePresent) {}

bool DealRecords::inputCard(qint16 sectionId, qint16 board, const QString& direction, const QString& cards) {
    log_.writeLog(0, QStringLiteral("Save dealt card"));
    static const std::array<QString, 4> hands = {QStringLiteral("North"), QStringLiteral("East"),
                                                 QStringLiteral("South"), QStringLiteral("West")};
    static const std::array<QString, 4> suits = {QStringLiteral("Spades"), QStringLiteral("Hearts"),
                                                 QStringLiteral("Diamonds"), QStringLiteral("Clubs")};
    static const QString suitLetters = QStringLiteral("SHDC");

    // A void is bound as an empty text, never as Null: other programs read these columns as text.
    std::array<QString, 4> holdings;
    holdings.fill(QString::fromLatin1("", 0));
    qsizetype suit = -1;
    for (qsizetype at = 0; at < cards.size(); at += 2) {
        const qsizetype named = suitLetters.indexOf(cards.at(at));
        if (named >= 0)
            suit = named;
        if (suit < 0) {
            log_.writeLog(0, QStringLiteral("No suit in the cards ") + cards, kCardLabel, true);
            return false;
        }
        holdings[static_cast<std::size_t>(suit)] += cards.at(std::min(at + 1, cards.size() - 1));
    }
    const qsizetype hand = direction.size() == 1 ? kSeats.indexOf(direction.at(0)) : -1;
    if (hand < 0) {
        log_.writeLog(0, QStringLiteral("No such direction: ") + direction, kCardLabel, true);
        return false;
    }
    if (!tablePresent_.present(SharedTable::HandRecord))
        return false;

    const QVariantList key = {sectionId, board};
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), kCardLabel, true);
        return false;
    }
    if (!db_.hasRows(QStringLiteral("SELECT * FROM HandRecord WHERE Section=? AND Board=?"), key) &&
        !db_.execSQL(QStringLiteral("INSERT INTO HandRecord (Section,Board) VALUES (?,?)"), kCardLabel, false,
                     key))
        return false;
    QStringList assignments;
    QVariantList params;
    for (std::size_t s = 0; s < suits.size(); ++s) {
        assignments << hands[static_cast<std::size_t>(hand)] + suits[s] + QStringLiteral("=?");
        params << holdings[s];
    }
    params << key;
    if (!db_.execSQL(QStringLiteral("UPDATE HandRecord SET ") + assignments.join(QLatin1Char(',')) +
                         QStringLiteral(" WHERE Section=? AND Board=?"),
                     kCardLabel, false, params))
        return false;
    return transaction.commit();
}

DealRecords::Stored DealRecords::inputBidding(const TableAddress& table, qint16 round, qint16 board,
                                              const std::vector<DealCall>& calls) {
    return storeSequence(Kind::Bidding, table, round, board, calls);
}

DealRecords::Stored DealRecords::inputPlay(const TableAddress& table, qint16 round, qint16 board,
                                           const std::vector<DealCall>& cards) {
    return storeSequence(Kind::Play, table, round, board, cards);
}

bool DealRecords::insertRecord(Kind kind, const TableAddress& table, qint16 round, qint16 board, int seat,
                               const QString& value) {
    const RecordTable& names = recordTable(kind == Kind::Bidding);
    // Records of all four seats share one sequence per table, round and board.
    qint32 highest = 0;
    db_.getDBValue(QStringLiteral("SELECT MAX(Counter) AS maxcounter FROM ") + names.table + kWhereBoard,
                   QStringLiteral("maxcounter"), highest, {round, table.sectionId, table.table, board});
    const QDateTime now = clock_.now();
    return db_.execSQL(QStringLiteral("INSERT INTO ") + names.table +
                           QStringLiteral(" (Section, [Table], Round, Board, Counter, Direction, ") +
                           names.column + QStringLiteral(", DateLog, TimeLog) VALUES (?,?,?,?,?,?,?,?,?)"),
                       names.label, false,
                       {table.sectionId, table.table, round, board, highest + 1, seatLetter(seat), value,
                        now.toString(QStringLiteral("yyyy-MM-dd")),
                        now.toString(QStringLiteral("HH:mm:ss"))});
}

bool DealRecords::isLastStored(Kind kind, const TableAddress& table, qint16 round, qint16 board,
                               const std::vector<DealCall>& calls) {
    const RecordTable& names = recordTable(kind == Kind::Bidding);
    std::optional<QSqlQuery> query =
        db_.select(QStringLiteral("SELECT Direction, ") + names.column + QStringLiteral(" FROM ") +
                       names.table + kWhereBoard + QStringLiteral(" ORDER BY Counter DESC"),
                   {round, table.sectionId, table.table, board});
    if (!query)
        return false;
    for (auto call = calls.rbegin(); call != calls.rend(); ++call) {
        if (!query->next() || query->value(0).toString() != seatLetter(call->seat) ||
            query->value(1).toString() != call->value)
            return false;
    }
    return true;
}

DealRecords::Stored DealRecords::storeSequence(Kind kind, const TableAddress& table, qint16 round,
                                               qint16 board, const std::vector<DealCall>& calls) {
    if (calls.empty())
        return Stored::Stored;
    const QString& label = recordTable(kind == Kind::Bidding).label;
    DbTransaction transaction(db_);
    if (!transaction.isActive()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), label, true);
        return Stored::Failed;
    }
    if (isLastStored(kind, table, round, board, calls)) {
        log_.writeLog(0, QStringLiteral("Already stored: ") + table.tableId + QStringLiteral(", board ") +
                             QString::number(board) + QStringLiteral(", ") + QString::number(calls.size()) +
                             (kind == Kind::Bidding ? QStringLiteral(" calls") : QStringLiteral(" cards")));
        return Stored::AlreadyStored;
    }
    for (const DealCall& call : calls) {
        if (!insertRecord(kind, table, round, board, call.seat, call.value))
            return Stored::Failed;
    }
    if (!transaction.commit()) {
        log_.writeLog(db_.lastErrorNumber(), db_.lastErrorDescription(), label, true);
        return Stored::Failed;
    }
    return Stored::Stored;
}

} // namespace qzc
