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

/// The translation engine: a dictionary of keys and texts loaded from an itl language file.
///
/// It answers lookups with numbered arguments, translates whole forms whose texts begin with
/// "BF_", and, when asked to, writes an itl skeleton of the dictionary plus every key it lacked,
/// for translators.
///
/// Strings are 8-bit texts in the Windows-1252 code page; they become Qt strings only where they
/// are written into a form's properties. Letter case is compared ASCII only: 'A'..'Z' match
/// 'a'..'z', other bytes only themselves.
///
/// An itl file is a sequence of entries `[key]=text|$$`, one per line in the files the engine
/// writes; what stands between entries is ignored. In a text, `\n` stands for a line break,
/// \c <\%APPNAME%> for the application name and `<%1%>`, `<%2%>`, ... for the lookup's
/// arguments. Lookups never fail: a key the dictionary lacks yields the key itself, so a program
/// without any itl file shows its keys as its texts.
///
/// \code
/// zeph::TBabelfish2000 babelfish;
/// babelfish.LoadFromFile(QStringLiteral("sim.itl"));
/// babelfish.TranslateComponent(&mainWindow);  // "BF_Exit" becomes the text for "exit"
/// std::string text = babelfish.Translate("Saved", {"data.csv"});
/// \endcode
class ZEPH_TRANSLATION_EXPORT TBabelfish2000 {
 public:
  /// The type of OnTranslate: the engine, the key as it was looked up, and the found text, which
  /// the handler may change.
  using TTranslateEvent = std::function<void(TBabelfish2000* sender, const std::string& key, std::string& value)>;
  /// The type of OnTranslateObject: the engine, the object about to be translated, and the flag
  /// that the handler clears to skip that object.
  using TTranslateObjectEvent = std::function<void(TBabelfish2000* sender, QObject* obj, bool& doTranslate)>;

  /// Constructs an engine with an empty dictionary, key prefix "BF_", AutoCreateItlFile() off and
  /// both events unset.
  ///
  /// appName replaces \c <\%APPNAME%> in the texts loaded afterwards.
  explicit TBabelfish2000(std::string appName = {});
  /// Writes the itl skeleton when AutoCreateItlFile is set.
  ///
  /// A failure cannot leave a destructor; it is shown through the application's exception handler
  /// (TApplication::ShowException(); a program without a widget application gets a Qt warning).
  /// Call WriteItlFile() first to handle it.
  ~TBabelfish2000();
  TBabelfish2000(const TBabelfish2000&) = delete;
  TBabelfish2000& operator=(const TBabelfish2000&) = delete;

  /// Event raised after a successful lookup; the handler may change the text.
  ///
  /// Raised by Translate() when the dictionary holds the key, after the arguments have been
  /// substituted, with the engine, the key in the letter case it was asked for, and the text. It
  /// is not raised for keys the dictionary lacks. Unset by default; an unset event is skipped.
  TTranslateEvent OnTranslate;
  /// Event raised before an object's properties are translated; clearing doTranslate skips that
  /// object.
  ///
  /// Raised by TranslateObject() (and so for every component, collection item and scale-settings
  /// object a form translation reaches) with the engine, the object and a flag that is true. When
  /// the handler clears it, the object's own properties stay untouched; the components it owns are
  /// still visited by TranslateComponent(). Unset by default; an unset event is skipped.
  TTranslateObjectEvent OnTranslateObject;

  /// Replaces the dictionary by the entries the stream holds from its first byte on.
  ///
  /// Collected missing keys (NewEntries()) stay. The stream must be open for reading and
  /// random-access (a file or a buffer); the caller keeps it. Keys are stored in lower case with
  /// line breaks and tabs turned into spaces, runs of spaces shrunk to one and leading spaces
  /// removed; texts with line breaks of the file turned into spaces, `\n` into a line break and
  /// \c <\%APPNAME%> (any letter case) into AppName(). A last entry without its `|$$` is dropped;
  /// an entry without `]=` gets an empty key. The stream is read in blocks of 256 bytes.
  ///
  /// Throws EBabelfish when the stream is not readable, cannot be positioned or fails while it is
  /// read; the dictionary then stays as it was.
  void LoadFromStream(QIODevice& stream);
  /// Loads the itl file of that name. Returns false, changing nothing, when it cannot be opened.
  ///
  /// Otherwise as LoadFromStream(), whose EBabelfish it passes on.
  bool LoadFromFile(const QString& fileName);

  /// Sets value to the text for key (letter case ignored) with \c <\%n%> replaced by args[n-1], or to
  /// the key itself when the dictionary lacks it. Never fails.
  ///
  /// The key is only lower-cased for the lookup, not normalised further: a key with two spaces in a
  /// row is never found. When a key occurs twice in the file, the first entry wins. The arguments
  /// are substituted in order, ignoring letter case, the first argument's placeholder first; a
  /// placeholder that an earlier argument brought in is replaced by a later one. A found text then goes through OnTranslate.
  ///
  /// A missing key, while AutoCreateItlFile() is on, is collected as the entry `[key]=key|$$` in
  /// NewEntries() unless an entry equal to it apart from letter case is there already.
  /// \a value may be the very string \a key refers to.
  void Translate(std::string_view key, const std::vector<std::string>& args, std::string& value);
  /// Returns the text for \a key with the arguments \a args substituted; as the overload above.
  std::string Translate(std::string_view key, const std::vector<std::string>& args = {});

  /// Translates comp's marked texts and, depth first, those of everything comp owns.
  ///
  /// Runs TranslateObject() on \a comp, then TranslateComponent() on each child it owns in
  /// creation order. Option objects that a property of \a comp publishes (a chart's scale
  /// settings, cross-hairs, ...) are not components: only the property rules of
  /// TranslateProperty() decide whether they are entered. A text that has been translated no longer
  /// begins with "BF_", so a second run changes nothing. Does nothing for a null pointer.
  void TranslateComponent(QObject* comp);
  /// Translates obj's own properties (unless OnTranslateObject declines).
  ///
  /// Every property of the object's class and its base classes, in the order of its meta-object,
  /// goes through TranslateProperty(). An object already being translated further up (properties
  /// that refer to each other) is not entered again. Does nothing for a null pointer.
  void TranslateObject(QObject* obj);
  /// Translates one property of obj: a marked string, the marked lines of a string list, or the
  /// contents of a collection or of a chart scale's settings.
  ///
  /// - A \c QString property whose text begins with "BF_" (exact case) gets the translation of the
  ///   rest, written even when it is the same text. The properties \c objectName and \c Name, and
  ///   properties that are not writable or not stored, are left alone.
  /// - A \c QStringList property gets each line that begins with "BF_" replaced by the translation
  ///   of the rest; other lines stay.
  /// - A collection (a \c QObjectList property): TranslateObject() of each item.
  /// - A \c QObject pointer to a chart scale's settings (\c TScaleProps): TranslateObject() of it.
  ///   Other referenced objects (fonts, other components, ...) are not entered.
  /// - Properties of any other type are ignored.
  void TranslateProperty(QObject* obj, const QMetaProperty& property);

  /// The skeleton for translators: the collected missing keys, then the loaded dictionary, one
  /// entry per CR LF line, written to ItlFileName() in the current directory.
  ///
  /// Keys appear as stored (lower case, normalised) and texts in their expanded form: a line break
  /// is written as a raw LF inside the line, and so comes back as a space when the file is loaded.
  /// An existing file of that name is replaced.
  ///
  /// Raises EBabelfish when the file cannot be created or written.
  void WriteItlFile() const;
  /// The program's file name with its extension replaced by (or extended with) ".itl".
  ///
  /// Without a directory: "/opt/sim/varactor" gives "varactor.itl". See ItlPathFor().
  static QString ItlFileName();

  /// The text as stored at load, with this engine's AppName.
  ///
  /// CR and LF become spaces (not collapsed), a backslash followed by 'n' becomes one LF, and
  /// \c <\%APPNAME%> in any letter case becomes AppName().
  std::string ExpandValue(std::string_view value) const;

  /// Returns the dictionary's keys in file order, as stored (see LoadFromStream()); duplicates
  /// are kept.
  const std::vector<std::string>& Keys() const { return keys_; }
  /// Returns the dictionary's texts; entry \c i belongs to entry \c i of Keys().
  const std::vector<std::string>& Values() const { return values_; }
  /// Returns the itl lines collected for missing keys (see Translate()), in the order in which
  /// they were first looked up. Loading does not clear them.
  const std::vector<std::string>& NewEntries() const { return new_entries_; }
  /// Returns the marker that makes a form's text translatable: always "BF_".
  const std::string& KeyPrefix() const { return key_prefix_; }
  /// Returns the application name that replaces \c <\%APPNAME%> in loaded texts.
  const std::string& AppName() const { return app_name_; }
  /// Returns whether missing keys are collected and the skeleton is written when the engine is
  /// destroyed; default false.
  bool AutoCreateItlFile() const { return auto_create_itl_file_; }
  /// Sets AutoCreateItlFile(); can be changed at any time.
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
