// Compiled with nothing but `pkg-config --cflags --libs zephchart`: a chart with a line, drawn
// into the PNG file named on the command line. Exit code 0 when the file was written.

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
  chart.Scale1X()->SetRange(0, 1);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetDataColor(zeph::clBlue);
  chart.SetLineWidth(3);
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  chart.show();
  chart.ShowGraf();
  return chart.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
