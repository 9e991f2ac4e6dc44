#pragma once

#include <QColor>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// The contrast ratio of two colours by the WCAG formula: (L1 + 0.05) / (L2 + 0.05) of their
/// relative luminances, the lighter first; 1 for equal colours, 21 for black on white.
ZEPH_TOOLKIT_EXPORT double ContrastRatio(const QColor& a, const QColor& b);

/// A colour for a focus indicator drawn over \p background: \p preferred when it stands out from
/// the background by at least 3:1, else black or white, whichever stands out more.
ZEPH_TOOLKIT_EXPORT QColor FocusIndicatorColor(const QColor& preferred, const QColor& background);

}  // namespace zeph
