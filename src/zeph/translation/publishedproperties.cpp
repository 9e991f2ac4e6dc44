#include "zeph/translation/publishedproperties_p.h"

#include <QObject>
#include <QVariant>
#include <string_view>

#include "zeph/toolkit/component.h"

namespace zeph {

QList<QMetaProperty> PublishedProperties(const QObject* obj) {
  QList<QMetaProperty> properties;
  const QMetaObject* meta = obj->metaObject();
  for (int i = 0; i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    if (meta->indexOfProperty(property.name()) == i) properties.append(property);
  }
  return properties;
}

bool IsStringProperty(const QMetaProperty& property) { return property.metaType() == QMetaType::fromType<QString>(); }

bool IsStringListProperty(const QMetaProperty& property) {
  return property.metaType() == QMetaType::fromType<QStringList>();
}

bool IsCollectionProperty(const QMetaProperty& property) {
  return property.metaType() == QMetaType::fromType<QObjectList>();
}

bool IsObjectProperty(const QMetaProperty& property) {
  return (property.metaType().flags() & QMetaType::PointerToQObject) != 0;
}

QList<QObject*> ReferencedObjects(QObject* obj) {
  QList<QObject*> objects;
  for (const QMetaProperty& property : PublishedProperties(obj)) {
    if (!property.isReadable()) continue;
    if (IsObjectProperty(property)) {
      if (QObject* target = qvariant_cast<QObject*>(property.read(obj))) objects.append(target);
    } else if (IsCollectionProperty(property)) {
      for (QObject* item : property.read(obj).value<QObjectList>())
        if (item != nullptr) objects.append(item);
    }
  }
  return objects;
}

bool InheritsClassNamed(const QObject* obj, const char* className) {
  const std::string_view wanted(className);
  for (const QMetaObject* meta = obj->metaObject(); meta != nullptr; meta = meta->superClass()) {
    if (ClassNameWithoutNamespace(meta) == wanted) return true;
  }
  return false;
}

}  // namespace zeph
