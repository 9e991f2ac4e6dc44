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
// lays out only the lines it shows, and within a line it breaks an overlong word anywhere (but
// searching a whole long word for a break costs time that grows with the square of its length).
inline constexpr qsizetype kLongestUnbrokenWord = 4096;

// The text with its overlong words cut into lines; other text stays as it is.
QString BreakOverlongWords(const QString& text);
