#include "gamedata/SectionDealInput.h"

#include "core/NumberText.h"
#include "core/ScoreDb.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace qzc {

namespace {

// The value as a number, as SQLite compares it with a bound number; nothing for Null, text and
// blobs, which never fall in a range of numbers nor equal one.
std::optional<double> numberValue(const QVariant& value) {
    if (value.isNull() || !isNumberVariant(value))
        return std::nullopt;
    return value.toDouble();
}

// The value as a 16-bit whole number, the only values that can equal a bound qint16.
std::optional<qint16> wholeInt16(const QVariant& value) {
    // SQLite's integers, the common case, come as qlonglong.
    if (value.typeId() == QMetaType::LongLong) {
        const auto n = qvariant_cast<qlonglong>(value);
        return n >= -32768 && n <= 32767 ? std::optional<qint16>(static_cast<qint16>(n)) : std::nullopt;
    }
    const std::optional<double> number = numberValue(value);
    if (!number || *number < -32768 || *number > 32767 || std::floor(*number) != *number)
        return std::nullopt;
    return static_cast<qint16>(*number);
}

} // namespace

std::optional<bool> SectionDealInput::ask(qint16 table, qint16 firstBoard, qint16 boardCount) {
    if (read_ == Read::NotYet)
        read_ = read() ? Read::Done : Read::Failed;
    if (read_ == Read::Failed)
        return std::nullopt;
    // COUNT(Board) of the boards firstBoard <= Board < firstBoard + boardCount.
    const auto from = std::lower_bound(recordedBoards_.begin(), recordedBoards_.end(), double(firstBoard));
    const auto to = std::lower_bound(from, recordedBoards_.end(), double(firstBoard + boardCount));
    if (to - from >= boardCount)
        return false;
    return !storedBoards_.contains({table, firstBoard});
}

bool SectionDealInput::read() {
    recordedBoards_.clear();
    storedBoards_.clear();
    if (!db_.readRows(QStringLiteral("SELECT Board FROM HandRecord WHERE Section=?"), {int{sectionId_}},
                      [this](const QSqlQuery& row) {
                          if (const std::optional<double> board = numberValue(row.value(0)))
                              recordedBoards_.push_back(*board);
                      }))
        return false;
    std::sort(recordedBoards_.begin(), recordedBoards_.end());
    return db_.readRows(QStringLiteral("SELECT [Table], Board FROM ReceivedData WHERE Section=?"),
                        {int{sectionId_}}, [this](const QSqlQuery& row) {
                            const std::optional<qint16> table = wholeInt16(row.value(0));
                            const std::optional<qint16> board = wholeInt16(row.value(1));
                            if (table && board)
                                storedBoards_.insert({*table, *board});
                        });
}

} // namespace qzc
