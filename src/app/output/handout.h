#pragma once

#include <QString>
#include <vector>

namespace zeph {
class TBabelfish2000;
}  // namespace zeph

// A one-page A4 handout of a grading for the class, in the dictionary's language (English
// without one): a title with the grading, both charts as vectors on white with any kept
// gradings, the two laws, a small table of values, and the program's name and version at the
// foot.
struct THandout {
  int position = 0;
  std::vector<int> kept;
  const zeph::TBabelfish2000* dictionary = nullptr;
};

// A4 portrait in points.
inline constexpr int kHandoutWidth = 595;
inline constexpr int kHandoutHeight = 842;

// The voltages and depths the handout's table gives values at.
inline constexpr double kHandoutVoltages[] = {0.1, 1, 10};
inline constexpr double kHandoutDepths[] = {0.01, 1, 3};

// Writes the handout as a PDF: completely or not at all, the old file kept on failure, "-" to
// standard output. Empty on success, else a one-line reason.
QString WriteHandout(const THandout& handout, const QString& file_name);

// The title of the handout: "Varactor Diode: m = 0.4 (between abrupt and linear, 400)".
QString HandoutTitle(const THandout& handout);
