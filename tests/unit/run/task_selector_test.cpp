// Which of the before and after tasks run, for every task selector.
#include <gtest/gtest.h>

#include "run/task_selector.h"

namespace {

TEST(TaskSelector, BeforeAndAfterTasksFollowTheSelectorTable) {
  struct Row {
    int8_t selector;
    bool beforeWithoutFlag, beforeWithFlag, after, afterCancelled;
  };
  const Row rows[] = {
      {1, true, true, true, false},    // the default
      {2, true, true, false, false},
      {3, false, true, true, false},
      {0, false, true, false, false},  // /R without digits
      {4, false, true, false, false},
      {-1, false, true, false, false},
      {127, false, true, false, false},
      {-128, false, true, false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.selector));
    EXPECT_EQ(qv::beforeTaskRuns(row.selector, 0), row.beforeWithoutFlag);
    EXPECT_EQ(qv::beforeTaskRuns(row.selector, 1), row.beforeWithFlag);
    EXPECT_EQ(qv::beforeTaskRuns(row.selector, -5), row.beforeWithFlag);  // any non-zero value sets the flag
    EXPECT_EQ(qv::afterTaskRuns(row.selector, false), row.after);
    EXPECT_EQ(qv::afterTaskRuns(row.selector, true), row.afterCancelled);
  }
}

}  // namespace
