#include "app/lesson/projectorlook.h"

#include <QSettings>
#include <cmath>

#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

constexpr double kTextGrowth = 1.5;

TFont Grown(TFont font) {
  font.Size = static_cast<int>(std::lround(font.Size * kTextGrowth));
  return font;
}

QSettings UserSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("varactor"), QStringLiteral("varactor"));
}

const QString kProjectorKey = QStringLiteral("look/projector");

}  // namespace

TProjectorLook::TProjectorLook(std::vector<TZephChart*> charts, QObject* parent) : QObject(parent) {
  for (TZephChart* chart : charts)
    designed_.push_back({chart, chart->GridColor(), chart->LRim(), chart->TRim(), chart->RRim(), chart->BRim(),
                         chart->CaptionPosY(), chart->Font(), chart->Scale1X()->Font(), chart->Scale1Y()->Font(),
                         chart->Scale1X()->CaptionPosY(), chart->Scale1Y()->CaptionPosY(), chart->LineWidth()});
}

void TProjectorLook::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  for (const TDesigned& d : designed_) {
    TZephChart& chart = *d.chart;
    // Larger text needs room: 1.5 times the rims' text, the captions moved out by as much.
    chart.SetGridColor(on ? kGridColor : d.grid);
    chart.SetLRim(on ? d.left + 20 : d.left);
    chart.SetTRim(on ? d.top + 30 : d.top);
    chart.SetRRim(on ? d.right + 14 : d.right);
    chart.SetBRim(on ? d.bottom + 20 : d.bottom);
    // The title goes above the y axis's caption, which no longer fits beside it.
    chart.SetCaptionPosY(on ? d.caption_y - 28 : d.caption_y);
    chart.SetFont(on ? Grown(d.font) : d.font);
    chart.Scale1X()->SetFont(on ? Grown(d.x_font) : d.x_font);
    chart.Scale1Y()->SetFont(on ? Grown(d.y_font) : d.y_font);
    chart.Scale1X()->SetCaptionPosY(on ? d.x_caption_y + 11 : d.x_caption_y);
    chart.Scale1Y()->SetCaptionPosY(on ? d.y_caption_y - 8 : d.y_caption_y);
    chart.SetLineWidth(on ? kCurveWidth : d.line_width);
  }
}

bool TProjectorLook::Remembered() { return UserSettings().value(kProjectorKey, false).toBool(); }

void TProjectorLook::Remember(bool on) {
  QSettings settings = UserSettings();
  settings.setValue(kProjectorKey, on);
  settings.sync();
  if (settings.status() != QSettings::NoError)
    qWarning("varactor: projector mode could not be remembered in %s", qPrintable(settings.fileName()));
}
