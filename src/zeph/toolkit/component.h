#pragma once

#include <QObject>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// Components read from a stored form description: while the form sets their stored values they
// are "loading", and when the whole form is built each gets its end-of-loading notification.
class ZEPH_TOOLKIT_EXPORT TComponentLoading {
 public:
  virtual ~TComponentLoading() = default;

  bool IsLoading() const { return loading_; }
  void BeginLoading() { loading_ = true; }
  // Ends loading and runs Loaded.
  void EndLoading();

  // Design time does not exist in a running program; kept so that the repaint rules read as
  // they are meant.
  bool IsDesigning() const { return false; }

 protected:
  // Runs once the form's stored values are all set.
  virtual void Loaded() {}

 private:
  bool loading_ = false;
};

// Marks every component under root (root included) as loading.
ZEPH_TOOLKIT_EXPORT void BeginFormLoading(QObject* root);
// Ends loading for every component under root, root first, then its children in creation order.
ZEPH_TOOLKIT_EXPORT void EndFormLoading(QObject* root);

// Refuses an assignment between components of classes that cannot take each other's settings:
// throws Exception "Cannot assign a SOURCE to a DEST", each named by its class without the
// namespace ("nil" for none).
[[noreturn]] ZEPH_TOOLKIT_EXPORT void ThrowCannotAssign(const QObject* source, const QObject* dest);

}  // namespace zeph
