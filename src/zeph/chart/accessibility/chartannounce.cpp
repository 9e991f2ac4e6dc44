// Saying what just happened in a chart to assistive technology.
#include "zeph/chart/accessibility/chartaccessible_p.h"
#include "zeph/chart/chartannouncer.h"
#include "zeph/chart/zephchart.h"

namespace zeph {

namespace {

TChartAnnouncer& Announcer() {
  static TChartAnnouncer announcer;
  return announcer;
}

}  // namespace

void SetChartAnnouncer(TChartAnnouncer announcer) { Announcer() = std::move(announcer); }

void ChartAnnounce(TCustomZephChart* chart, const QString& words) {
  auto* face = dynamic_cast<TChartAccessible*>(QAccessible::queryAccessibleInterface(chart));
  if (face == nullptr || words.isEmpty()) return;
  face->SetAnnouncement(words);
  QAccessibleInterface* focused = face->Focused();
  if (Announcer()) {
    Announcer()(focused, words);
    return;
  }
  QAccessibleEvent changed(focused, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace zeph
