#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// A multi-line text box whose text is a list of lines. Lines is the memo's stored text; plainText
// is redeclared as not stored, since it is only another view of the same lines, so that code
// walking the stored properties (form translation) handles each line on its own.
class ZEPH_TOOLKIT_EXPORT TMemo : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText STORED false USER true)
  Q_PROPERTY(QStringList Lines READ Lines WRITE SetLines)

 public:
  explicit TMemo(QWidget* parent = nullptr);

  // One entry per text line; an empty memo has no lines.
  QStringList Lines() const;
  // Replaces the whole text; a line that holds line breaks shows as several lines.
  void SetLines(const QStringList& lines);
};

}  // namespace zeph
