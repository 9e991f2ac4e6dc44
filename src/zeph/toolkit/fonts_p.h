#pragma once

namespace zeph {

// Maps the forms' font names ("MS Sans Serif", "Arial", "Courier New", ...) to the metric-compatible
// fonts Debian ships, so that text measures close to what the forms were designed with.
void RegisterFontSubstitutions();

}  // namespace zeph
