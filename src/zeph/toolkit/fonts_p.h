#pragma once

#include <QFont>
#include <QString>

namespace zeph {

// Maps the forms' font names ("MS Sans Serif", "Arial", "Courier New", ...) to the metric-compatible
// fonts Debian ships, so that text measures close to what the forms were designed with.
void RegisterFontSubstitutions();

// The family a font's text is laid out and drawn in on this machine (after substitution), followed
// by the generic family of its kind (sans-serif, serif or monospace), as a CSS font-family list:
// what a vector picture names, so that a viewer draws its text in the font it was measured in.
QString DrawnFamilies(const QFont& font);

}  // namespace zeph
