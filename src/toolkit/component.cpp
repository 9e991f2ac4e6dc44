#include "toolkit/component.h"

void TComponentLoading::EndLoading() {
  loading_ = false;
  Loaded();
}

namespace {

template <typename Visit>
void Walk(QObject* object, const Visit& visit) {
  visit(object);
  // A copy: Loaded may create children of its own.
  const QObjectList children = object->children();
  for (QObject* child : children) Walk(child, visit);
}

}  // namespace

void BeginFormLoading(QObject* root) {
  Walk(root, [](QObject* o) {
    if (auto* c = dynamic_cast<TComponentLoading*>(o)) c->BeginLoading();
  });
}

void EndFormLoading(QObject* root) {
  Walk(root, [](QObject* o) {
    if (auto* c = dynamic_cast<TComponentLoading*>(o); c && c->IsLoading()) c->EndLoading();
  });
}
