#include "app/spokentexts.h"

#include "app/varactormodel.h"
#include "zeph/toolkit/ansi.h"
#include "zeph/translation/babelfish2000.h"

using namespace zeph;

QString Spoken(const TBabelfish2000* dictionary, const QString& english) {
  if (dictionary == nullptr) return english;
  // Lookups only read; the engine's interface is not const.
  return AnsiToQString(const_cast<TBabelfish2000*>(dictionary)->Translate(QStringToAnsi(english)));
}

QString GradingText(int position, const TBabelfish2000* dictionary) {
  const QString hyperabrupt = Spoken(dictionary, QStringLiteral("hyperabrupt"));
  const QString abrupt = Spoken(dictionary, QStringLiteral("abrupt"));
  const QString linear = Spoken(dictionary, QStringLiteral("linear"));
  QString words;
  if (position <= varactor::kSliderMin)
    words = hyperabrupt;
  else if (position < 0)
    words = FillTemplate(Spoken(dictionary, QStringLiteral("between %1 and %2")), {hyperabrupt, abrupt});
  else if (position == 0)
    words = abrupt;
  else if (position < varactor::kSliderMax)
    words = FillTemplate(Spoken(dictionary, QStringLiteral("between %1 and %2")), {abrupt, linear});
  else
    words = linear;
  return words + QStringLiteral(", ") + QString::number(position);
}

TChartTexts SpokenChartTexts(const TBabelfish2000* dictionary) {
  TChartTexts texts;
  for (QString* text :
       {&texts.DecimalSeparator, &texts.AxisRange, &texts.Logarithmic, &texts.NoCurve, &texts.Rises, &texts.Falls,
        &texts.Level, &texts.RisesThenFalls, &texts.FallsThenRises, &texts.Varies, &texts.Steepest, &texts.LevelsOff,
        &texts.Even, &texts.StartsAbove, &texts.StartsBelow, &texts.EndsAbove, &texts.EndsBelow, &texts.PassesAbove,
        &texts.PassesBelow, &texts.PointName, &texts.CurveNumber, &texts.CopyData, &texts.PlaySound})
    *text = Spoken(dictionary, *text);
  // What exploring a chart says beyond its points.
  for (QString* text : {&texts.FirstPoint, &texts.LastPoint, &texts.PointOf, &texts.OnlyCurve, &texts.KeyHint,
                        &texts.Help, &texts.TableName, &texts.Copied, &texts.Playing, &texts.NoSound})
    *text = Spoken(dictionary, *text);
  return texts;
}
