#pragma once

#include <QString>

class TForm1;
namespace zeph {
class TBabelfish2000;
class TCustomZephChart;
}  // namespace zeph

// The charts' titles and axis captions in the window's language. Each caption is its own key in
// the language files, so that a dictionary without it (or none) leaves the English caption.
void TranslateChartCaptions(zeph::TCustomZephChart& chart, const zeph::TBabelfish2000* dictionary);

// The charts of a window made only for files, in the language of the file: such a window has no
// host component and so no dictionary of its own. An unreadable or malformed file leaves English
// and says why on standard error.
void TranslateChartsOnly(TForm1& form, const QString& language_file);
