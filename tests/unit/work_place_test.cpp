// Where the work window is shown, against the main window's left edge and the screen width.
#include <gtest/gtest.h>

#include "workwin/work_place.h"

namespace {

void ExpectBeside(const WorkWindowPlace& place, int32_t x, int32_t y, int line)
{
    SCOPED_TRACE(testing::Message() << "line " << line);
    EXPECT_FALSE(place.centred);
    EXPECT_EQ(place.x, x);
    EXPECT_EQ(place.y, y);
}

TEST(WorkWindowPlace, RightOfTheMainWindowUpTo224ThenLeftOfIt)
{
    ExpectBeside(PlaceWorkWindow(1024, 224, 157), 714, 157, __LINE__);
    ExpectBeside(PlaceWorkWindow(1024, 225, 157), -29, 157, __LINE__);  // partly off the screen
    ExpectBeside(PlaceWorkWindow(1024, 0, 0), 490, 0, __LINE__);
    ExpectBeside(PlaceWorkWindow(1024, -100, -20), 390, -20, __LINE__);
    ExpectBeside(PlaceWorkWindow(1280, 700, 300), 446, 300, __LINE__);
}

TEST(WorkWindowPlace, CentredBelow800PixelsBesideFrom800)
{
    ExpectBeside(PlaceWorkWindow(800, 160, 73), 650, 73, __LINE__);
    ExpectBeside(PlaceWorkWindow(800, 300, 73), 46, 73, __LINE__);
    EXPECT_TRUE(PlaceWorkWindow(799, 160, 73).centred);
    EXPECT_TRUE(PlaceWorkWindow(640, 300, 73).centred);
}

} // namespace
