// The arithmetic of the window procedure's mouse and FPS rules, and the fixed
// tables' run-time errors (native build, under ASan and UBSan).
#include <gtest/gtest.h>

#include "internal.h"
#include "vitrum_core.h"

using namespace Vitrum;
namespace in = Vitrum::internal;

namespace {

class InputRules : public testing::Test {
 protected:
  void SetUp() override {
    LEFTMOUSEDOWN = LEFTMOUSEDOWN2 = RIGHTMOUSEDOWN = RIGHTMOUSEDOWN2 = MOUSEFREE = false;
    XCOORD = YCOORD = ZCOORD = SETMX = SETMY = SETOMX = SETOMY = 0;
    XROT = YROT = XROT2 = YROT2 = DEPTH = DEPTH2 = 0;
    MSPEED = 2;
    FPSCOUNT = 0;
    FORCEFPS = 1;
    ADDFORCEFPS = 0;
    ADDINTERVALFPS = FPS_INTERVAL;
    SETTITLENAME = "Demo";
  }
};

TEST_F(InputRules, LeftDragTurnsBothPairsByHalfThePixelsTimesSpeed) {
  in::leftButtonDown(100, 50);
  EXPECT_TRUE(LEFTMOUSEDOWN && LEFTMOUSEDOWN2);
  EXPECT_EQ(SETMX, 100);
  EXPECT_EQ(SETMY, 50);
  in::mouseMove(110, 50);  // 10 pixels to the right
  EXPECT_FLOAT_EQ(YROT, 10);
  EXPECT_FLOAT_EQ(YROT2, 10);
  EXPECT_FLOAT_EQ(XROT, 0);
  EXPECT_EQ(XCOORD, 110);
  in::mouseMove(110, 47);  // 3 pixels up: a half-degree step survives
  EXPECT_FLOAT_EQ(XROT, -3);
  EXPECT_FLOAT_EQ(XROT2, -3);
  EXPECT_EQ(SETOMX, 110);
  EXPECT_EQ(SETOMY, 47);
  in::leftButtonUp();
  EXPECT_FALSE(LEFTMOUSEDOWN || LEFTMOUSEDOWN2);
  EXPECT_EQ(XCOORD + YCOORD + SETMX + SETMY, 0);
  in::mouseMove(500, 500);  // no button: nothing turns
  EXPECT_FLOAT_EQ(YROT, 10);
}

TEST_F(InputRules, RightDragZoomsUnlessFreeLook) {
  in::rightButtonDown(40);
  in::mouseMove(0, 50);  // 10 pixels down
  EXPECT_FLOAT_EQ(DEPTH, -2);
  EXPECT_FLOAT_EQ(DEPTH2, -2);
  EXPECT_EQ(ZCOORD, 50);
  MOUSEFREE = true;
  in::leftButtonDown(0, 50);
  in::mouseMove(0, 70);
  EXPECT_FLOAT_EQ(DEPTH, -2);  // zoom suppressed
  EXPECT_EQ(ZCOORD, 50);       // and its anchor kept
  EXPECT_FLOAT_EQ(XROT, 20);   // rotation is not
  in::rightButtonUp();
  EXPECT_FALSE(RIGHTMOUSEDOWN || RIGHTMOUSEDOWN2);
}

TEST_F(InputRules, ZeroSpeedMovesAnchorsButNoAngle) {
  MSPEED = 0;
  in::leftButtonDown(10, 10);
  in::rightButtonDown(10);
  in::mouseMove(200, 300);
  EXPECT_EQ(XROT + YROT + DEPTH, 0);
  EXPECT_EQ(XCOORD, 200);
  EXPECT_EQ(YCOORD, 300);
  EXPECT_EQ(ZCOORD, 300);
  EXPECT_EQ(SETOMX, 200);
}

TEST_F(InputRules, FreeLookTurnsByOffsetOverHundredAndClampsOnlyPitch) {
  in::freeLook(400 + 1000, 300 + 500, 400, 300);
  EXPECT_FLOAT_EQ(XROT, 20);  // 1000 px right: not clamped
  EXPECT_FLOAT_EQ(YROT, 10);  // 500 px down
  EXPECT_FLOAT_EQ(XROT2, 20);
  EXPECT_FLOAT_EQ(YROT2, 10);
  in::freeLook(400, 300 + 5000, 400, 300);
  EXPECT_FLOAT_EQ(YROT, 60);
  EXPECT_FLOAT_EQ(YROT2, 60);
  in::freeLook(400, 300 - 20000, 400, 300);
  EXPECT_FLOAT_EQ(YROT, -60);
  in::freeLook(400, 300, 400, 300);  // the move caused by re-centring measures zero
  EXPECT_FLOAT_EQ(XROT, 20);
  EXPECT_FLOAT_EQ(YROT, -60);
  // The drag rule clamps nothing.
  in::leftButtonDown(0, 0);
  in::mouseMove(500, 0);
  EXPECT_FLOAT_EQ(YROT, 440);
}

TEST_F(InputRules, CoordinatesAreSigned16BitSoDragsOutsideTheWindowDoNotJump) {
  EXPECT_EQ(in::lowCoordinate(0x0032FFFB), -5);
  EXPECT_EQ(in::highCoordinate(0x0032FFFB), 50);
  EXPECT_EQ(in::highCoordinate(0xFFF60010), -10);
  in::leftButtonDown(3, 3);
  in::mouseMove(in::lowCoordinate(0xFFFF), 3);  // captured, one pixel left of the client area
  EXPECT_FLOAT_EQ(YROT, -4);
}

TEST_F(InputRules, FpsFigureRoundsHalfToEvenAndShowsAtLeastOne) {
  struct Case {
    std::int32_t interval, frames;
    const char* shown;
  } cases[] = {{5000, 300, "60"}, {5000, 0, "1"},   {5000, 12, "2"}, {5000, 13, "3"},
               {10000, 25, "2"},  {10000, 35, "4"}, {5000, 7, "1"}};
  for (const Case& c : cases) {
    ADDINTERVALFPS = c.interval;
    FPSCOUNT = c.frames;
    const std::string title = in::fpsUpdate();
    EXPECT_EQ(FPSCOUNTSTR, c.shown) << c.frames << " frames in " << c.interval << " ms";
    EXPECT_EQ(title, std::string("Demo - FPS [") + c.shown + "]");
    EXPECT_EQ(FPSCOUNT, 0);
  }
}

TEST_F(InputRules, FpsMultiplierStepsTowardsTheTarget) {
  ADDFORCEFPS = 30;
  FPSCOUNT = 50;  // figure 10, below the target
  in::fpsUpdate();
  EXPECT_EQ(FORCEFPS, 2);
  FPSCOUNT = 100;  // 2 * 1000 * 100 / 5000 = 40, above it
  in::fpsUpdate();
  EXPECT_EQ(FORCEFPS, 1);
  EXPECT_EQ(FPSCOUNTSTR, "40");
  ADDFORCEFPS = 1;  // a target of 1 or less steps nothing
  FPSCOUNT = 5;
  in::fpsUpdate();
  EXPECT_EQ(FORCEFPS, 1);
}

using RunTimeErrors = InputRules;

TEST_F(RunTimeErrors, OverflowingFpsProductEndsTheProgram) {
  FPSCOUNT = 3000000;  // 1000 * 3e6 does not fit in 32 bits
  EXPECT_EXIT(in::fpsUpdate(), testing::ExitedWithCode(RUNTIME_ERROR_STATUS), "integer overflow in the FPS product");
  ADDINTERVALFPS = 0;
  FPSCOUNT = 1;
  EXPECT_EXIT(in::fpsUpdate(), testing::ExitedWithCode(RUNTIME_ERROR_STATUS), "ADDINTERVALFPS is 0");
}

TEST_F(RunTimeErrors, TablesCheckEveryIndexAgainstTheirDeclaredBounds) {
  SETKEY[0] = LONGTRUE;
  SETKEY[500] = LONGTRUE;
  EXPECT_EQ(SETKEY.data()[500], LONGTRUE);
  SETKEY[0] = SETKEY[500] = LONGFALSE;
  EXPECT_EXIT(SETKEY[501] = LONGTRUE, testing::ExitedWithCode(RUNTIME_ERROR_STATUS),
              "index 501 of SETKEY is outside its bounds 0..500");
  EXPECT_EXIT(STATUSITEM[0] = 1, testing::ExitedWithCode(RUNTIME_ERROR_STATUS),
              "index 0 of STATUSITEM is outside its bounds 1..20");
  EXPECT_EXIT(EDGES[-3] = 1, testing::ExitedWithCode(RUNTIME_ERROR_STATUS), "-3 of EDGES");
}

}  // namespace
