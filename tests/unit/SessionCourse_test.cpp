// A session's course: pictures on the 21st tick and then every 61 to 90 ticks, one activation,
// one end, and nothing after the end.
#include <gtest/gtest.h>

#include "saver/SessionCourse.h"

namespace {

// Ticks handled until the picture changes (the tick that changes it included).
int TicksToChange(TSessionCourse& course, int limit = 1000) {
  for (int tick = 1; tick <= limit; ++tick)
    if (course.Tick()) return tick;
  return -1;
}

TEST(SessionCourse, FirstPictureOnThe21stTickThen61To90TicksNoneOnceEnded) {
  TSessionCourse course;
  course.StartCountDown();
  ASSERT_TRUE(course.Activate());
  EXPECT_EQ(TicksToChange(course), 21);
  for (int draw : {0, 29, 7}) {
    course.SetNextCount(draw);
    EXPECT_EQ(TicksToChange(course), 61 + draw) << "draw " << draw;
  }
  // Ended with the next change due: none comes.
  course.SetNextCount(0);
  for (int tick = 0; tick < 60; ++tick) course.Tick();
  course.End();
  EXPECT_EQ(TicksToChange(course), -1);
}

TEST(SessionCourse, ActivatesOnceAndEndsOnce) {
  TSessionCourse ended;
  EXPECT_TRUE(ended.End());
  EXPECT_FALSE(ended.Activate()) << "ended before its activation";
  TSessionCourse course;
  EXPECT_EQ(course.Stage(), TSessionStage::Created);
  EXPECT_TRUE(course.Activate());
  EXPECT_FALSE(course.Activate()) << "the activation came back from a prompt: no new session";
  EXPECT_EQ(course.Stage(), TSessionStage::Active);
  EXPECT_TRUE(course.End());
  EXPECT_FALSE(course.End()) << "the teardown ran twice";
  EXPECT_FALSE(course.Activate());
  EXPECT_EQ(course.Stage(), TSessionStage::Ended);
}

}  // namespace
