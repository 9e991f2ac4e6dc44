// Feeds arbitrary ranges and settings to the scale layouts: every layout must end, stay small and
// keep numeric labels within their 14 characters; the text helpers must take any input.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "zeph/scales/scaleengine.h"
#include "zeph/scales/scalemap.h"
#include "zeph/scales/scalemath_p.h"

using namespace zeph;

namespace {

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    if (pos_ + sizeof(T) <= size_) {
      std::memcpy(&value, data_ + pos_, sizeof(T));
      pos_ += sizeof(T);
    }
    return value;
  }

  QString Rest() {
    const auto* chars = reinterpret_cast<const char*>(data_ + pos_);
    return QString::fromLatin1(chars, static_cast<qsizetype>(size_ - pos_));
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in(data, size);
  ScaleLayoutSettings s;
  s.geometry.range_low = in.Take<double>();
  s.geometry.range_high = in.Take<double>();
  // The scale never stores equal or non-finite range ends.
  if (!std::isfinite(s.geometry.range_low) || !std::isfinite(s.geometry.range_high) ||
      s.geometry.range_low == s.geometry.range_high)
    return 0;
  const auto flags = in.Take<std::uint8_t>();
  s.geometry.type = static_cast<TScaleType>(flags & 3);
  s.geometry.logarithmic = (flags & 4) && s.geometry.range_low > 0 && s.geometry.range_high > 0;
  s.short_ticks = (flags & 8) != 0;
  s.label_type = static_cast<TFigType>((flags >> 4) % 5);
  s.min_ticks = 2 + in.Take<std::uint8_t>() % 9;
  s.dec_places = -3 + in.Take<std::uint8_t>() % 16;
  s.geometry.width = in.Take<std::uint16_t>() % 4000;
  s.geometry.height = in.Take<std::uint16_t>() % 4000;
  s.date_format.date_order = static_cast<TDateOrder>(in.Take<std::uint8_t>() % 3);
  s.date_format.time_format = static_cast<TTimeFormat>(in.Take<std::uint8_t>() % 3);
  s.date_format.date_for_time = static_cast<TDateForTime>(in.Take<std::uint8_t>() % 4);
  s.user_tick_text = in.Rest();

  const ScaleLayout layout = BuildScaleLayout(s);
  if (layout.ticks.size() > 10000) std::abort();
  if (s.label_type == ftNum)
    for (const TickMark& t : layout.ticks)
      if (t.label.size() > 14) std::abort();

  ScaleMap map;
  CalcScaleFactor(s.geometry, map);
  for (const TickMark& t : layout.ticks) ValueToPixel(s.geometry, map, t.value);

  for (int n = -1; n < 4; ++n) UserTickField(s.user_tick_text, n);
  ApplyScaleInscript(QStringLiteral("1.5"), s.user_tick_text);
  FormatTickValue(1, s.dec_places, s.geometry.range_low);
  return 0;
}
