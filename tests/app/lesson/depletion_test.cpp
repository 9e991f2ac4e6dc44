// The link between the charts against the model: the depletion width w(U) = εA / Cj(U) at every
// point of the capacitance curve, and the voltage at which the edge reaches a depth, its inverse.
#include <gtest/gtest.h>

#include <cmath>

#include "app/lesson/depletion.h"
#include "app/varactormodel.h"

namespace {

constexpr double kPermittivityArea = 2.618e-16;  // F cm

TEST(DepletionTest, WidthAndItsInverseAgreeWithTheModelAtTheWorkedGradings) {
  for (const int position : {-1000, 0, 1000}) {
    SCOPED_TRACE(position);
    for (const varactor::CurvePoint& p : varactor::CapacitanceCurve(position)) {
      const double width_um = kPermittivityArea / (p.y * 1e-12) * 1e4;
      const double width = varactor::DepletionWidth(position, p.x);
      EXPECT_NEAR(width / width_um, 1, 1e-12) << p.x;
      EXPECT_NEAR(varactor::JunctionCapacitance(position, p.x) / p.y, 1, 1e-12) << p.x;
      const std::optional<double> voltage = varactor::VoltageAtDepth(position, width);
      ASSERT_TRUE(voltage.has_value()) << p.x;
      EXPECT_NEAR(*voltage, p.x, 1e-9 * p.x);
    }
  }
}

TEST(DepletionTest, WorkedCapacitancesGiveTheirWidthsAndOutsideVoltagesGiveNone) {
  struct Case {
    int position;
    double voltage;
    double capacitance_pf;  // the worked values of the model
  };
  for (const Case& c : {Case{0, 0.1, 8.096}, Case{0, 1, 5.554}, Case{0, 10, 2.214}, Case{-1000, 0.1, 50.07},
                        Case{-1000, 1, 23.56}, Case{-1000, 10, 3.743}, Case{1000, 0.1, 4.854}, Case{1000, 1, 3.776},
                        Case{1000, 10, 2.045}}) {
    const double width_um = kPermittivityArea / (c.capacitance_pf * 1e-12) * 1e4;
    EXPECT_NEAR(varactor::DepletionWidth(c.position, c.voltage), width_um, 1e-3 * width_um)
        << c.position << " " << c.voltage;
  }
  // Abrupt: 0.1 V opens 0.323 µm and 10 V 1.18 µm; shallower and deeper edges lie off the chart.
  struct Outside {
    int position;
    double depth;
  };
  for (const Outside& o : {Outside{0, 0.2}, Outside{0, 1.3}, Outside{0, 0}, Outside{0, -1}, Outside{1000, 3},
                           Outside{-1000, 0.01}}) {
    EXPECT_FALSE(varactor::VoltageAtDepth(o.position, o.depth).has_value()) << o.position << " " << o.depth;
  }
}

}  // namespace
