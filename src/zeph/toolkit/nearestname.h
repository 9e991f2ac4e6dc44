#pragma once

#include <QString>
#include <QStringList>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// The number of single-character edits (insert, delete, replace, swap two neighbours) that turn
/// one text into the other; letter case counts.
ZEPH_TOOLKIT_EXPORT int EditDistance(const QString& from, const QString& to);

/// The candidate closest to name by EditDistance, where a name that is a cut-short candidate
/// counts as one edit away; the first of equally close ones, empty when there are no candidates.
///
/// Used to suggest the option a user meant: "scre" is nearest to "screenshot".
ZEPH_TOOLKIT_EXPORT QString NearestName(const QString& name, const QStringList& candidates);

}  // namespace zeph
