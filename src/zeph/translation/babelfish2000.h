#pragma once

#include <QSet>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "zeph/translation/translation_export.h"

class QIODevice;
class QMetaProperty;
class QObject;

namespace zeph {

// The translation engine: a dictionary of keys and texts loaded from an itl language file, lookups
// with numbered arguments, translation of whole forms whose texts begin with "BF_", and an optional
// itl skeleton of the dictionary plus every key it lacked, written for translators.
//
// Strings are 8-bit texts in the Windows-1252 code page; they become Qt strings only where they
// are written into a form's properties.
class ZEPH_TRANSLATION_EXPORT TBabelfish2000 {
 public:
  // After a successful lookup; may change the text.
  using TTranslateEvent = std::function<void(TBabelfish2000* sender, const std::string& key, std::string& value)>;
  // Before an object's properties are translated; clearing doTranslate skips that object.
  using TTranslateObjectEvent = std::function<void(TBabelfish2000* sender, QObject* obj, bool& doTranslate)>;

  // appName replaces "<%APPNAME%>" in the texts loaded afterwards.
  explicit TBabelfish2000(std::string appName = {});
  // Writes the itl skeleton when AutoCreateItlFile is set. A failure cannot leave a destructor; it
  // is shown through the application's exception handler (call WriteItlFile first to handle it).
  ~TBabelfish2000();
  TBabelfish2000(const TBabelfish2000&) = delete;
  TBabelfish2000& operator=(const TBabelfish2000&) = delete;

  TTranslateEvent OnTranslate;
  TTranslateObjectEvent OnTranslateObject;

  // Replaces the dictionary by the entries the stream holds from its first byte on; collected
  // missing keys stay. The stream must be open for reading and random-access (a file or a
  // buffer). Read errors raise EBabelfish and leave the dictionary as it was.
  void LoadFromStream(QIODevice& stream);
  // Loads the itl file of that name. Returns false, changing nothing, when it cannot be opened.
  bool LoadFromFile(const QString& fileName);

  // Sets value to the text for key (letter case ignored) with "<%n%>" replaced by args[n-1], or to
  // the key itself when the dictionary lacks it. Never fails.
  void Translate(std::string_view key, const std::vector<std::string>& args, std::string& value);
  std::string Translate(std::string_view key, const std::vector<std::string>& args = {});

  // Translates comp's marked texts and, depth first, those of everything comp owns.
  void TranslateComponent(QObject* comp);
  // Translates obj's own properties (unless OnTranslateObject declines).
  void TranslateObject(QObject* obj);
  // Translates one property of obj: a marked string, the marked lines of a string list, or the
  // contents of a collection or of a chart scale's settings.
  void TranslateProperty(QObject* obj, const QMetaProperty& property);

  // The skeleton for translators: the collected missing keys, then the loaded dictionary, one
  // entry per CR LF line, written to ItlFileName() in the current directory. Raises EBabelfish
  // when the file cannot be created or written.
  void WriteItlFile() const;
  // The program's file name with its extension replaced by (or extended with) ".itl".
  static QString ItlFileName();

  // The text as stored at load: see ExpandValue in itltext.h, with this engine's AppName.
  std::string ExpandValue(std::string_view value) const;

  const std::vector<std::string>& Keys() const { return keys_; }
  const std::vector<std::string>& Values() const { return values_; }
  const std::vector<std::string>& NewEntries() const { return new_entries_; }
  const std::string& KeyPrefix() const { return key_prefix_; }
  const std::string& AppName() const { return app_name_; }
  bool AutoCreateItlFile() const { return auto_create_itl_file_; }
  void SetAutoCreateItlFile(bool value) { auto_create_itl_file_ = value; }

 private:
  std::vector<std::string> keys_;
  std::vector<std::string> values_;
  const std::string key_prefix_ = "BF_";
  std::vector<std::string> new_entries_;
  bool auto_create_itl_file_ = false;
  std::string app_name_;
  // Objects whose properties are being translated right now.
  QSet<const QObject*> objects_in_progress_;
};

}  // namespace zeph
