#include "reports/TravellerFile.h"

#include "core/EventInfo.h"
#include "core/Log.h"
#include "core/ScoreDb.h"
#include "core/TextHelpers.h"
#include "gamedata/GameData.h"
#include "reports/ReportFile.h"
#include "scoring/ScoreFrequency.h"
#include "scoring/TravellerRows.h"

#include <QStringList>

namespace qzc {

namespace {

const QString kSource = QStringLiteral("makeResultFile");
const QString kCrLf = QStringLiteral("\r\n");

// The file's lines, counted from 1 as the layout counts them; a line is made when it is
// first written.
class Lines {
public:
    QString& at(int line) {
        while (lines_.size() < line)
            lines_.append(QString());
        return lines_[line - 1];
    }
    const QStringList& all() const { return lines_; }

private:
    QStringList lines_;
};

} // namespace

TravellerFile::TravellerFile(const GameData& gameData, ScoreDb& db, Log& log, ScoreFrequency& frequencies,
                             const EventInfo& event, ShellOpener& shell)
    : gameData_(gameData), db_(db), log_(log), frequencies_(frequencies), event_(event), shell_(shell) {}

QString TravellerFile::filePath(qint16 columns) const {
    return event_.scoreDbFolder + event_.eventFileName +
           (columns > 1 ? QStringLiteral("_result.txt") : QStringLiteral("_result_list.txt"));
}

std::optional<QString> TravellerFile::makeResultText(qint16 columns, qint16 section, qint16 board,
                                                     qint16 sorting) {
    qint16 maxBoard = 0;
    db_.getDBValue(QStringLiteral("SELECT MAX(Board) AS maxboard FROM ReceivedData WHERE NOT Erased"),
                   QStringLiteral("maxboard"), maxBoard);
    if (maxBoard <= 0 || columns < 1)
        return std::nullopt;
    // Ordered by scale points, the results need their scale points up to date.
    if (qAbs(sorting) == SortByScale) {
        std::vector<qint16> sectionIds;
        for (const SectionRecord& record : gameData_.sectionList())
            sectionIds.push_back(record.ID);
        for (qint16 b = 1; b <= maxBoard; ++b) {
            // One refusal is enough: while another program writes, each board would wait again.
            if (!frequencies_.WriteScalePoint(b, sectionIds))
                break;
        }
    }

    Lines lines;
    int current = 0;
    int used = 0;
    int bandTop = 0;
    for (const SectionRecord& record : gameData_.sectionList()) {
        if (section != 0 && section != record.ID)
            continue;
        if (current > 0)
            lines.at(used = ++current);
        lines.at(used = ++current) = QStringLiteral("Section ") + record.Letter;
        bandTop = used;
        for (qint16 b = 1; b <= maxBoard; ++b) {
            if (board != 0 && board != b)
                continue;
            const QString text = gameData_.getBoardResultText(b, record.ID, sorting);
            const int resultLines = CountOccurrences(text, kCrLf);
            if (columns == 1 || b % columns == 1)
                bandTop = used;
            current = bandTop + 1;
            lines.at(current) +=
                FixedWidth(QStringLiteral("Bd ") + FixedWidth(QString::number(b), 3, true), cellWidth, false);
            const int position = columns == 1 || b % columns == 0 ? columns : b % columns;
            for (int k = 1; k <= resultLines; ++k) {
                QString& line = lines.at(++current);
                line = FixedWidth(line, static_cast<qint16>((position - 1) * cellWidth), false) +
                       FixedWidth(GetField(text, static_cast<qint16>(k), kCrLf), cellWidth, false);
            }
            used = qMax(used, current);
        }
        current = used;
    }
    if (used == 0)
        return std::nullopt;
    QString fileText;
    for (const QString& line : lines.all())
        fileText += line + kCrLf;
    return fileText + kCrLf;
}

QString TravellerFile::makeResultFile(qint16 columns, qint16 section, qint16 board, qint16 sorting) {
    const std::optional<QString> text = makeResultText(columns, section, board, sorting);
    if (!text)
        return {};
    return writeAndOpenReport(filePath(columns), *text, log_, shell_, kSource);
}

} // namespace qzc
