#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// What the program was asked to do by its own options. The host's arguments (those beginning
// with "/" and all after one, words that are no option, single-dash options the program does not
// know, all after "--") are left alone; an unknown "--" option before them is an error.
struct TCommandLine {
  bool help = false;
  bool version = false;
  // The projector's look for the window and renders (--projector).
  bool projector = false;
  // Draw the charts into an image or PDF file, and/or write the curves as CSV; "-" is standard
  // output.
  QString render_file;
  QString csv_file;
  // Write the sound of both curves as a WAV file (--sonify).
  QString sonify_file;
  // Write an A4 handout of the grading as a PDF (--handout).
  QString handout_file;
  // The slider position of the files, and the one the window opens at.
  int position = 0;
  // The slider positions of the curves kept beside the current ones (--keep).
  std::vector<int> keep;
  // The size of the rendered image; unset means the charts' size in the designed window.
  std::optional<QSize> size;
  // The format of the rendered file (--format, lower case); empty: the one its extension names.
  QString format;
  // Device pixels per pixel of the rendered image (--scale).
  double scale = 1;
  // --language: a language name or an itl file, used when no other language file comes first.
  QString language;
  // Set when an option of the program has a bad value; nothing else is meaningful then.
  QString error;

  bool Batch() const {
    return !render_file.isEmpty() || !csv_file.isEmpty() || !sonify_file.isEmpty() || !handout_file.isEmpty();
  }
  // Whether the program runs without its window (and so without needing a display).
  bool Windowless() const { return help || version || Batch(); }
};

inline constexpr int kMaxRenderExtent = 8192;
inline constexpr double kMinRenderScale = 1;
inline constexpr double kMaxRenderScale = 4;

// Reads the program's options from the arguments (the first is the program itself).
TCommandLine ParseCommandLine(const QStringList& arguments);

// The --help text.
QString CommandLineHelp();
