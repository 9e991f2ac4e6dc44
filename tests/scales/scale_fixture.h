#pragma once

#include <QStringList>
#include <ostream>
#include <memory>
#include <vector>

#include "zeph/scales/scale.h"
#include "zeph/scales/scaleengine.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// A stand-alone scale of a known size, with its tick events collected.
struct TickEvent {
  double value;
  int x;
  int y;
};

class ScaleProbe {
 public:
  explicit ScaleProbe(zeph::TScaleType type = zeph::sctXB, int width = 400, int height = 400) : scale(new zeph::TScale) {
    scale->SetBounds(0, 0, width, height);
    scale->SetScaleType(type);
    scale->OnScaleTickDrawn = [this](QObject*, zeph::TCanvas&, zeph::TScaleType, double value, int x, int y) {
      events.push_back({value, x, y});
    };
  }

  // Paints once and returns the recorded tick list.
  std::vector<double> Render() {
    events.clear();
    scale->ForcePaint();
    std::vector<double> ticks;
    for (int i = 1; i <= scale->NumTicks(); ++i) ticks.push_back(scale->TickPos(i));
    return ticks;
  }

  std::vector<double> EventValues() const {
    std::vector<double> values;
    for (const TickEvent& e : events) values.push_back(e.value);
    return values;
  }

  std::unique_ptr<zeph::TScale> scale;
  std::vector<TickEvent> events;
};

// The label texts of the labelled ticks, in drawing order.
inline QStringList Labels(const zeph::ScaleLayout& layout) {
  QStringList labels;
  for (const zeph::TickMark& t : layout.ticks)
    if (t.labelled) labels << t.label;
  return labels;
}

inline QStringList LabelsOf(const zeph::TScale& s) { return Labels(zeph::BuildScaleLayout(s.LayoutSettings())); }

// Values of the long (labelled or labellable) ticks, in drawing order.
inline std::vector<double> LongTicks(const zeph::ScaleLayout& layout) {
  std::vector<double> values;
  for (const zeph::TickMark& t : layout.ticks)
    if (t.kind == zeph::TickKind::kLong) values.push_back(t.value);
  return values;
}
