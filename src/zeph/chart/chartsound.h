#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

#include "zeph/chart/chart_export.h"
#include "zeph/chart/chartcurves.h"

namespace zeph {

class TCustomZephChart;

/// How a curve sounds: its x range is played over \c Seconds, its y value as a pitch between
/// \c LowHz (the bottom of the y axis) and \c HighHz (the top), with a short click at either end.
struct ZEPH_CHART_EXPORT TSoundSettings {
  int SampleRate = 22050;      ///< Samples per second.
  double Seconds = 2.0;        ///< Length of the tone from the first to the last point.
  double LowHz = 220;          ///< Pitch of the bottom of the y axis (and of values below it).
  double HighHz = 880;         ///< Pitch of the top of the y axis (and of values above it).
  double ClickSeconds = 0.005; ///< Length of the click before and after the tone.
};

/// A curve of \p chart as sound: 16-bit mono samples at \p settings.SampleRate.
///
/// Time follows the curve's x values as the chart places them on the screen (so a logarithmic x
/// axis plays evenly per decade) and pitch follows its y values the same way, rising by a factor
/// HighHz / LowHz from the bottom to the top of the axis; values outside the axis keep the pitch
/// of the axis end. The tone starts and ends with a click. A curve of one point gives a short
/// tone of its pitch.
ZEPH_CHART_EXPORT std::vector<std::int16_t> CurveSound(const TCustomZephChart& chart, const TChartCurve& curve,
                                                       const TSoundSettings& settings = {});

/// Silence of \p seconds at \p sample_rate, to put between the sounds of two curves.
ZEPH_CHART_EXPORT std::vector<std::int16_t> Silence(double seconds, int sample_rate);

/// The samples as the bytes of a WAV file (PCM, 16 bits, one channel).
ZEPH_CHART_EXPORT QByteArray WavBytes(const std::vector<std::int16_t>& samples, int sample_rate);

/// Writes the samples to a WAV file, put in place only when complete; an empty text when done,
/// else why not.
ZEPH_CHART_EXPORT QString WriteWavFile(const QString& file_name, const std::vector<std::int16_t>& samples,
                                       int sample_rate);

}  // namespace zeph
