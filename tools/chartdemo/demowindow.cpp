#include "demowindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaEnum>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

struct TModeEntry {
  TMouseActMode mode;
  const char* what;
};

// The modes that do something, with what the user does in them.
constexpr TModeEntry kModes[] = {
    {maNone, "report the position only"},
    {maPan, "drag to move both axes"},
    {maPanHoriz, "drag to move the time axis"},
    {maPanVert, "drag to move the amplitude axis"},
    {maZoomWind, "draw a window to zoom into; the drag direction sets the axis direction"},
    {maZoomWindPos, "draw a window to zoom into; the axes keep their direction"},
    {maZoomDrag, "drag right/up to zoom in, left/down to zoom out"},
    {maDragCrossH, "drag the nearest cross-hair"},
    {maDragLabel, "drag the nearest text label"},
};

constexpr double kTwoPi = 2 * std::numbers::pi;

QString ChartName(QObject* chart) { return chart->objectName(); }

void ConfigureAxes(TZephChart* chart, const QString& caption) {
  chart->SetStandardLayout(zcl_X1Bottom_Y2Both);
  chart->SetCaption(caption);
  chart->SetGridStyle(gsDotLines);
  chart->SetGridColor(clSilver);
  chart->SetMouseCursorFixed(false);
  chart->Scale1X()->SetCaption(QStringLiteral("t / s"));
  chart->Scale1Y()->SetCaption(QStringLiteral("amplitude"));
  chart->Scale2Y()->SetCaption(QStringLiteral("x(t)"));
  // The oscillation's layer shares the time axis: panning and zooming layer 1 take it along.
  chart->JointLayers()->SetL02xControlledBy(1);
  // Its own y axis follows the mouse as well (its x requests are ignored: x is joined).
  chart->SetMouseZoomLayer(2, true);
}

}  // namespace

TDemoWindow::TDemoWindow() {
  setWindowTitle(QStringLiteral("ZephChart demo"));
  linear_ = new TZephChart(this);
  linear_->setObjectName(QStringLiteral("left chart"));
  log_ = new TZephChart(this);
  log_->setObjectName(QStringLiteral("right chart"));
  ConfigureLinearChart();
  ConfigureLogChart();
  ResetRanges();
  DrawCurves(linear_, rate_);
  BuildControls();
  // The layout shares the window between the charts; below this they get hard to read.
  for (TZephChart* chart : {linear_, log_}) chart->setMinimumSize(360, 300);
  resize(1000, 600);

  for (TZephChart* chart : {linear_, log_}) {
    chart->OnMouseMoveInChart = [this](QObject* sender, bool in_chart, TShiftState, double x, double y) {
      position_->setText(QStringLiteral("%1: t = %2 s, amplitude = %3%4")
                             .arg(ChartName(sender))
                             .arg(x, 0, 'f', 3)
                             .arg(y, 0, 'g', 4)
                             .arg(in_chart ? QString() : QStringLiteral("  (outside the chart area)")));
    };
    chart->OnZoomPan = [this](QObject* sender) {
      auto* c = static_cast<TZephChart*>(sender);
      Report(QStringLiteral("%1: t from %2 to %3, amplitude from %4 to %5")
                 .arg(ChartName(sender))
                 .arg(c->Scale1X()->RangeLow(), 0, 'g', 4)
                 .arg(c->Scale1X()->RangeHigh(), 0, 'g', 4)
                 .arg(c->Scale1Y()->RangeLow(), 0, 'g', 4)
                 .arg(c->Scale1Y()->RangeHigh(), 0, 'g', 4));
    };
    chart->OnCrossHairMove = [this](QObject* sender, TCrossHair* cross) {
      Report(QStringLiteral("%1: %2 at t = %3 s, amplitude %4")
                 .arg(ChartName(sender), cross->objectName())
                 .arg(cross->PosX(), 0, 'f', 3)
                 .arg(cross->PosY(), 0, 'g', 4));
    };
    // The same chart in the Qt way: its signals, which any number of slots may share.
    connect(chart, &TCustomZephChart::MouseClicked, this, [this, chart](Qt::MouseButton, double x, double y, bool in) {
      if (in) Report(QStringLiteral("%1: clicked at t = %2 s, amplitude %3").arg(ChartName(chart)).arg(x, 0, 'f', 3).arg(y, 0, 'g', 4));
    });
    connect(chart->Legend(), &TChartLegend::CurveToggled, this, [this, chart](int index, bool visible) {
      Report(QStringLiteral("%1: \"%2\" %3").arg(ChartName(chart), chart->Curve(index).Name(),
                                                  visible ? QStringLiteral("shown") : QStringLiteral("hidden")));
    });
    chart->OnTextLabelMove = [this](QObject* sender, TTextLabel* label) {
      Report(QStringLiteral("%1: moved \"%2\"").arg(ChartName(sender), label->Caption().replace(QLatin1Char('\n'), QLatin1Char(' '))));
    };
  }
}

void TDemoWindow::BuildControls() {
  mode_box_ = new QComboBox(this);
  const QMetaEnum names = QMetaEnum::fromType<ZephEnums::TMouseActMode>();
  for (const TModeEntry& entry : kModes) {
    mode_box_->addItem(QStringLiteral("%1 - %2").arg(QLatin1String(names.valueToKey(entry.mode)),
                                                      QLatin1String(entry.what)));
  }
  connect(mode_box_, &QComboBox::currentIndexChanged, this, [this](int index) { SelectMouseMode(index); });

  auto* fixed = new QCheckBox(QStringLiteral("Fixed cursor"), this);
  connect(fixed, &QCheckBox::toggled, this, [this](bool on) {
    linear_->SetMouseCursorFixed(on);
    log_->SetMouseCursorFixed(on);
  });
  auto* reset = new QPushButton(QStringLiteral("Reset ranges"), this);
  connect(reset, &QPushButton::clicked, this, [this] {
    ResetRanges();
    Report(QStringLiteral("Ranges reset."));
  });
  auto* renew = new QPushButton(QStringLiteral("New data from the right chart"), this);
  connect(renew, &QPushButton::clicked, this, [this] { ReplaceDataFromLogChart(); });

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("Mouse action:"), this));
  controls->addWidget(mode_box_, 1);
  controls->addWidget(fixed);
  controls->addWidget(reset);
  controls->addWidget(renew);

  navigation_box_ = new QCheckBox(QStringLiteral("Navigation (wheel, middle drag, right-drag window, double-click, keys)"), this);
  connect(navigation_box_, &QCheckBox::toggled, this, [this](bool on) { SetNavigation(on); });
  smooth_box_ = new QCheckBox(QStringLiteral("Anti-aliased"), this);
  connect(smooth_box_, &QCheckBox::toggled, this, [this](bool on) { SetAntialiased(on); });
  palette_box_ = new QCheckBox(QStringLiteral("Palette colours"), this);
  connect(palette_box_, &QCheckBox::toggled, this, [this](bool on) { SetPaletteColors(on); });
  legend_box_ = new QCheckBox(QStringLiteral("Legend"), this);
  connect(legend_box_, &QCheckBox::toggled, this, [this](bool on) { SetLegend(on); });
  auto* extras = new QHBoxLayout;
  for (QCheckBox* box : {navigation_box_, smooth_box_, palette_box_, legend_box_}) extras->addWidget(box);
  extras->addStretch(1);

  auto* charts = new QHBoxLayout;
  charts->setSpacing(6);
  charts->addWidget(linear_);
  charts->addWidget(log_);

  position_ = new QLabel(QStringLiteral("Move the mouse over a chart."), this);
  events_ = new QLabel(QStringLiteral("The right chart displays the left chart's items (UseDataOf)."), this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addLayout(extras);
  layout->addLayout(charts, 1);
  layout->addWidget(position_);
  layout->addWidget(events_);
}

void TDemoWindow::ConfigureLinearChart() {
  ConfigureAxes(linear_, QStringLiteral("Damped oscillation"));
  TCrossHair* marker = linear_->CrossHair1();
  marker->SetLayer(1);
  marker->SetMode(chBoth);
  marker->SetColor(clGreen);
  marker->SetLineType(psDash);
  marker->SetPosX(2);
  marker->SetPosY(std::exp(-1.0));
  TCrossHair* time = linear_->CrossHair2();
  time->SetLayer(1);
  time->SetMode(chVert);
  time->SetColor(clPurple);
  time->SetPosX(6);

  TTextLabel* note = linear_->TextLabel(1);
  note->SetCaption(QStringLiteral("1/e of the start"));
  note->SetAlignment(taLeftJustify);
  note->SetPosX(2.15);
  note->SetPosY(std::exp(-1.0) + 0.04);
  note->SetMode(tlBox);
  TTextLabel* loose = linear_->TextLabel(2);
  loose->SetAttachToData(false);
  loose->SetCaption(QStringLiteral("a label in pixels:\ndrag it in maDragLabel"));
  loose->SetPosX(linear_->LRim() + 230);
  loose->SetPosY(linear_->TRim() + 60);
  loose->SetColorBkg(clYellow);
  // Black on yellow under any theme: the window's text colour may be light.
  TFont on_yellow = loose->Font();
  on_yellow.Color = clBlack;
  loose->SetFont(on_yellow);
  loose->SetMode(tlShadow);
}

void TDemoWindow::ConfigureLogChart() {
  ConfigureAxes(log_, QStringLiteral("The same items, amplitude logarithmic"));
  log_->Scale1Y()->SetRange(0.002, 1.5);
  log_->Scale1Y()->SetLogarithmic(true);
  TTextLabel* note = log_->TextLabel(1);
  note->SetCaption(QStringLiteral("exp(-t/T): a straight line"));
  note->SetPosX(4.5);
  note->SetPosY(0.25);
  note->SetAlignment(taLeftJustify);
  note->SetMode(tlUnderline);
  note->SetTransparent(true);
  // One item list for both charts; each maps it through its own scales.
  log_->SetUseDataOf(linear_);
}

void TDemoWindow::ResetRanges() {
  for (TZephChart* chart : {linear_, log_}) {
    chart->Scale1X()->SetRange(0, 10);
    chart->Scale2Y()->SetRange(-1.2, 1.2);
  }
  linear_->Scale1Y()->SetRange(0, 1.2);
  log_->Scale1Y()->SetRange(0.002, 1.5);
}

void TDemoWindow::DrawCurves(TZephChart* chart, double rate) {
  // Curve objects, named for the legends; the chart sharing the list draws them as well.
  chart->RemoveCurves();
  // Layer 2: the oscillation, on the right-hand axis.
  chart->SetCurrentLayer(2);
  chart->SetDataColor(clMaroon);
  chart->SetLineWidth(1);
  TZephCurve oscillation = chart->AddCurve(QStringLiteral("x(t)"));
  for (int i = 0; i <= 600; ++i) {
    const double t = i / 60.0;
    oscillation.Append(t, std::exp(-rate * t) * std::cos(kTwoPi * t));
  }
  // Layer 1: its envelope, thick, and a mark every second.
  chart->SetCurrentLayer(1);
  chart->SetDataColor(clNavy);
  chart->SetLineWidth(2);
  TZephCurve envelope = chart->AddCurve(QStringLiteral("envelope exp(-t/T)"));
  for (int i = 0; i <= 200; ++i) {
    const double t = i / 20.0;
    envelope.Append(t, std::exp(-rate * t));
  }
  chart->SetLineWidth(1);
  chart->SetDataColor(clRed);
  chart->SetPenStyle(psClear);
  TZephCurve seconds = chart->AddCurve(QStringLiteral("every second"));
  chart->SetPenStyle(psSolid);
  seconds.SetMarkType(24);
  for (int t = 1; t <= 10; ++t) seconds.Append(t, std::exp(-rate * t));
  chart->ShowGraf();
}

void TDemoWindow::ReplaceDataFromLogChart() {
  // Whatever one chart of the group clears and appends, the other shows as well.
  rate_ = rate_ >= 0.85 ? 0.25 : rate_ + 0.15;
  DrawCurves(log_, rate_);
  Report(QStringLiteral("The right chart drew decay rate %1 / s; the left chart shows it too.").arg(rate_));
}

void TDemoWindow::SelectMouseMode(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kModes))) return;
  if (mode_box_->currentIndex() != index) mode_box_->setCurrentIndex(index);
  linear_->SetMouseAction(kModes[index].mode);
  log_->SetMouseAction(kModes[index].mode);
}

bool TDemoWindow::SetMouseMode(TMouseActMode mode) {
  for (int i = 0; i < static_cast<int>(std::size(kModes)); ++i) {
    if (kModes[i].mode == mode) {
      SelectMouseMode(i);
      return true;
    }
  }
  return false;
}

void TDemoWindow::SetNavigation(bool on) {
  navigation_box_->setChecked(on);
  for (TZephChart* chart : {linear_, log_}) chart->SetNavigation(on ? nvAll : nvNone);
}

void TDemoWindow::SetAntialiased(bool on) {
  smooth_box_->setChecked(on);
  for (TZephChart* chart : {linear_, log_}) chart->SetAntialiased(on);
}

void TDemoWindow::SetPaletteColors(bool on) {
  palette_box_->setChecked(on);
  for (TZephChart* chart : {linear_, log_}) chart->SetPaletteColors(on);
}

void TDemoWindow::SetLegend(bool on) {
  legend_box_->setChecked(on);
  for (TZephChart* chart : {linear_, log_}) chart->Legend()->SetVisible(on);
}

void TDemoWindow::Report(const QString& text) {
  if (events_) events_->setText(text);
  // Also on the terminal, so that a session can be followed (and checked) from outside.
  std::printf("%s\n", qPrintable(text));
  std::fflush(stdout);
}
