// The game step with scripted keys and a table built in each test: walking,
// turning, blocking, collecting, the title, and the keys B, D, N and R.
#include "game/game_step.h"

#include "camera/camera.h"
#include "game/collision.h"
#include "game/game_state.h"
#include "input/input_map.h"
#include "platform/scripted/scripted.h"
#include "shell/shell_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

// The frame is not drawn here: this double stands in for the renderer and
// notes what the game state was when the step called it.
namespace {
struct DrawRecord {
  bool gameOver;
  int ballsCollected;
  bool anyBallCollected;
  float firstBallX;
};
std::vector<DrawRecord> drawCalls;

bool RecordDraw() {
  bool any = false;
  for (int i = 0; i < kCollisionBoxCount; ++i)
    any = any || ballCollected[i];
  drawCalls.push_back(
      {gameOver, ballsCollected, any, ballOffsetX[kFirstBallEntry]});
  return true;
}

const std::string kCollisionText =
    "collision occured, try to move to another direction";

std::string Score(int n) {
  return "Balls collected so far: " + std::to_string(n);
}

// A box of the given half-width in x and z around (x, z).
void SetBox(int index, float x, float z, float half = 0.1f) {
  collisionTable[index].max = Vec3(x + half, 0.0f, z + half);
  collisionTable[index].min = Vec3(x - half, -2.0f, z - half);
}

class GameStepTest : public ::testing::Test {
protected:
  void SetUp() override {
    scripted::Reset();
    SetSceneRedraw(RecordDraw);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "GameStepTest";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    windowHandle =
        CreateWindowExA(0, "GameStepTest", "Start title", 0, 0, 0, 640, 480,
                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(windowHandle, nullptr);
    // The start placement: eye one unit along +x, looking along -x.
    camera.place(1.0f, -1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    ResetGameValues();
    for (int i = 0; i < kCollisionBoxCount; ++i)
      DisableBox(i);
    std::memset(titleText, 0, sizeof titleText);
    drawCalls.clear();
    FixResetSeed(777);
  }

  void TearDown() override {
    UseClockResetSeed();
    scripted::Reset();
    windowHandle = nullptr;
  }

  static void Hold(std::initializer_list<int> keys) {
    for (int key : keys)
      scripted::SetKeyDown(key, true);
  }
  static void Release(std::initializer_list<int> keys) {
    for (int key : keys)
      scripted::SetKeyDown(key, false);
  }

  // The texts given to SetWindowTextA since the last call, in order.
  std::vector<std::string> TakeTitles() {
    std::vector<std::string> titles;
    const auto &calls = scripted::Calls();
    for (size_t i = seenCalls; i < calls.size(); ++i) {
      if (calls[i].name == "SetWindowTextA") {
        EXPECT_EQ(calls[i].args.at(0), "hwnd1");
        titles.push_back(calls[i].args.at(1));
      }
    }
    seenCalls = calls.size();
    return titles;
  }

  std::vector<int> KeysRead() const {
    std::vector<int> keys;
    for (const auto &call : scripted::Calls())
      if (call.name == "GetKeyState")
        keys.push_back(std::stoi(call.args.at(0)));
    return keys;
  }

  size_t seenCalls = 0;
};

void ExpectCameraAt(Vec3 eye, Vec3 view) {
  EXPECT_FLOAT_EQ(camera.position.x, eye.x);
  EXPECT_FLOAT_EQ(camera.position.y, eye.y);
  EXPECT_FLOAT_EQ(camera.position.z, eye.z);
  EXPECT_FLOAT_EQ(camera.viewPoint.x, view.x);
  EXPECT_FLOAT_EQ(camera.viewPoint.y, view.y);
  EXPECT_FLOAT_EQ(camera.viewPoint.z, view.z);
}

const Vec3 kStartEye(1.0f, -1.0f, 0.0f);
const Vec3 kStartView(0.0f, -1.0f, 0.0f);

// ---- the keys read
// --------------------------------------------------------------

TEST_F(GameStepTest, ReadsArrowsThenBDNR) {
  RunGameStep();
  EXPECT_EQ(KeysRead(), (std::vector<int>{VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT,
                                          'B', 'D', 'N', 'R'}));
  EXPECT_TRUE(TakeTitles().empty());
  ExpectCameraAt(kStartEye, kStartView);
}

// A key the game reads but the input map lacks reaches no pad, no touch
// control and no page (which drops codes the map does not name).
TEST_F(GameStepTest, EveryKeyTheGameReadsIsInTheInputMap) {
  RunGameStep();
  std::vector<int> keys = KeysRead();
  keys.insert(keys.end(), {VK_F1, VK_ESCAPE}); // read from key messages
  for (int key : keys)
    EXPECT_NE(input::FindGameKey(key), nullptr) << key;
}

TEST_F(GameStepTest, GameOverLeavesTheArrowKeysUnread) {
  gameOver = true;
  Hold({VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT});
  RunGameStep();
  EXPECT_EQ(KeysRead(), (std::vector<int>{'B', 'D', 'N', 'R'}));
  EXPECT_TRUE(TakeTitles().empty());
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(headingDegrees, 0.0f);
  EXPECT_EQ(scripted::WindowTitle(), "Start title");
}

// ---- before the first frame
// -------------------------------------------------------

TEST_F(GameStepTest, BeforeTheFirstFrameEveryDirectionIsFree) {
  // As at start-up: the zero table, emptied by the first reset.
  for (auto &box : collisionTable)
    box = CollisionBox{Vec3(0, 0, 0), Vec3(0, 0, 0)};
  ResetGame();
  Hold({VK_UP});
  RunGameStep();
  ExpectCameraAt(Vec3(0.95f, -1.0f, 0.0f), Vec3(-0.05f, -1.0f, 0.0f));
  Release({VK_UP});
  Hold({VK_DOWN});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  Release({VK_DOWN});
  Hold({VK_LEFT, VK_RIGHT});
  RunGameStep();
  EXPECT_EQ(TakeTitles(), std::vector<std::string>(4, Score(0)));
  EXPECT_EQ(scripted::WindowTitle(), Score(0));
  EXPECT_EQ(ballsCollected, 0);
}

// ---- walking and blocking
// -----------------------------------------------------------

TEST_F(GameStepTest, UpWalksAlongTheViewAndShowsTheScore) {
  ballsCollected = 3;
  Hold({VK_UP});
  RunGameStep();
  ExpectCameraAt(Vec3(0.95f, -1.0f, 0.0f), Vec3(-0.05f, -1.0f, 0.0f));
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(3)}));
  EXPECT_STREQ(titleText[0], "Balls collected so far: 3");
}

TEST_F(GameStepTest, ObstacleAtTheViewPointBlocksWithTheCollisionText) {
  SetBox(7, 0.0f, 0.0f);
  Hold({VK_UP});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
  EXPECT_EQ(std::string(titleText[0]), kCollisionText);
  EXPECT_EQ(std::strlen(titleText[0]), 51u);
  EXPECT_EQ(scripted::WindowTitle(), kCollisionText);
  EXPECT_EQ(ballsCollected, 0);
}

TEST_F(GameStepTest, AStepCanCarryTheViewPointIntoABoxThenOnlyDownGetsOut) {
  // Its face at x = -0.05: the first step ends on it, inclusive.
  collisionTable[2].max = Vec3(-0.05f, 0.0f, 1.0f);
  collisionTable[2].min = Vec3(-1.0f, -2.0f, -1.0f);
  Hold({VK_UP});
  RunGameStep();
  EXPECT_FLOAT_EQ(camera.viewPoint.x, -0.05f);
  Hold({VK_LEFT, VK_RIGHT});
  RunGameStep();
  EXPECT_FLOAT_EQ(camera.viewPoint.x, -0.05f);
  EXPECT_FLOAT_EQ(camera.position.x, 0.95f);
  EXPECT_FLOAT_EQ(camera.position.z, 0.0f);
  EXPECT_EQ(headingDegrees, 0.0f);
  TakeTitles();
  Release({VK_UP, VK_LEFT, VK_RIGHT});
  Hold({VK_DOWN});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(0)}));
}

TEST_F(GameStepTest, DownTestsTheEyeNotTheViewPoint) {
  SetBox(3, 1.0f, 0.0f); // around the eye only
  Hold({VK_DOWN});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
  EXPECT_EQ(std::string(titleText[1]), kCollisionText);
  // A view point in a box does not stop a step back.
  DisableBox(3);
  SetBox(4, 0.0f, 0.0f);
  RunGameStep();
  ExpectCameraAt(Vec3(1.05f, -1.0f, 0.0f), Vec3(0.05f, -1.0f, 0.0f));
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(0)}));
}

TEST_F(GameStepTest, BlockedDownClassifiesByTheViewPoint) {
  SetBox(5, 1.0f, 0.0f);  // an obstacle at the eye
  SetBox(16, 0.0f, 0.0f); // a ball at the view point
  Hold({VK_DOWN});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_TRUE(ballCollected[16]);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(1)}));
}

TEST_F(GameStepTest, BlockedDownWithTheViewPointInNoBoxShowsTheCollision) {
  SetBox(17, 1.0f, 0.0f); // a ball at the eye, nothing at the view point
  Hold({VK_DOWN});
  RunGameStep();
  EXPECT_EQ(ballsCollected, 0);
  EXPECT_FALSE(ballCollected[17]);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
}

TEST_F(GameStepTest, UpAndDownTogetherCancelOut) {
  Hold({VK_UP, VK_DOWN});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(0), Score(0)}));
}

TEST_F(GameStepTest, UpAndDownTogetherEachSeeTheCameraTheOtherLeft) {
  // The eye's box is reached only after UP has moved the eye 0.05 forward
  // (face at x = 0.95), so DOWN is blocked in the same pass.
  collisionTable[6].max = Vec3(0.95f, 0.0f, 0.5f);
  collisionTable[6].min = Vec3(0.5f, -2.0f, -0.5f);
  Hold({VK_UP, VK_DOWN});
  RunGameStep();
  ExpectCameraAt(Vec3(0.95f, -1.0f, 0.0f), Vec3(-0.05f, -1.0f, 0.0f));
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(0), kCollisionText}));
  EXPECT_EQ(scripted::WindowTitle(), kCollisionText);
  EXPECT_EQ(std::string(titleText[0]), Score(0));
  EXPECT_EQ(std::string(titleText[1]), kCollisionText);
}

// ---- turning
// -----------------------------------------------------------------------------

TEST_F(GameStepTest, LeftAndRightSwingTheEyeAndTurnTheHeading) {
  Hold({VK_LEFT});
  RunGameStep();
  EXPECT_NEAR(camera.position.x, std::cos(0.05), 1e-6);
  EXPECT_NEAR(camera.position.z, -std::sin(0.05), 1e-6);
  EXPECT_FLOAT_EQ(camera.viewPoint.x, 0.0f);
  EXPECT_FLOAT_EQ(camera.viewPoint.z, 0.0f);
  EXPECT_EQ(headingDegrees, 2.8645f);
  Release({VK_LEFT});
  Hold({VK_RIGHT});
  RunGameStep();
  RunGameStep();
  EXPECT_NEAR(camera.position.z, std::sin(0.05), 1e-6);
  EXPECT_EQ(headingDegrees, (2.8645f - 2.8645f) - 2.8645f);
  EXPECT_EQ(TakeTitles(), std::vector<std::string>(3, Score(0)));
}

TEST_F(GameStepTest, ATurnCanSwingTheEyeIntoABox) {
  // Just beside the start eye on the +z side: the turn tests only the view
  // point, so it goes ahead and leaves the eye inside.
  collisionTable[1].max = Vec3(1.1f, 0.0f, 0.1f);
  collisionTable[1].min = Vec3(0.9f, -2.0f, 0.01f);
  Hold({VK_RIGHT});
  RunGameStep();
  EXPECT_EQ(FindHitBox(kCollisionBoxCount, camera.position), 1);
  EXPECT_EQ(headingDegrees, -2.8645f);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(0)}));
  // Now backing up is blocked by the box behind, walking on is not.
  Release({VK_RIGHT});
  Hold({VK_DOWN});
  const Vec3 eye = camera.position;
  RunGameStep();
  EXPECT_EQ(camera.position.x, eye.x);
  EXPECT_EQ(camera.position.z, eye.z);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
  Release({VK_DOWN});
  Hold({VK_UP});
  RunGameStep();
  EXPECT_LT(camera.viewPoint.x, 0.0f);
}

TEST_F(GameStepTest, EyeAndViewPointBothInBoxesBlockAllFourForGood) {
  SetBox(8, 1.0f, 0.0f);
  SetBox(10, 0.0f, 0.0f);
  Hold({VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT});
  for (int pass = 0; pass < 3; ++pass)
    RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(headingDegrees, 0.0f);
  EXPECT_EQ(TakeTitles(), std::vector<std::string>(12, kCollisionText));
}

// ---- balls
// -------------------------------------------------------------------------------

TEST_F(GameStepTest, WalkingIntoABallCollectsIt) {
  SetBox(15, 0.0f, 0.0f);
  Hold({VK_UP});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_TRUE(ballCollected[15]);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(1)}));
  EXPECT_EQ(scripted::WindowTitle(), Score(1));
}

TEST_F(GameStepTest, ObstacleWinsOverAnOverlappingBall) {
  SetBox(12, 0.0f, 0.0f);
  SetBox(4, 0.0f, 0.0f);
  Hold({VK_UP});
  RunGameStep();
  EXPECT_EQ(ballsCollected, 0);
  EXPECT_FALSE(ballCollected[12]);
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
}

TEST_F(GameStepTest, ABallCountsOnceInAPassWhateverTheKeys) {
  SetBox(19, 0.0f, 0.0f);
  Hold({VK_UP, VK_LEFT, VK_RIGHT});
  RunGameStep();
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_TRUE(ballCollected[19]);
  // Every blocked key still reports, with the unchanged score.
  EXPECT_EQ(TakeTitles(), std::vector<std::string>(3, Score(1)));
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(headingDegrees, 0.0f);
}

TEST_F(GameStepTest, ABallCountsOnceUntilTheFrameEmptiesItsBox) {
  SetBox(14, 0.0f, 0.0f);
  Hold({VK_UP});
  // Passes without a frame drawn (a minimised window draws nothing).
  for (int pass = 0; pass < 5; ++pass)
    RunGameStep();
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_EQ(TakeTitles(), std::vector<std::string>(5, Score(1)));
  // The renderer empties a collected ball's box; the way is then free.
  DisableBox(14);
  RunGameStep();
  EXPECT_FLOAT_EQ(camera.viewPoint.x, -0.05f);
  EXPECT_EQ(ballsCollected, 1);
}

TEST_F(GameStepTest, TwoBallsInOnePlaceAreCollectedOneAfterTheOther) {
  SetBox(13, 0.0f, 0.0f);
  SetBox(18, 0.0f, 0.0f);
  Hold({VK_UP, VK_LEFT});
  RunGameStep();
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_TRUE(ballCollected[13]);
  EXPECT_FALSE(ballCollected[18]);
  DisableBox(13); // the next frame
  RunGameStep();
  EXPECT_EQ(ballsCollected, 2);
  EXPECT_TRUE(ballCollected[18]);
  EXPECT_EQ(TakeTitles(),
            (std::vector<std::string>{Score(1), Score(1), Score(2), Score(2)}));
}

TEST_F(GameStepTest, ABallAtTheEyeIsNeverCountedByDown) {
  // UP collects the ball at the view point; DOWN, blocked by a ball at the
  // eye, classifies by the same view point and so collects nothing more.
  SetBox(20, 0.0f, 0.0f);
  SetBox(21, 1.0f, 0.0f);
  Hold({VK_UP, VK_DOWN});
  RunGameStep();
  EXPECT_EQ(ballsCollected, 1);
  EXPECT_TRUE(ballCollected[20]);
  EXPECT_FALSE(ballCollected[21]);
  // Once the frame has emptied 20, DOWN (eye blocked by 21) classifies by a
  // view point in no box: the collision text; UP walks on.
  DisableBox(20);
  TakeTitles();
  Release({VK_UP});
  RunGameStep();
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{kCollisionText}));
  EXPECT_EQ(ballsCollected, 1);
}

TEST_F(GameStepTest, TheLongestScoreFitsItsBuffer) {
  ballsCollected = 2147483646;
  SetBox(12, 0.0f, 0.0f);
  Hold({VK_UP});
  RunGameStep();
  EXPECT_STREQ(titleText[0], "Balls collected so far: 2147483647");
}

// ---- game over
// -------------------------------------------------------------------------------

TEST_F(GameStepTest, AfterGameOverArrowsNeitherMoveNorTitleButOtherKeysAct) {
  gameOver = true;
  SetBox(12, 0.0f, 0.0f);
  Hold({VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, 'B', 'N'});
  RunGameStep();
  ExpectCameraAt(kStartEye, kStartView);
  EXPECT_EQ(ballsCollected, 0);
  EXPECT_TRUE(TakeTitles().empty());
  EXPECT_TRUE(bumpMappingOn);
  EXPECT_EQ(lightLevel, 1.0f - 0.01f);
  EXPECT_TRUE(gameOver);
}

// ---- B, D and N
// ------------------------------------------------------------------------------

TEST_F(GameStepTest, HoldingBFlipsBumpMappingOnEveryPass) {
  Hold({'B'});
  RunGameStep();
  EXPECT_TRUE(bumpMappingOn);
  RunGameStep();
  EXPECT_FALSE(bumpMappingOn);
  RunGameStep();
  EXPECT_TRUE(bumpMappingOn);
  EXPECT_TRUE(TakeTitles().empty());
}

TEST_F(GameStepTest, DAtFullLightChangesNothing) {
  Hold({'D'});
  RunGameStep();
  EXPECT_EQ(lightLevel, 1.0f);
}

TEST_F(GameStepTest, HundredNFromFullLeaveARemainderThenZero) {
  Hold({'N'});
  for (int pass = 0; pass < 100; ++pass)
    RunGameStep();
  // Single-precision steps do not land on zero.
  EXPECT_GT(lightLevel, 0.0f);
  EXPECT_NEAR(lightLevel, 6.7e-7, 0.05e-7);
  RunGameStep();
  EXPECT_EQ(lightLevel, 0.0f);
  EXPECT_FALSE(std::signbit(lightLevel));
  RunGameStep();
  EXPECT_EQ(lightLevel, 0.0f);
}

TEST_F(GameStepTest, HundredDFromDarkLeaveJustUnderOneThenOne) {
  lightLevel = 0.0f;
  Hold({'D'});
  for (int pass = 0; pass < 100; ++pass)
    RunGameStep();
  EXPECT_LT(lightLevel, 1.0f);
  EXPECT_NEAR(lightLevel, 0.9999993, 0.00000005);
  RunGameStep();
  EXPECT_EQ(lightLevel, 1.0f);
}

TEST_F(GameStepTest, LightStepsAreSinglePrecisionSums) {
  // The same walk done here in float, value by value.
  volatile float expected = 1.0f;
  Hold({'N'});
  for (int pass = 0; pass < 60; ++pass) {
    RunGameStep();
    expected = expected - 0.01f;
    ASSERT_EQ(lightLevel, expected) << pass;
  }
}

TEST_F(GameStepTest, DThenNInOnePass) {
  Hold({'D', 'N'});
  RunGameStep(); // D clamps at 1.0, then N lowers
  EXPECT_EQ(lightLevel, 1.0f - 0.01f);
}

// ---- R
// -------------------------------------------------------------------------------------------

TEST_F(GameStepTest, RStartsANewGameAndDrawsOnceButKeepsTheTitle) {
  SetBox(12, 0.0f, 0.0f);
  Hold({VK_UP});
  RunGameStep();
  ASSERT_EQ(scripted::WindowTitle(), Score(1));
  Release({VK_UP});
  ballsCollected = 10;
  gameOver = true;
  bumpMappingOn = true;
  lightLevel = 0.5f;
  headingDegrees = 30.0f;
  camera.place(3.0f, -1.0f, 2.0f, 2.0f, -1.0f, 2.0f, 0.0f, 1.0f, 0.0f);
  TakeTitles();

  Hold({'R'});
  RunGameStep();
  EXPECT_FALSE(gameOver);
  EXPECT_EQ(ballsCollected, 0);
  EXPECT_FALSE(ballCollected[12]);
  ASSERT_EQ(drawCalls.size(), 1u);
  // The frame was drawn after the new game had been set up.
  EXPECT_FALSE(drawCalls[0].gameOver);
  EXPECT_EQ(drawCalls[0].ballsCollected, 0);
  EXPECT_FALSE(drawCalls[0].anyBallCollected);
  // The title keeps its last text; the light, bump mapping, heading and the
  // camera are not reset.
  EXPECT_TRUE(TakeTitles().empty());
  EXPECT_EQ(scripted::WindowTitle(), Score(1));
  EXPECT_TRUE(bumpMappingOn);
  EXPECT_EQ(lightLevel, 0.5f);
  EXPECT_EQ(headingDegrees, 30.0f);
  ExpectCameraAt(Vec3(3.0f, -1.0f, 2.0f), Vec3(2.0f, -1.0f, 2.0f));
}

TEST_F(GameStepTest, RDrawsTheNewLayoutOfTheFixedSeed) {
  FixResetSeed(12345); // ball 12 at offset x 1 for this seed
  Hold({'R'});
  RunGameStep();
  ASSERT_EQ(drawCalls.size(), 1u);
  EXPECT_EQ(drawCalls[0].firstBallX, 1.0f);
}

TEST_F(GameStepTest, HoldingRRestartsOnEveryPass) {
  Hold({'R'});
  for (int pass = 0; pass < 3; ++pass) {
    ballsCollected = 4;
    RunGameStep();
    EXPECT_EQ(ballsCollected, 0);
  }
  EXPECT_EQ(drawCalls.size(), 3u);
}

TEST_F(GameStepTest, ArrowsActBeforeRInTheSamePass) {
  SetBox(12, 0.0f, 0.0f);
  Hold({VK_UP, 'R'});
  RunGameStep();
  EXPECT_EQ(TakeTitles(), (std::vector<std::string>{Score(1)}));
  EXPECT_EQ(ballsCollected, 0);
  EXPECT_FALSE(ballCollected[12]);
}

} // namespace
