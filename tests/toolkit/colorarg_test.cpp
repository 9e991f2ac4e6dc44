#include <gtest/gtest.h>

#include <string>

#include "common/image_probe.h"
#include "zeph/toolkit/exception.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"

using namespace zeph;

// Each form of a colour and the TColor a setter stores for it: system colours stay system colours,
// and Qt::red is red, not the number its enumeration holds.
TEST(ColorArgTest, EveryFormGivesTheTColorItStandsFor) {
  const struct {
    TColorArg arg;
    TColor expected;
  } cases[] = {{clRed, clRed},           {16711680, clBlue},         {clBtnFace, clBtnFace},
               {clGrayText, clGrayText}, {QColor(1, 2, 3), RGBColor(1, 2, 3)},
               {QColor::fromHsv(240, 255, 255), clBlue},             {Qt::red, clRed},
               {Qt::darkGreen, RGBColor(0, 128, 0)},                 {Qt::white, clWhite}};
  for (const auto& c : cases) EXPECT_EQ(TColor{c.arg}, c.expected);
}

// Colours are drawn opaque: a colour that is not is refused, saying why.
TEST(ColorArgTest, TranslucentAndInvalidColoursAreRefused) {
  const struct {
    QColor color;
    const char* message;
  } cases[] = {{QColor(255, 0, 255, 10), "The translucent colour #0aff00ff (alpha 10) cannot be set: colours are opaque"},
               {QColor(0, 0, 0, 254), "The translucent colour #fe000000 (alpha 254) cannot be set: colours are opaque"},
               {QColor(), "An invalid QColor is not a colour"}};
  for (const auto& c : cases) {
    try {
      TColorArg taken(c.color);
      ADD_FAILURE() << c.message << ": taken as " << TColor{taken};
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string(c.message));
    }
  }
  EXPECT_THROW(TColorArg(Qt::transparent), Exception);
}

TEST(ColorArgTest, CanvasColoursTakeEveryFormAndARefusalChangesNothing) {
  TBitmap bitmap(30, 6);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetBrushColor(Qt::yellow);
  canvas.FillRect(0, 0, 30, 6);
  const TColorArg pens[] = {clBlue, QColor(0, 128, 0), Qt::red};
  for (int y = 1; y <= 3; ++y) {
    canvas.SetPenColor(pens[y - 1]);
    canvas.MoveTo(0, y);
    canvas.LineTo(30, y);
  }
  EXPECT_THROW(canvas.SetPenColor(QColor(0, 0, 0, 128)), Exception);
  EXPECT_EQ(canvas.PenColor(), clRed);
  const TColor rows[] = {clYellow, clBlue, clGreen, clRed};
  for (int y = 0; y <= 3; ++y) EXPECT_EQ(CountPixels(bitmap.Image(), rows[y], 0, y, 30, y + 1), 30) << y;
}
