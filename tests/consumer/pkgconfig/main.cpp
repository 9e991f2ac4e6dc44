// Compiled with nothing but `pkg-config --cflags --libs zephchart`: a chart with a line and a
// legend, drawn into the PNG file named on the command line, its range change heard through a Qt
// signal. Exit code 0 when the signal came and the file was written.

#include <QApplication>

#include <zeph/chart/zephchart.h>
#include <zeph/translation/babelfish2000.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) return 2;
  // The translation library links as well: a lookup without a dictionary gives the key back.
  zeph::TBabelfish2000 babelfish;
  zeph::TZephChart chart;
  chart.resize(320, 240);
  chart.SetCaption(QString::fromStdString(babelfish.Translate("Ramp")));
  int range_changes = 0;
  QObject::connect(&chart, &zeph::TCustomZephChart::LayerRangeChanged, [&](int layer) { range_changes += layer; });
  chart.SetLayerRange(1, 0, 0, 1, 1.25);
  chart.SetNavigation(zeph::nvWheelZoom | zeph::nvDragPan | zeph::nvHomeView);
  chart.Legend()->SetVisible(true);
  chart.SetDataColor(zeph::clBlue);
  chart.SetLineWidth(3);
  zeph::TZephCurve ramp = chart.AddCurve(QStringLiteral("ramp"));
  ramp.Append(0, 0);
  ramp.Append(1, 1);
  chart.show();
  chart.ShowGraf();
  if (range_changes != 1) return 3;
  return chart.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
