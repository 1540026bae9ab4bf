#include "reports/GridRefreshQueue.h"

#include "support/CaseNames.h"

#include <gtest/gtest.h>
#include <vector>

namespace qzc {
namespace {

// One step on the queue: a dispatcher append (+n), a result editor's append of n and the
// rounds before it (*n), or a timer tick (0) that must take the given round.
struct Step {
    char op;
    qint16 round;
    std::optional<qint16> taken;
};

struct QueueCase {
    const char* name;
    std::vector<Step> steps;
    const char* tagAfter;
};

class GridRefreshQueueTest : public ::testing::TestWithParam<QueueCase> {};

TEST_P(GridRefreshQueueTest, TakesOneRoundPerTickAndCollapsesRepeats) {
    const QueueCase& c = GetParam();
    GridRefreshQueue queue;
    for (const Step& step : c.steps) {
        if (step.op == '+') {
            queue.append(step.round);
        } else if (step.op == '*') {
            queue.appendDownFrom(step.round);
        } else {
            EXPECT_EQ(queue.takeNext(), step.taken) << c.name << " at tag " << queue.text().toStdString();
        }
    }
    EXPECT_EQ(queue.text().toStdString(), c.tagAfter);
}

const QueueCase kQueueCases[] = {
    {"empty", {{'0', 0, std::nullopt}}, ""},
    {"repeat collapses", {{'+', 2, {}}, {'+', 3, {}}, {'+', 2, {}}, {'0', 0, qint16{2}}}, "[3]"},
    {"second tick takes the next",
     {{'+', 2, {}},
      {'+', 3, {}},
      {'+', 2, {}},
      {'0', 0, qint16{2}},
      {'0', 0, qint16{3}},
      {'0', 0, std::nullopt}},
     ""},
    {"round 1 leaves round 11", {{'+', 11, {}}, {'+', 1, {}}, {'+', 11, {}}, {'0', 0, qint16{11}}}, "[1]"},
    {"dispatcher repeats stay until taken", {{'+', 4, {}}, {'+', 4, {}}}, "[4][4]"},
    {"editor queues each earlier round once", {{'+', 2, {}}, {'*', 3, {}}}, "[2][3][1]"},
    {"editor twice", {{'*', 2, {}}, {'*', 3, {}}}, "[2][1][3]"},
    {"editor round 0 queues nothing", {{'*', 0, {}}}, ""},
};

// Printed by its name, not as a dump of its bytes.
void PrintTo(const QueueCase& c, std::ostream* out) {
    *out << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GridRefreshQueueTest, ::testing::ValuesIn(kQueueCases), test::CaseName());

TEST(GridRefreshQueueTokenTest, ATokenThatNamesNoRoundIsDroppedWithoutARefresh) {
    GridRefreshQueue queue;
    queue.append(0);
    queue.append(5);
    EXPECT_EQ(queue.takeNext(), qint16{0});
    EXPECT_EQ(queue.text(), QStringLiteral("[5]"));
}

} // namespace
} // namespace qzc
