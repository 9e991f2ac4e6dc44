#pragma once

#include <QString>

class QWidget;

// Texts from a language file may be of any length. The window system takes a window's title only
// up to a size (a title of megabytes breaks the connection to an X server), so longer titles are
// cut, silently: nobody reads that far.
inline constexpr qsizetype kMaxWindowTitleLength = 4096;

// The title as far as a window can show it; never ends in half a character.
QString CutWindowTitle(const QString& title);

// Captions of buttons and labels stand on one line of a fixed size: what lies beyond this many
// characters is never seen, but measuring it would cost time at every repaint.
inline constexpr qsizetype kMaxCaptionLength = 4096;

// Cuts the captions of the buttons and labels on form (and of its own window) that are longer.
void CutLongCaptions(QWidget* form);

// Words longer than this are cut into pieces of this length, each on a line of its own: a text box
// breaks an overlong word anywhere, but searching a long word for a break costs time that grows
// with the square of its length, so that the layout of a text takes time in proportion to its
// length only while its words are short. Longer than any word of a language and than a line of
// the information text (about a hundred characters), and than most web addresses.
inline constexpr qsizetype kLongestUnbrokenWord = 256;

// The text with its overlong words cut into lines; other text stays as it is.
QString BreakOverlongWords(const QString& text);

// Lines (paragraphs) longer than this are broken at a space before it: a text box lays out each
// paragraph whole before it shows any of its lines, and only the paragraphs it shows. So the
// start with an information text of megabytes takes no longer than one of this size. Some
// hundred lines of the information text, which shows three.
inline constexpr qsizetype kLongestUnbrokenLine = 16384;

// The text with every line longer than kLongestUnbrokenLine broken at its last space (or other
// white space) before the limit, and with the rest of the line treated alike; a line without
// such a space stays (BreakOverlongWords() leaves none longer than a word). Other text stays as it
// is.
QString BreakOverlongLines(const QString& text);
