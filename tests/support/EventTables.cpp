#include "support/EventTables.h"

#include "core/SectionLetters.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace qzc::test {

namespace {

// Removes its connection when it goes, after every query on it is gone.
class ReadOnlyConnection {
public:
    explicit ReadOnlyConnection(const QString& path) : name_(QStringLiteral("event-tables-") + path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.open();
    }
    ~ReadOnlyConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    ReadOnlyConnection(const ReadOnlyConnection&) = delete;
    ReadOnlyConnection& operator=(const ReadOnlyConnection&) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

} // namespace

std::optional<std::vector<PlayedTable>> readPlayedTables(const QString& path, quint16 firstTerminalId,
                                                         QString& error) {
    if (!QFileInfo(path).isFile()) {
        error = QStringLiteral("no event file ") + path;
        return std::nullopt;
    }
    const ReadOnlyConnection connection(path);
    QSqlDatabase db = connection.db();
    if (!db.isOpen()) {
        error = db.lastError().text();
        return std::nullopt;
    }
    std::vector<PlayedTable> tables;
    {
        QSqlQuery query(db);
        if (!query.exec(
                QStringLiteral("SELECT Section.Letter, Tables.[Table] FROM Tables INNER JOIN Section"
                               " ON Tables.Section=Section.ID ORDER BY Section.Letter, Tables.[Table]"))) {
            error = query.lastError().text();
            return std::nullopt;
        }
        quint16 id = firstTerminalId;
        while (query.next()) {
            const QString letter = query.value(0).toString().trimmed();
            const int table = query.value(1).toInt();
            const qint16 sectionNo = sectionLetterToNo(letter);
            if (sectionNo < 1 || table < 1 || table > 255)
                continue;
            tables.push_back(PlayedTable{letter + QString::number(table), static_cast<quint8>(sectionNo),
                                         static_cast<quint8>(table), id++});
        }
    }
    return tables;
}

} // namespace qzc::test
