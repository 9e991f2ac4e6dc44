#pragma once

#include <QString>
#include <memory>

class TForm1;
namespace zeph {
class TBabelfish2000;
class TCustomZephChart;
}  // namespace zeph

// The charts' titles and axis captions in the window's language. Each caption is its own key in
// the language files, so that a dictionary without it (or none) leaves the English caption.
void TranslateChartCaptions(zeph::TCustomZephChart& chart, const zeph::TBabelfish2000* dictionary);

// The dictionary of a language file, for what is written without a window (which has no host
// component and so no dictionary of its own); none, so English, when no file is named or it is
// unreadable or malformed, which standard error then says.
std::unique_ptr<zeph::TBabelfish2000> LoadLanguageFile(const QString& language_file);

// The charts of a window made only for files, in the dictionary's language.
void TranslateChartsOnly(TForm1& form, const zeph::TBabelfish2000* dictionary);
