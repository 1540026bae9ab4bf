#include "support/OtherProgram.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace qzc::test {

bool otherProgramRuns(const QString& databasePath, const QString& sql, QVariant* firstValue) {
    const QString name = QStringLiteral("qzc-test-other-program");
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databasePath);
        if (db.open()) {
            QSqlQuery query(db);
            done = query.exec(sql);
            if (done && firstValue != nullptr && query.next())
                *firstValue = query.value(0);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

} // namespace qzc::test
