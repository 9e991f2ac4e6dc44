#include <gtest/gtest.h>

#include <QColor>
#include <functional>
#include <string>

#include "common/image_probe.h"
#include "zeph/toolkit/exception.h"
#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"

using namespace zeph;

namespace {

struct TakenCase {
  const char* form;
  TColorArg arg;
  TColor expected;
};

// Each form of a colour and the TColor a setter stores for it.
const TakenCase kTaken[] = {
    {"TColor red", clRed, clRed},
    {"integer 16711680", 16711680, clBlue},
    {"RGBColor", RGBColor(1, 2, 3), RGBColor(1, 2, 3)},
    {"system colour clBtnFace", clBtnFace, clBtnFace},
    {"system colour clGrayText", clGrayText, clGrayText},
    {"QColor from parts", QColor(1, 2, 3), RGBColor(1, 2, 3)},
    {"QColor by name", QColor(QStringLiteral("#fdf6e3")), RGBColor(0xfd, 0xf6, 0xe3)},
    {"QColor in HSV", QColor::fromHsv(240, 255, 255), clBlue},
    {"QColor of a Qt name", QColor(Qt::blue), clBlue},
    {"Qt::red", Qt::red, clRed},
    {"Qt::blue", Qt::blue, clBlue},
    {"Qt::darkGreen", Qt::darkGreen, RGBColor(0, 128, 0)},
    {"Qt::black", Qt::black, clBlack},
    {"Qt::white", Qt::white, clWhite},
};

struct RefusedCase {
  const char* form;
  std::function<TColorArg()> take;
  const char* message;
};

// Colours are drawn opaque: forms that are not are refused, with what was wrong.
const RefusedCase kRefused[] = {
    {"QColor of alpha 10", [] { return TColorArg(QColor(255, 0, 255, 10)); },
     "The translucent colour #0aff00ff (alpha 10) cannot be set: colours are opaque"},
    {"QColor of alpha 254", [] { return TColorArg(QColor(0, 0, 0, 254)); },
     "The translucent colour #fe000000 (alpha 254) cannot be set: colours are opaque"},
    {"Qt::transparent", [] { return TColorArg(Qt::transparent); },
     "The translucent colour #00000000 (alpha 0) cannot be set: colours are opaque"},
    {"invalid QColor", [] { return TColorArg(QColor()); }, "An invalid QColor is not a colour"},
};

}  // namespace

TEST(ColorArgTest, EveryFormGivesTheTColorItStandsFor) {
  for (const TakenCase& c : kTaken) {
    EXPECT_EQ(TColor{c.arg}, c.expected) << c.form;
  }
  // A Qt colour name is its colour, not the small number the enumeration holds.
  EXPECT_EQ(ColorToQColor(TColorArg(Qt::red)), QColor(255, 0, 0));
  EXPECT_NE(TColor{TColorArg(Qt::red)}, TColor{Qt::red});
}

TEST(ColorArgTest, ColoursThatAreNotOpaqueAreRefusedWithTheReason) {
  for (const RefusedCase& c : kRefused) {
    try {
      c.take();
      ADD_FAILURE() << c.form << " was taken";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), std::string(c.message)) << c.form;
    }
  }
}

TEST(ColorArgTest, CanvasColoursTakeEveryFormAndARefusalChangesNothing) {
  TBitmap bitmap(30, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.SetBrushColor(QColor(255, 255, 0));
  canvas.FillRect(0, 0, 30, 10);
  canvas.SetPenColor(clBlue);
  canvas.MoveTo(0, 1);
  canvas.LineTo(30, 1);
  canvas.SetPenColor(QColor(0, 128, 0));
  canvas.MoveTo(0, 3);
  canvas.LineTo(30, 3);
  canvas.SetPenColor(Qt::red);
  canvas.MoveTo(0, 5);
  canvas.LineTo(30, 5);
  EXPECT_THROW(canvas.SetPenColor(QColor(0, 0, 0, 128)), Exception);
  EXPECT_EQ(canvas.PenColor(), clRed);
  const QImage& image = bitmap.Image();
  EXPECT_EQ(CountPixels(image, clYellow, 0, 0, 30, 1), 30);
  EXPECT_EQ(CountPixels(image, clBlue, 0, 1, 30, 2), 30);
  EXPECT_EQ(CountPixels(image, clGreen, 0, 3, 30, 4), 30);
  EXPECT_EQ(CountPixels(image, clRed, 0, 5, 30, 6), 30);
}
