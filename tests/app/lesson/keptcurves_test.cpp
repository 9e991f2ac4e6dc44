// Kept curves: up to four gradings beside the current one, on both charts, in exploration, in the
// copied table and the accessible table, in the legend and in the CSV export, each named by m.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/chartexport.h"
#include "app/commandline.h"
#include "app/controls/ttrackbar.h"
#include "app/lesson/keptcurves.h"
#include "app/lesson/lessonviews.h"
#include "app/mainfrm.h"
#include "app/varactormodel.h"
#include "zeph/chart/chartcurves.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

TEST(KeptCurvesTest, KeepsUpToFourGradingsOnceEachAndDropsTheOldest) {
  TKeptCurves kept;
  QSignalSpy changed(&kept, &TKeptCurves::Changed);
  struct Step {
    int keep;  // 9999: clear
    std::vector<int> positions;
    int changes;
  };
  for (const Step& s : {Step{100, {100}, 1}, Step{100, {100}, 1}, Step{-200, {100, -200}, 2},
                        Step{300, {100, -200, 300}, 3}, Step{400, {100, -200, 300, 400}, 4},
                        Step{500, {-200, 300, 400, 500}, 5}, Step{9999, {}, 6}, Step{9999, {}, 6}}) {
    if (s.keep == 9999)
      kept.Clear();
    else
      kept.Keep(s.keep);
    EXPECT_EQ(kept.Positions(), s.positions) << s.keep;
    EXPECT_EQ(changed.count(), s.changes) << s.keep;
  }
}

class KeptChartsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_.CalculateCurves();
    form_.KeptCurves()->Keep(-1000);
    form_.KeptCurves()->Keep(1000);
  }
  TForm1 form_{nullptr, TFormRole::ChartsOnly};
};

TEST_F(KeptChartsTest, BothChartsShowTheKeptGradingsAfterTheCurrentOneUntilCleared) {
  struct Chart {
    TZephChart* chart;
    std::vector<varactor::CurvePoint> (*curve)(int);
  };
  for (const Chart& c : {Chart{form_.ZCCap, varactor::CapacitanceCurve}, Chart{form_.ZCNd, varactor::ProfileCurve}}) {
    const std::vector<TChartCurve> curves = ChartCurves(*c.chart);
    ASSERT_EQ(curves.size(), 3U);
    int index = 0;
    for (const int position : {0, -1000, 1000}) {
      const std::vector<varactor::CurvePoint> model = c.curve(position);
      ASSERT_EQ(curves[index].Points.size(), model.size());
      EXPECT_EQ(curves[index].Points.back(), QPointF(model.back().x, model.back().y)) << position;
      ++index;
    }
  }
  // The current curve follows the slider; the kept ones stay.
  form_.TBDistribution->SetPosition(500);
  EXPECT_EQ(ChartCurves(*form_.ZCCap)[0].Points[0].y(), varactor::CapacitanceCurve(500)[0].y);
  EXPECT_EQ(ChartCurves(*form_.ZCCap)[1].Points[0].y(), varactor::CapacitanceCurve(-1000)[0].y);
  // The legend names each by its grading.
  const TChartMarks marks = form_.Lesson()->CapacitanceMarks();
  ASSERT_EQ(marks.legend.size(), 3U);
  EXPECT_EQ(marks.legend[0].name, QStringLiteral("m = 0.5"));
  EXPECT_EQ(marks.legend[1].name, QStringLiteral("m = −1"));
  EXPECT_EQ(marks.legend[1].color, ColorToQColor(TKeptCurves::Color(0)));
  form_.KeptCurves()->Clear();
  EXPECT_EQ(ChartCurves(*form_.ZCCap).size(), 1U);
  EXPECT_EQ(ChartCurves(*form_.ZCNd).size(), 1U);
  EXPECT_TRUE(form_.Lesson()->CapacitanceMarks().Empty());
}

TEST_F(KeptChartsTest, ExplorationTheTablesAndTheCopyNameEachCurvesGrading) {
  {
    form_.ZCCap->Explorer()->Select(0, 9);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(form_.ZCCap, &down);
    EXPECT_EQ(form_.ZCCap->Explorer()->CurveIndex(), 1);
    const QString name = form_.ZCCap->Explorer()->PointName();
    EXPECT_TRUE(name.contains(QStringLiteral("curve 2 of 3, m = −1, w = "))) << name.toStdString();
  }
  // The accessible table holds every point of all three curves.
  QAccessibleInterface* chart = QAccessible::queryAccessibleInterface(form_.ZCCap);
  ASSERT_NE(chart, nullptr);
  ASSERT_NE(chart->tableInterface(), nullptr);
  EXPECT_EQ(chart->tableInterface()->rowCount(), 300);
  // Ctrl+C copies them with a column for m.
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(form_.ZCCap, &copy);
  const QStringList lines = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 301);
  EXPECT_EQ(lines[0], QStringLiteral("U [V]\tC [pF]\tm"));
  const double first = varactor::CapacitanceCurve(0)[0].y;
  EXPECT_EQ(lines[1], QStringLiteral("0.1\t%1\t0").arg(first, 0, 'g', QLocale::FloatingPointShortest));
  EXPECT_TRUE(lines[101].endsWith(QStringLiteral("\t-1")));
  EXPECT_TRUE(lines[300].endsWith(QStringLiteral("\t1")));
}

TEST(KeptCsvTest, KeptGradingsAddTheirColumnsHeadedWithM) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("curves.csv"));
  ASSERT_EQ(ExportCurvesCsv(0, file, {-1000, 500}), QString());
  QFile csv(file);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 301);
  EXPECT_EQ(lines[0], QStringLiteral("U [V],C [pF],d [um],ND [10^16 cm^-3],C [pF] (m = -1),ND [10^16 cm^-3] (m = -1),"
                                     "C [pF] (m = 0.5),ND [10^16 cm^-3] (m = 0.5)"));
  for (const int row : {0, 99, 100, 299}) {
    const QStringList cells = lines[row + 1].split(',');
    ASSERT_EQ(cells.size(), 8) << row;
    const bool voltage = row < 100;
    EXPECT_EQ(cells[4].isEmpty(), !voltage) << row;
    if (voltage) {
      EXPECT_EQ(cells[4].toDouble(), varactor::CapacitanceCurve(-1000)[row].y) << row;
    }
    EXPECT_EQ(cells[7].toDouble(), varactor::ProfileCurve(500)[row].y) << row;
  }
  // Without kept gradings the file is as it always was: four columns.
  ASSERT_EQ(ExportCurvesCsv(0, file), QString());
  QFile plain(file);
  ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
  EXPECT_EQ(plain.readLine(), QByteArray("U [V],C [pF],d [um],ND [10^16 cm^-3]\n"));
}

TEST(KeepOptionTest, TakesUpToFourPositionsAndRefusesTheRest) {
  struct Case {
    QStringList arguments;
    std::vector<int> keep;
    bool ok;
  };
  for (const Case& c : {Case{{"--export-csv", "a.csv", "--keep", "-1000,1000"}, {-1000, 1000}, true},
                        Case{{"--keep", " 5 , -5"}, {5, -5}, true},
                        Case{{"--render", "a.png", "--keep", "1,2,3,4"}, {1, 2, 3, 4}, true},
                        Case{{"--keep", "1,2,3,4,5"}, {}, false}, Case{{"--keep", "1001"}, {}, false},
                        Case{{"--keep", "1,,2"}, {}, false}, Case{{"--keep", "a"}, {}, false},
                        Case{{"--keep", "1", "--keep", "2"}, {}, false}}) {
    QStringList arguments{"varactor"};
    arguments << c.arguments;
    const TCommandLine command = ParseCommandLine(arguments);
    EXPECT_EQ(command.error.isEmpty(), c.ok) << c.arguments.join(' ').toStdString();
    if (c.ok) {
      EXPECT_EQ(command.keep, c.keep) << c.arguments.join(' ').toStdString();
    }
  }
}

}  // namespace
