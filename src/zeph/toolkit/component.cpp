#include "zeph/toolkit/component.h"

#include <QString>
#include <string_view>

#include "zeph/toolkit/exception.h"

namespace zeph {

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

namespace {

QString ClassNameOf(const QObject* object) {
  if (object == nullptr) return QStringLiteral("nil");
  const std::string_view name = ClassNameWithoutNamespace(object->metaObject());
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

std::string_view ClassNameWithoutNamespace(const QMetaObject* meta) {
  std::string_view name(meta->className());
  if (const std::size_t scope = name.rfind("::"); scope != std::string_view::npos) name.remove_prefix(scope + 2);
  return name;
}

void ThrowCannotAssign(const QObject* source, const QObject* dest) {
  throw Exception(QStringLiteral("Cannot assign a %1 to a %2").arg(ClassNameOf(source), ClassNameOf(dest)));
}

}  // namespace zeph
