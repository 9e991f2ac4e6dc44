// Filling the chart's word templates and writing numbers as a reader says them.
#include "zeph/chart/charttexts.h"

#include <algorithm>
#include <cmath>

namespace zeph {

QString FillTemplate(const QString& text, const QStringList& values) {
  QString result;
  result.reserve(text.size() + 16 * values.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('%') && i + 1 < text.size() && text[i + 1].isDigit()) {
      const int n = text[i + 1].digitValue();
      if (n >= 1 && n <= values.size()) {
        result += values[n - 1];
        ++i;
        continue;
      }
    }
    result += c;
  }
  return result;
}

QString SpokenNumber(double value, const TChartTexts& texts) {
  QString digits;
  if (value == 0 || !std::isfinite(value)) {
    digits = QStringLiteral("0");
  } else {
    const auto magnitude = [](double v) { return static_cast<int>(std::floor(std::log10(std::abs(v)))); };
    // 9.9999 is read as 10.0: the digits are counted after rounding.
    const double unit = std::pow(10.0, magnitude(value) - 2);
    const double rounded = std::round(value / unit) * unit;
    digits = QString::number(rounded, 'f', std::max(0, 2 - magnitude(rounded)));
  }
  if (texts.DecimalSeparator != QLatin1String(".")) digits.replace(QLatin1Char('.'), texts.DecimalSeparator);
  return digits;
}

}  // namespace zeph
