// Names of the program's own beside the zeph libraries' (an Exception class and a clBlack
// constant in the global namespace), and a chart drawn into the PNG file named on the command
// line. Exit code 0 when the file was written.

#include <QApplication>
#include <cstdio>
#include <string>
#include <utility>

#include <zeph/chart/zephchart.h>

class Exception {
 public:
  explicit Exception(std::string text) : text_(std::move(text)) {}
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// The program's own black, a dark grey, in Qt's 0xRRGGBB order.
constexpr unsigned clBlack = 0x202020;
static_assert(clBlack != zeph::clBlack);

namespace {

void DrawParabola(const char* file) {
  zeph::TZephChart chart;
  chart.resize(400, 300);
  chart.SetCaption(QStringLiteral("parabola"));
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 100);
  chart.SetDataColor(zeph::clRed);
  chart.MoveTo(0, 0);
  for (int x = 1; x <= 100; ++x) chart.DrawTo(x / 10.0, x * x / 100.0);
  chart.show();
  chart.ShowGraf();
  if (!chart.grab().save(QString::fromLocal8Bit(file), "PNG")) throw Exception(std::string("cannot write ") + file);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  try {
    if (argc != 2) throw Exception("usage: app FILE.png");
    DrawParabola(argv[1]);
  } catch (const Exception& e) {
    std::fprintf(stderr, "app: %s (own black %06x)\n", e.Text().c_str(), clBlack);
    return 1;
  }
  return 0;
}
