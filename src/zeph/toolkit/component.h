#pragma once

#include <QObject>
#include <string_view>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// The loading state of a component read from a stored form description.
///
/// While the form sets their stored values, components are "loading", and when the whole form is
/// built each gets its end-of-loading notification, Loaded(). Controls such as the scale and the
/// chart derive from it (next to their \c QWidget base) and put off work that depends on several
/// properties until loading has ended. A component created in code is not loading; it needs no
/// BeginLoading() or EndLoading() unless its properties are set in one batch.
class ZEPH_TOOLKIT_EXPORT TComponentLoading {
 public:
  virtual ~TComponentLoading() = default;

  /// Returns whether the component is loading (between BeginLoading() and EndLoading()).
  bool IsLoading() const { return loading_; }
  /// Marks the component as loading.
  void BeginLoading() { loading_ = true; }
  /// Ends loading and runs Loaded.
  ///
  /// Loaded() runs even when the component was not loading.
  void EndLoading();

  /// Design time does not exist in a running program; kept so that the repaint rules read as
  /// they are meant.
  ///
  /// Always returns false.
  bool IsDesigning() const { return false; }

 protected:
  /// Runs once the form's stored values are all set.
  ///
  /// Called by EndLoading(), after IsLoading() has become false. The default does nothing;
  /// derived components bring their dependent state up to date here.
  virtual void Loaded() {}

 private:
  bool loading_ = false;
};

/// Marks every component under root (root included) as loading.
///
/// Walks \a root and all its descendants (\c QObject children); objects that are not a
/// TComponentLoading are passed over.
ZEPH_TOOLKIT_EXPORT void BeginFormLoading(QObject* root);
/// Ends loading for every component under root, root first, then its children in creation order.
///
/// The walk is depth first; every TComponentLoading that is loading gets
/// TComponentLoading::EndLoading() and with it its Loaded() notification. Components that are not
/// loading are left alone.
ZEPH_TOOLKIT_EXPORT void EndFormLoading(QObject* root);

/// The class name a meta-object gives, without its namespace ("TScale" for zeph::TScale): the
/// name stored forms, messages and translations use.
ZEPH_TOOLKIT_EXPORT std::string_view ClassNameWithoutNamespace(const QMetaObject* meta);

/// Refuses an assignment between components of classes that cannot take each other's settings.
///
/// Throws Exception "Cannot assign a SOURCE to a DEST", each named by its class without the
/// namespace ("nil" for none). Never returns.
[[noreturn]] ZEPH_TOOLKIT_EXPORT void ThrowCannotAssign(const QObject* source, const QObject* dest);

}  // namespace zeph
