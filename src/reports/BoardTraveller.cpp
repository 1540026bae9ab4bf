#include "reports/BoardTraveller.h"

#include "core/Config.h"
#include "core/NumberText.h"
#include "core/ScoreDb.h"
#include "scoring/AllDealFile.h"

#include <QFileInfo>

namespace qzc {

BoardTraveller::BoardTraveller(const Services& services)
    : db_(services.db), log_(services.log), config_(services.config),
      frequencies_(services.db, services.log, services.settings),
      grid_(services.gameData, services.db, services.log, frequencies_),
      file_(services.gameData, services.db, services.log, frequencies_, services.event, services.shell) {}

qint16 BoardTraveller::initBoardRange() {
    qint16 maxBoard = 0;
    db_.getDBValue(QStringLiteral("SELECT MAX(Board) AS maxboard FROM ReceivedData WHERE NOT Erased"),
                   QStringLiteral("maxboard"), maxBoard);
    lastBoard_ = qMax(maxBoard, firstBoard);
    return lastBoard_;
}

qint16 BoardTraveller::boardOf(const QString& text) const {
    return qBound(firstBoard, StrToInt(text), lastBoard_);
}

void BoardTraveller::headingClicked(int column, const QString& heading) {
    const auto sortColumn = static_cast<qint16>(column);
    config_.boardResultSorting =
        heading.endsWith(QLatin1Char('+')) ? static_cast<qint16>(-sortColumn) : sortColumn;
}

qint16 BoardTraveller::sorting() const {
    return config_.boardResultSorting;
}

std::optional<BoardResultTable> BoardTraveller::resultTable(qint16 board) {
    return grid_.ShowBoardResult(board, config_.boardResultSorting);
}

QString BoardTraveller::dealText(qint16 board) const {
    return AllDealFile(log_, config_.qzcPath).Get_AllDeal(board);
}

bool BoardTraveller::hasDealFile() const {
    return !config_.qzcPath.isEmpty() && QFileInfo::exists(config_.qzcPath);
}

QString BoardTraveller::printBoard(qint16 sectionId, qint16 board) {
    return file_.makeResultFile(1, sectionId, board, config_.boardResultSorting);
}

} // namespace qzc
