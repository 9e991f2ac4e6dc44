// Form translation: walks a component, everything it owns, and their properties, and replaces
// every text that begins with the key prefix by the dictionary's text for the rest of it.

#include <QList>
#include <QMetaProperty>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include "zeph/toolkit/ansi.h"
#include "zeph/translation/babelfish2000.h"
#include "zeph/translation/itltext_p.h"
#include "zeph/translation/publishedproperties_p.h"

namespace zeph {

namespace {

// Option objects (a chart's scale settings, cross-hairs, ...) are QObjects owned by their control
// and published through its properties. They are not components of their own: only the property
// rules decide whether they are entered.
bool IsOptionObjectOf(QObject* child, const QList<QObject*>& referenced) {
  return !child->isWidgetType() && referenced.contains(child);
}

}  // namespace

void TBabelfish2000::TranslateComponent(QObject* comp) {
  if (comp == nullptr) return;
  TranslateObject(comp);
  // Translating may change what a component owns; walk what it owned before, skipping whatever
  // has been destroyed meanwhile.
  const QList<QObject*> referenced = ReferencedObjects(comp);
  QList<QPointer<QObject>> owned;
  for (QObject* child : comp->children())
    if (!IsOptionObjectOf(child, referenced)) owned.append(child);
  for (const QPointer<QObject>& child : owned)
    if (child) TranslateComponent(child.data());
}

void TBabelfish2000::TranslateObject(QObject* obj) {
  // Objects whose properties refer to each other would otherwise be entered without end.
  if (obj == nullptr || objects_in_progress_.contains(obj)) return;
  bool doTranslate = true;
  if (OnTranslateObject) OnTranslateObject(this, obj, doTranslate);
  if (!doTranslate) return;
  objects_in_progress_.insert(obj);
  struct Done {
    QSet<const QObject*>& set;
    const QObject* obj;
    ~Done() { set.remove(obj); }
  } done{objects_in_progress_, obj};
  for (const QMetaProperty& property : PublishedProperties(obj)) TranslateProperty(obj, property);
}

void TBabelfish2000::TranslateProperty(QObject* obj, const QMetaProperty& property) {
  if (!property.isReadable()) return;

  if (IsStringProperty(property)) {
    // Names are never texts to show: the component's own (objectName) and any property called
    // "Name". Properties that are not stored only mirror another property that holds the text.
    if (qstrcmp(property.name(), "objectName") == 0 || qstrcmp(property.name(), "Name") == 0) return;
    if (!property.isWritable() || !property.isStored()) return;
    const std::string text = QStringToAnsi(property.read(obj).toString());
    if (!StartsWith(text, key_prefix_)) return;
    property.write(obj, AnsiToQString(Translate(std::string_view(text).substr(key_prefix_.size()))));
    return;
  }

  if (IsStringListProperty(property)) {
    if (!property.isWritable() || !property.isStored()) return;
    QStringList lines = property.read(obj).toStringList();
    bool changed = false;
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
      const std::string line = QStringToAnsi(lines[i]);
      if (!StartsWith(line, key_prefix_)) continue;
      lines[i] = AnsiToQString(Translate(std::string_view(line).substr(key_prefix_.size())));
      changed = true;
    }
    if (changed) property.write(obj, lines);
    return;
  }

  if (IsCollectionProperty(property)) {
    QList<QPointer<QObject>> items;
    for (QObject* item : property.read(obj).value<QObjectList>()) items.append(item);
    for (const QPointer<QObject>& item : items)
      if (item) TranslateObject(item.data());
    return;
  }

  if (IsObjectProperty(property)) {
    // Of the objects a property refers to, only a chart scale's settings hold captions of their
    // own; fonts, pens and other components are left alone.
    QObject* target = qvariant_cast<QObject*>(property.read(obj));
    if (target != nullptr && InheritsClassNamed(target, "TScaleProps")) TranslateObject(target);
  }
}

}  // namespace zeph
