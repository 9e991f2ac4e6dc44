// Curve objects: handles to the curves a chart's display list holds.
#include "zeph/chart/zephcurve.h"

#include <algorithm>
#include <string>

#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/itemlist.h"
#include "zeph/chart/itemstore.h"
#include "zeph/scales/zepherror.h"

namespace zeph {

TZephCurveData& TZephCurve::Data() const {
  const std::shared_ptr<TZephCurveData> data = data_.lock();
  if (!data) throw EZephChartError(std::string("The curve no longer exists"));
  // The list that holds the curve keeps it alive beyond this call.
  return *data;
}

void TZephCurve::Changed() const {
  if (TZephItemStore* store = Data().store) store->CurvesChanged();
}

QString TZephCurve::Name() const { return Data().name; }
void TZephCurve::SetName(const QString& value) {
  Data().name = value;
  Changed();
}
TColor TZephCurve::Color() const { return Data().color; }
void TZephCurve::SetColor(TColorArg value) {
  Data().color = value;
  Changed();
}
TPenStyle TZephCurve::PenStyle() const { return Data().pen_style; }
void TZephCurve::SetPenStyle(TPenStyle value) {
  Data().pen_style = value;
  Changed();
}
int TZephCurve::LineWidth() const { return Data().line_width; }
void TZephCurve::SetLineWidth(int value) {
  TZephCurveData& data = Data();
  if (value < 0 || value > 255) return;
  data.line_width = value;
  Changed();
}
int TZephCurve::MarkType() const { return Data().mark_type; }
void TZephCurve::SetMarkType(int value) {
  TZephCurveData& data = Data();
  if (value < kNoMark || value > 255) return;
  data.mark_type = value;
  Changed();
}
int TZephCurve::Layer() const { return Data().layer; }
void TZephCurve::SetLayer(int value) {
  TZephCurveData& data = Data();
  if (value < 1 || value > TZephItemStore::kLayerCount) return;
  data.layer = value;
  Changed();
}
bool TZephCurve::Visible() const { return Data().visible; }
void TZephCurve::SetVisible(bool value) {
  Data().visible = value;
  Changed();
}

std::size_t TZephCurve::Count() const { return Data().points.Count(); }

TZephItemPoint TZephCurve::Point(std::size_t index) const {
  const TZephCurveData& data = Data();
  if (index >= data.points.Count())
    throw EZephChartError("Point " + std::to_string(index) + " is beyond the curve's " +
                          std::to_string(data.points.Count()) + " points");
  return data.points.At(data.points.Begin() + index);
}

std::size_t TZephCurve::CopyPoints(std::size_t first, std::span<double> x, std::span<double> y) const {
  const TZephCurveData& data = Data();
  if (first > data.points.Count())
    throw EZephChartError("Point " + std::to_string(first) + " is beyond the curve's " +
                          std::to_string(data.points.Count()) + " points");
  const std::size_t n = std::min({x.size(), y.size(), data.points.Count() - first});
  std::size_t done = 0;
  while (done < n) {
    std::size_t available = 0;
    const TZephItemPoint* points = data.points.Contiguous(data.points.Begin() + first + done, available);
    const std::size_t take = std::min(available, n - done);
    for (std::size_t i = 0; i < take; ++i) {
      x[done + i] = points[i].X;
      y[done + i] = points[i].Y;
    }
    done += take;
  }
  return n;
}

bool TZephCurve::Ordered() const {
  TZephCurveData& data = Data();
  data.CatchUpIndex();
  return data.index.Ordered();
}

void TZephCurve::Append(double x, double y) {
  TZephCurveData& data = Data();
  data.points.Append(x, y);
  data.KeepHistory();
}

void TZephCurve::Append(std::span<const double> x, std::span<const double> y) {
  TZephCurveData& data = Data();
  if (x.size() != y.size())
    throw EZephChartError("Bulk input needs as many x values as y values, not " + std::to_string(x.size()) +
                          " and " + std::to_string(y.size()));
  // In pieces: the index takes in each piece while its points are still in the cache, not in a
  // second pass over all of them at the next paint; with a history limit, pieces no longer than the
  // limit keep the memory held bounded.
  constexpr std::size_t kPiece = 16384;
  const std::size_t piece = data.history_limit != 0 ? std::min(data.history_limit, kPiece) : kPiece;
  const std::size_t held = data.history_limit != 0 ? std::min(data.history_limit, x.size()) : x.size();
  data.points.Expect(held);
  data.index.Reserve(data.points.End() + held);
  for (std::size_t done = 0; done < x.size(); done += piece) {
    const std::size_t n = std::min(piece, x.size() - done);
    data.points.Append(x.data() + done, y.data() + done, n);
    data.KeepHistory();
    data.CatchUpIndex();
  }
}

void TZephCurve::DropOldest(std::size_t count) {
  TZephCurveData& data = Data();
  if (count > data.points.Count())
    throw EZephChartError("Cannot drop " + std::to_string(count) + " points from a curve of " +
                          std::to_string(data.points.Count()) + " points");
  data.DropOldest(count);
}

std::size_t TZephCurve::HistoryLimit() const { return Data().history_limit; }

void TZephCurve::SetHistoryLimit(std::size_t value) {
  TZephCurveData& data = Data();
  data.history_limit = value;
  data.KeepHistory();
}

void TZephCurve::Clear() {
  Data().ClearPoints();
  Changed();
}

void TZephCurve::Remove() {
  const std::shared_ptr<TZephCurveData> data = data_.lock();
  if (!data) throw EZephChartError(std::string("The curve no longer exists"));
  auto& curves = data->list->Curves();
  curves.erase(std::remove(curves.begin(), curves.end(), data), curves.end());
  if (TZephItemStore* store = data->store) store->CurvesChanged();
  // The list held the curve alone: with the last reference here, every handle becomes invalid.
  data_.reset();
}

}  // namespace zeph
