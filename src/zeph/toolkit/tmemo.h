#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// A multi-line text box whose text is a list of lines.
///
/// Lines is the memo's stored text; plainText is redeclared as not stored, since it is only another
/// view of the same lines, so that code walking the stored properties (form translation) handles
/// each line on its own. Tab and Shift+Tab move the focus on instead of entering a tab.
class ZEPH_TOOLKIT_EXPORT TMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText STORED false USER true)
  Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)

 public:
  /// Constructs an empty memo.
  explicit TMemo(QWidget* parent = nullptr);

  /// Published property \c Lines: one entry per text line; an empty memo has no lines.
  QStringList Lines() const;
  /// Sets Lines(): replaces the whole text; a line that holds line breaks shows as several lines.
  void SetLines(const QStringList& lines);
};

}  // namespace zeph
