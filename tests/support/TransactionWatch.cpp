#include "support/TransactionWatch.h"

#include "core/ScoreDb.h"

#ifdef QZC_TEST_SUPPORT_GTEST
#include <gtest/gtest.h>
#else
#include <QtGlobal>
#endif

namespace qzc::test {

void TransactionWatch::checkClosed(const QString& shown) const {
    if (db_ == nullptr || !db_->inTransaction())
        return;
#ifdef QZC_TEST_SUPPORT_GTEST
    ADD_FAILURE() << "Shown while a transaction is open on the score database: " << shown.toStdString();
#else
    // Without the test framework (the fuzz targets) the run ends here.
    qFatal("Shown while a transaction is open on the score database: %s", qPrintable(shown));
#endif
}

} // namespace qzc::test
