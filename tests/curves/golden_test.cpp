// Curves drawn through the view tree at screen size and compared pixel for
// pixel with golden/curves.png (see golden.h for updating it).
#include <gtest/gtest.h>

#include <string>

#include "Bitmaps.h"
#include "Curves/CubicBezier.h"
#include "Curves/SmoothCurve.h"
#include "Curves/SquareBezier.h"
#include "Resources/Bitmap.h"
#include "Views/Line.h"
#include "Views/Rectangle.h"
#include "golden.h"
#include "views_fixture.h"
#include "vgresmap.h"

namespace {

Resources::Bitmap* LoadBitmap(const VgConstant& constant) {
  return static_cast<Resources::Bitmap*>(VgLoadResource(&constant, &Resources::Bitmap::Class));
}

class CurvesGolden : public ViewsTest::ViewsFixture {};

TEST_F(CurvesGolden, SmoothCurve) {
  top->Bounds = {0, 0, 960, 540};
  auto* background = VgNew<Views::Rectangle>();
  background->OnSetBounds(top->Bounds);
  background->OnSetColor({10, 16, 32, 255});
  top->Add(background, 0);
  for (int i = 0; i <= 10; ++i) {
    auto* grid = VgNew<Views::Line>();
    grid->OnSetPoint1({60 + 84 * i, 40});
    grid->OnSetPoint2({60 + 84 * i, 300});
    grid->OnSetColor({40, 52, 80, 255});
    top->Add(grid, 0);
  }

  // Eleven points as the backlight adjustment sets them: smoothing 0.6 and
  // eight pieces per segment.
  const int heights[] = {280, 262, 230, 170, 120, 140, 90, 60, 75, 52, 48};
  auto* smooth = VgNew<Curves::SmoothCurve>();
  smooth->OnSetBounds(top->Bounds);
  smooth->OnSetPointNum(11);
  for (int i = 0; i < 11; ++i) smooth->SetPoint(i, 60 + 84 * i, heights[i]);
  smooth->OnSetThickness(3);
  smooth->CreateCurve(0.6, 8);
  top->Add(smooth, 0);

  // The same points joined straight, with the point markers, lower down.
  auto* straight = VgNew<Curves::SmoothCurve>();
  straight->OnSetBounds({0, 150, 960, 540});
  straight->OnSetPointNum(11);
  for (int i = 0; i < 11; ++i) straight->SetPoint(i, 60 + 84 * i, heights[i] - 20);
  straight->OnSetLinear(true);
  straight->OnSetColor({230, 150, 60, 255});
  straight->CreateCurve(0.6, 8);
  top->Add(straight, 0);

  // Single segments with their end and control points marked.
  auto* square = VgNew<Curves::SquareBezier>();
  square->OnSetPoint1({80, 525});
  square->OnSetPoint2({240, 400});
  square->OnSetPoint3({400, 525});
  square->OnSetColor({120, 220, 140, 255});
  square->OnSetThickness(2);
  square->OnSetEndPointBitmap(LoadBitmap(Bitmaps::Point));
  square->OnSetControlPointBitmap(LoadBitmap(Bitmaps::SliderIndicator));
  top->Add(square, 0);
  auto* cubic = VgNew<Curves::CubicBezier>();
  cubic->OnSetPoint1({520, 525});
  cubic->OnSetPoint2({560, 400});
  cubic->OnSetPoint3({820, 540});
  cubic->OnSetPoint4({900, 430});
  cubic->OnSetColor({240, 240, 240, 255});
  cubic->OnSetNoOfDivisions(24);
  cubic->OnSetEndPointBitmap(LoadBitmap(Bitmaps::Point));
  cubic->OnSetControlPointBitmap(LoadBitmap(Bitmaps::SliderIndicatorRed));
  top->Add(cubic, 0);

  ExpectGolden(ViewsTest::Pixels(Render()), std::string(CURVES_GOLDEN_DIR) + "/curves.png");
}

}  // namespace
