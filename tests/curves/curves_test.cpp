// Curve segments: points along them, chains, distances, setters and their
// signals, thick lines; and the smooth curve's construction.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "Bitmaps.h"
#include "Curves/CubicBezier.h"
#include "Curves/LinearBezier.h"
#include "Curves/SmoothCurve.h"
#include "Curves/SquareBezier.h"
#include "Resources/Bitmap.h"
#include "views_fixture.h"
#include "vgresmap.h"

namespace CurvesTest {

// Counts the deliveries of its slot.
class Counter : public XObject {
  VG_CLASS()
 public:
  void Hit(XObject*) { ++hits; }
  int hits = 0;
};

}  // namespace CurvesTest

VG_DEFINE_CLASS(CurvesTest, Counter, XObject)

namespace {

using Curves::CubicBezier;
using Curves::LinearBezier;
using Curves::SmoothCurve;
using Curves::SquareBezier;

std::string P(VgPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

LinearBezier* Line(VgPoint a, VgPoint b) {
  auto* line = VgNew<LinearBezier>();
  line->Point1 = a;
  line->Point2 = b;
  return line;
}

class CurvesFixture : public ViewsTest::ViewsFixture {};

TEST_F(CurvesFixture, ParameterWrapsIntoTheSegment) {
  LinearBezier* line = Line({0, 0}, {100, 50});
  EXPECT_EQ(line->GetPointAt(1.5), line->GetPointAt(0.5));
  EXPECT_EQ(P(line->GetPointAt(0.5)), "50,25");
  EXPECT_EQ(line->GetPointAt(-0.25), line->GetPointAt(0.75));
  EXPECT_EQ(P(line->GetPointAt(1)), "100,50");
  EXPECT_EQ(P(line->GetPointAt(3)), "100,50") << "whole numbers above 1 stop at 1";
  EXPECT_EQ(P(line->GetPointAt(-2)), "0,0");
  EXPECT_EQ(P(line->GetPointAt(std::nan(""))), "0,0");
  EXPECT_EQ(P(line->GetPointAt(std::numeric_limits<double>::infinity())), "0,0");

  // Inverted, from (10, 0) back to (0, 0): 7.5 is truncated.
  LinearBezier* back = Line({0, 0}, {10, 0});
  back->OnSetIsInverted(true);
  EXPECT_EQ(P(back->GetPointAt(0.25)), "7,0");

  auto* square = VgNew<SquareBezier>();
  square->Point1 = {0, 0};
  square->Point2 = {50, 100};
  square->Point3 = {100, 0};
  EXPECT_EQ(P(square->GetPointAt(0.5)), "50,50");
  auto* cubic = VgNew<CubicBezier>();
  cubic->Point1 = {0, 0};
  cubic->Point2 = {0, 100};
  cubic->Point3 = {100, 100};
  cubic->Point4 = {100, 0};
  EXPECT_EQ(P(cubic->GetPointAt(0.5)), "50,75");
  EXPECT_EQ(P(cubic->GetPointAt(1.0)), "100,0");
  EXPECT_EQ(cubic->GetExtent(), (VgRect{-10, -10, 110, 110}));
}

TEST_F(CurvesFixture, LinkedNeighboursShareTheParameterRange) {
  // Three linked lines along x and an unlinked one on top that ends the run.
  LinearBezier* parts[] = {Line({0, 0}, {10, 0}), Line({10, 0}, {20, 0}), Line({20, 0}, {30, 0}),
                           Line({100, 100}, {200, 100})};
  for (int i = 0; i < 4; ++i) {
    parts[i]->OnSetIsLinked(i < 3);
    top->Add(parts[i], 0);
  }
  EXPECT_EQ(P(parts[0]->GetPointAt(0.5)), "15,0") << "answered by the middle segment";
  EXPECT_EQ(P(parts[2]->GetPointAt(0.25)), "7,0");
  EXPECT_EQ(P(parts[1]->GetPointAt(0.9)), "27,0");
  EXPECT_EQ(P(parts[1]->GetPointAt(1.0)), "0,0") << "a linked segment takes 1 as 0";
  EXPECT_EQ(P(parts[3]->GetPointAt(0.5)), "150,100");
  // Without a group the chain is the segment alone.
  LinearBezier* alone = Line({0, 0}, {10, 0});
  alone->OnSetIsLinked(true);
  EXPECT_EQ(P(alone->GetPointAt(0.5)), "5,0");
}

TEST_F(CurvesFixture, DistancesAndLength) {
  LinearBezier* line = Line({0, 0}, {30, 40});
  EXPECT_EQ(line->GetDistance({0, 0}, {3, 4}), 5);
  EXPECT_EQ(line->GetDistance({0, 0}, {1, 1}), 2);
  EXPECT_EQ(line->GetDistance({7, 7}, {7, 7}), 0);
  EXPECT_EQ(line->GetDistance({0, 0}, {0, -46341}), 46341);
  constexpr int32_t lo = std::numeric_limits<int32_t>::min();
  constexpr int32_t hi = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(line->GetDistance({lo, lo}, {hi, hi}), hi);
  line->OnSetNoOfDivisions(5);
  EXPECT_EQ(line->GetLength(), 50);
  line->OnSetNoOfDivisions(16);
  EXPECT_EQ(line->GetLength(), 56) << "each piece's distance is rounded up";
  EXPECT_DOUBLE_EQ(line->GetDeltaAt(0.2), 4.0 / 3.0);
  EXPECT_EQ(Line({5, 0}, {5, 9})->GetDeltaAt(0.2), 0);
  EXPECT_EQ(line->GetSpeedAt(0.5), 0);
}

TEST_F(CurvesFixture, SettersRedrawAndPostUpdates) {
  auto* counter = VgNew<CurvesTest::Counter>();
  VgLockObject(counter);
  auto* cubic = VgNew<CubicBezier>();
  top->Add(cubic, 0);
  cubic->OnSetOnUpdated(VgSlotOf<&CurvesTest::Counter::Hit>(counter));

  cubic->OnSetPoint2({40, 20});  // unchanged
  VgProcessSignals();
  VgProcessSignals();
  EXPECT_EQ(counter->hits, 0);

  cubic->MoveView({5, 5});  // four points, one update
  VgProcessSignals();
  VgProcessSignals();
  EXPECT_EQ(counter->hits, 1);
  EXPECT_EQ(P(cubic->Point4), "65,25");

  testing::internal::CaptureStdout();
  cubic->OnSetNoOfDivisions(0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "trace: \"only positive values allowed!\"\n");
  EXPECT_EQ(cubic->NoOfDivisions, 16);
  cubic->OnSetNoOfDivisions(4);
  VgProcessSignals();
  VgProcessSignals();
  EXPECT_EQ(counter->hits, 2);
  EXPECT_EQ(cubic->NoOfDivisions, 4);
  VgUnlockObject(counter);
}

TEST_F(CurvesFixture, ThickLinesStackDownwards) {
  LinearBezier* line = Line({10, 10}, {30, 10});
  line->OnSetThickness(3);
  line->OnSetColor({255, 255, 255, 255});
  top->Add(line, 0);
  GenImage image = ViewsTest::Pixels(Render());
  for (int y = 8; y <= 14; ++y)
    EXPECT_EQ(image.At(20, y) != 0, y >= 10 && y <= 12) << "row " << y;
}

TEST_F(CurvesFixture, SmoothCurveMakesOneSegmentPerPairOfPoints) {
  auto* curve = VgNew<SmoothCurve>();
  top->Add(curve, 0);
  EXPECT_EQ(curve->firstView.get(), &curve->background);
  EXPECT_FALSE(curve->background.Visible);
  curve->OnSetPointNum(20);
  EXPECT_EQ(curve->PointNum, 11);

  auto classes = [&] {
    std::string names;
    for (int i = 0; i < SmoothCurve::Capacity; ++i)
      names += curve->segments[i] ? std::string(curve->segments[i]->GetClass()->name).substr(8, 1) : ".";
    int children = 0;
    for (Core::View* v = curve->firstView; v; v = v->nextView) ++children;
    return names + " " + std::to_string(children);
  };

  curve->OnSetPointNum(2);
  curve->SetPoint(0, 0, 100);
  curve->SetPoint(1, 100, 0);
  curve->SetPoint(2, 5, 5);  // past PointNum: ignored
  curve->CreateCurve(0.6, 8);
  EXPECT_EQ(classes(), "........... 1") << "two points make no smooth curve";

  curve->OnSetPointNum(3);
  curve->SetPoint(0, 0, 0);
  curve->SetPoint(1, 100, 100);
  curve->SetPoint(2, 200, 0);
  curve->CreateCurve(0.5, 8);
  EXPECT_EQ(classes(), "SS......... 3");
  // The peak's control points lie level with it, a quarter step to each side.
  EXPECT_EQ(P(curve->controlPoints[1][0]), "75,100");
  EXPECT_EQ(P(curve->controlPoints[1][1]), "125,100");
  auto* first = static_cast<SquareBezier*>(curve->segments[0]);
  EXPECT_EQ(P(first->Point1) + " " + P(first->Point2) + " " + P(first->Point3), "0,0 75,100 100,100");
  EXPECT_EQ(first->NoOfDivisions, 8);
  EXPECT_EQ(first->Color, curve->Color);

  curve->OnSetPointNum(4);
  curve->SetPoint(3, 300, 100);
  curve->CreateCurve(0.5, 8);
  EXPECT_EQ(classes(), "SCS........ 4");
  EXPECT_EQ(curve->segments[0], first) << "a segment of the right class is reused";

  curve->OnSetLinear(true);
  curve->CreateCurve(0.5, 8);
  EXPECT_EQ(classes(), "LLL........ 4");
  auto* marker = VgLoadResource(&Bitmaps::Point, &Resources::Bitmap::Class);
  EXPECT_EQ(static_cast<LinearBezier*>(curve->segments[2])->EndPointBitmap.get(), marker);

  // Back to a smooth curve of two points: nothing of the earlier one stays.
  curve->OnSetLinear(false);
  curve->OnSetPointNum(2);
  curve->CreateCurve(0.5, 8);
  EXPECT_EQ(classes(), "........... 1");
}

}  // namespace
