#pragma once

#include <QObject>

// Components read from a stored form description: while the form sets their stored values they
// are "loading", and when the whole form is built each gets its end-of-loading notification.
class TComponentLoading {
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
void BeginFormLoading(QObject* root);
// Ends loading for every component under root, root first, then its children in creation order.
void EndFormLoading(QObject* root);
