#include "app/sonify.h"

#include "app/chartexport.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "zeph/chart/chartsound.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

QString SonifyCurves(TForm1& form, int position, const QString& file_name) {
  // The charts at the size they have in the designed window, where pitch and time are measured.
  const QSize size = DesignedChartsSize(form);
  form.ZCNd->SetBounds(0, 0, size.width() / 2, size.height());
  form.ZCCap->SetBounds(0, 0, size.width() - size.width() / 2, size.height());
  form.TBDistribution->SetPosition(position);
  form.CalculateCurves();
  const TSoundSettings settings;
  std::vector<std::int16_t> samples;
  for (const TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    if (!samples.empty()) {
      const std::vector<std::int16_t> pause = Silence(0.5, settings.SampleRate);
      samples.insert(samples.end(), pause.begin(), pause.end());
    }
    for (const TChartCurve& curve : ChartCurves(*chart)) {
      const std::vector<std::int16_t> sound = CurveSound(*chart, curve, settings);
      samples.insert(samples.end(), sound.begin(), sound.end());
    }
  }
  return OutputMessage(WriteWavFile(OutputFileName(file_name), samples, settings.SampleRate), file_name);
}
