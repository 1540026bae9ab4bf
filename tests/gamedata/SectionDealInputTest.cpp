#include "gamedata/SectionDealInput.h"

#include "support/Fixtures.h"
#include "support/GameDataHarness.h"

#include <gtest/gtest.h>

namespace qzc {
namespace {

// The section's answers are those of DB_Ask_dealInput for every table, first board and board
// count: hand records complete, incomplete, or counted complete through a duplicated row; a
// result stored at the first board, erased or not; boards stored as a whole real, a real with a
// fraction and text.
TEST(SectionDealInputTest, AnswersAsTheDatabaseQuestionDoes) {
    test::EventBuilder b = test::fixtures::mitchell();
    for (const int board : {1, 2, 3, 4, 5, 5, 7, 10, 11, 11})
        b.addHandRecord(1, board, {});
    test::GameDataHarness data;
    ASSERT_TRUE(data.start(b)) << data.failure().toStdString();
    for (const char* sql :
         {"UPDATE ReceivedData SET Erased=-1 WHERE [Table]=2",
          "UPDATE HandRecord SET Board=12.5 WHERE Board=11",
          "INSERT INTO HandRecord (Section, Board) VALUES (1, 13.0), (1, 'x'), (1, NULL), (2, 16)",
          "INSERT INTO ReceivedData (Section, [Table], Round, Board) VALUES (1, 3.0, 2, 7.0), (1, 4, 2, "
          "10.5), "
          "(1, 5, 2, 'x'), (1, 6, 2, 13), (2, 7, 1, 16)"})
        ASSERT_TRUE(data.exec(QString::fromLatin1(sql))) << sql;

    SectionDealInput answers(data.harness.db, 1);
    for (qint16 table = 1; table <= 8; ++table) {
        for (qint16 first = 0; first <= 17; ++first) {
            for (qint16 count = 1; count <= 3; ++count) {
                SCOPED_TRACE(testing::Message()
                             << "table " << table << ", boards " << first << " + " << count);
                EXPECT_EQ(answers.ask(table, first, count),
                          data.gameData.DB_Ask_dealInput(1, table, first, count));
            }
        }
    }
}

} // namespace
} // namespace qzc
