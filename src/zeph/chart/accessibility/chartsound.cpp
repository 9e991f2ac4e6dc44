// A chart's curve as sound, and the WAV file that holds it.
#include "zeph/chart/chartsound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/safefile.h"

namespace zeph {

namespace {

constexpr double kAmplitude = 0.35 * 32767;
constexpr double kClickAmplitude = 0.8 * 32767;
// The tone fades in and out over this much, so that only the clicks click.
constexpr double kFadeSeconds = 0.01;

void AppendClick(std::vector<std::int16_t>& samples, const TSoundSettings& settings) {
  const int count = std::max(1, static_cast<int>(settings.ClickSeconds * settings.SampleRate));
  // A square burst at 1 kHz: heard as a click, not as a tone.
  const int half_period = std::max(1, settings.SampleRate / 2000);
  for (int i = 0; i < count; ++i)
    samples.push_back(static_cast<std::int16_t>((i / half_period) % 2 == 0 ? kClickAmplitude : -kClickAmplitude));
}

void AppendLittleEndian(QByteArray& bytes, quint32 value, int size) {
  for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

}  // namespace

std::vector<std::int16_t> CurveSound(const TCustomZephChart& chart, const TChartCurve& curve,
                                     const TSoundSettings& settings) {
  std::vector<std::int16_t> samples;
  if (curve.Points.empty() || settings.SampleRate <= 0) return samples;
  // The points where the screen shows them: time runs along the columns, pitch up the rows.
  std::vector<QPointF> pixels;
  pixels.reserve(curve.Points.size());
  for (const QPointF& p : curve.Points) pixels.push_back(chart.WorldToPixelF(curve.Layer, p.x(), p.y()));
  const double top = chart.TRim();
  const double bottom = chart.TRim() + std::max(chart.ChartHeight(), 1);
  const auto pitch = [&](double row) {
    const double height = std::clamp((bottom - row) / (bottom - top), 0.0, 1.0);
    return settings.LowHz * std::pow(settings.HighHz / settings.LowHz, height);
  };
  const double first_column = pixels.front().x();
  const double span = pixels.back().x() - first_column;

  AppendClick(samples, settings);
  const int count = std::max(1, static_cast<int>(settings.Seconds * settings.SampleRate));
  const int fade = std::max(1, static_cast<int>(kFadeSeconds * settings.SampleRate));
  double phase = 0;
  std::size_t segment = 0;
  for (int i = 0; i < count; ++i) {
    const double t = count > 1 ? static_cast<double>(i) / (count - 1) : 0;
    double row = pixels.front().y();
    if (pixels.size() > 1 && span != 0) {
      const double column = first_column + t * span;
      // The segment holding the column, found by walking on: columns grow with time.
      const auto before = [&](std::size_t k) { return (pixels[k + 1].x() - column) * (span > 0 ? 1 : -1) < 0; };
      while (segment + 2 < pixels.size() && before(segment)) ++segment;
      const QPointF a = pixels[segment];
      const QPointF b = pixels[segment + 1];
      const double f = b.x() != a.x() ? std::clamp((column - a.x()) / (b.x() - a.x()), 0.0, 1.0) : 1.0;
      row = a.y() + f * (b.y() - a.y());
    }
    phase += 2 * std::numbers::pi * pitch(row) / settings.SampleRate;
    const double envelope = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(count - 1 - i) / fade});
    samples.push_back(static_cast<std::int16_t>(std::lround(kAmplitude * envelope * std::sin(phase))));
  }
  AppendClick(samples, settings);
  return samples;
}

std::vector<std::int16_t> Silence(double seconds, int sample_rate) {
  return std::vector<std::int16_t>(static_cast<std::size_t>(std::max(0.0, seconds * sample_rate)), 0);
}

QByteArray WavBytes(const std::vector<std::int16_t>& samples, int sample_rate) {
  const auto data_size = static_cast<quint32>(samples.size() * 2);
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(44 + data_size));
  bytes.append("RIFF");
  AppendLittleEndian(bytes, 36 + data_size, 4);
  bytes.append("WAVEfmt ");
  AppendLittleEndian(bytes, 16, 4);                                     // format chunk size
  AppendLittleEndian(bytes, 1, 2);                                      // PCM
  AppendLittleEndian(bytes, 1, 2);                                      // one channel
  AppendLittleEndian(bytes, static_cast<quint32>(sample_rate), 4);
  AppendLittleEndian(bytes, static_cast<quint32>(sample_rate) * 2, 4);  // bytes per second
  AppendLittleEndian(bytes, 2, 2);                                      // bytes per frame
  AppendLittleEndian(bytes, 16, 2);                                     // bits per sample
  bytes.append("data");
  AppendLittleEndian(bytes, data_size, 4);
  for (const std::int16_t s : samples) AppendLittleEndian(bytes, static_cast<quint16>(s), 2);
  return bytes;
}

QString WriteWavFile(const QString& file_name, const std::vector<std::int16_t>& samples, int sample_rate) {
  // Written beside and then put in place: an interrupted run leaves the old file, not half a new one.
  const QString error = WriteFileSafely(file_name, WavBytes(samples, sample_rate));
  return error.isEmpty() ? QString() : QStringLiteral("cannot write '%1': %2").arg(file_name, error);
}

}  // namespace zeph
