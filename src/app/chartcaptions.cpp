#include "app/chartcaptions.h"

#include <cstdio>
#include <exception>

#include "app/mainfrm.h"
#include "app/spokentexts.h"
#include "zeph/chart/zephchart.h"
#include "zeph/translation/babelfish2000.h"

using namespace zeph;

void TranslateChartCaptions(TCustomZephChart& chart, const TBabelfish2000* dictionary) {
  chart.SetCaption(Spoken(dictionary, chart.Caption()));
  for (TScaleProps* scale : {static_cast<TScaleProps*>(chart.Scale1X()), static_cast<TScaleProps*>(chart.Scale1Y())})
    scale->SetCaption(Spoken(dictionary, scale->Caption()));
}

std::unique_ptr<TBabelfish2000> LoadLanguageFile(const QString& language_file) {
  if (language_file.isEmpty()) return nullptr;
  auto dictionary = std::make_unique<TBabelfish2000>();
  try {
    if (dictionary->LoadFromFile(language_file)) return dictionary;
    std::fprintf(stderr, "varactor: %s could not be read: the charts stay in English\n", qPrintable(language_file));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "varactor: %s: the charts stay in English\n", error.what());
  }
  return nullptr;
}

void TranslateChartsOnly(TForm1& form, const TBabelfish2000* dictionary) {
  for (TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    TranslateChartCaptions(*chart, dictionary);
    chart->SetTexts(SpokenChartTexts(dictionary));
  }
}
