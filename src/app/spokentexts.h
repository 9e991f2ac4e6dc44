#pragma once

#include <QString>

#include "zeph/chart/charttexts.h"

namespace zeph {
class TBabelfish2000;
}  // namespace zeph

// The words the simulation speaks to assistive technology, from the dictionary. Each key is the
// English text itself, so that a dictionary without it (or none at all) gives English.

// A text of the dictionary by its English key; the English text without a dictionary.
QString Spoken(const zeph::TBabelfish2000* dictionary, const QString& english);

// The slider's position in words: "hyperabrupt, -1000", "between hyperabrupt and abrupt, -400",
// "abrupt, 0", "between abrupt and linear, 400", "linear, 1000".
QString GradingText(int position, const zeph::TBabelfish2000* dictionary);

// The charts' words (descriptions, point names, context menu) from the dictionary.
zeph::TChartTexts SpokenChartTexts(const zeph::TBabelfish2000* dictionary);
