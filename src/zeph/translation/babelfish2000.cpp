#include "zeph/translation/babelfish2000.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "zeph/toolkit/safefile.h"
#include "zeph/toolkit/tapplication.h"
#include "zeph/translation/babelfisherror.h"
#include "zeph/translation/itlfilename.h"
#include "zeph/translation/itlstream_p.h"
#include "zeph/translation/itltext_p.h"

namespace zeph {

namespace {

constexpr std::string_view kEntryEnd = "|$$";

// Copy of count characters from the 1-based index on, clamped to the text: a count below 1 or an
// index past the end gives an empty text.
std::string CopyAt(const std::string& text, std::ptrdiff_t index, std::ptrdiff_t count) {
  const auto size = static_cast<std::ptrdiff_t>(text.size());
  index = std::max<std::ptrdiff_t>(index, 1);
  if (count < 1 || index > size) return {};
  return text.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(std::min(count, size - index + 1)));
}

// 1-based position of the first occurrence, 0 when there is none.
std::ptrdiff_t PosOf(const std::string& text, std::string_view what) {
  const std::size_t hit = text.find(what);
  return hit == std::string::npos ? 0 : static_cast<std::ptrdiff_t>(hit) + 1;
}

std::string EntryLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size() + 6);
  line.append("[").append(key).append("]=").append(value).append(kEntryEnd);
  return line;
}

}  // namespace

TBabelfish2000::TBabelfish2000(std::string appName) : app_name_(std::move(appName)) {}

TBabelfish2000::~TBabelfish2000() {
  if (!auto_create_itl_file_) return;
  try {
    WriteItlFile();
  } catch (const Exception& e) {
    const QString message = QString::fromStdString(e.Message());
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr)
      TApplication::ShowException(message);
    else
      qWarning("%s", qPrintable(message));
  }
}

void TBabelfish2000::LoadFromStream(QIODevice& stream) {
  if (!stream.isReadable()) throw EBabelfish(std::string("Stream read error: the stream is not open for reading"));
  if (stream.isSequential() || !stream.seek(0))
    throw EBabelfish(std::string("Stream read error: the stream cannot be positioned"));

  std::vector<std::string> keys;
  std::vector<std::string> values;
  for (TReadUntilResult entry = ReadUntil(stream, kEntryEnd); entry.Found; entry = ReadUntil(stream, kEntryEnd)) {
    // The same positions as the file format's reader has always used, malformed entries included:
    // no "]=" gives an empty key, no "[" a key from the chunk's first byte on.
    const std::string& chunk = entry.Chunk;
    const std::ptrdiff_t open = PosOf(chunk, "[");
    const std::ptrdiff_t assign = PosOf(chunk, "]=");
    const std::ptrdiff_t end = PosOf(chunk, kEntryEnd);
    keys.push_back(NormalizeKey(AsciiLowerCase(CopyAt(chunk, open + 1, assign - 1 - open))));
    values.push_back(ExpandValue(CopyAt(chunk, assign + 2, end - assign - 2)));
  }
  keys_ = std::move(keys);
  values_ = std::move(values);
}

bool TBabelfish2000::LoadFromFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return false;
  LoadFromStream(file);
  return true;
}

void TBabelfish2000::Translate(std::string_view key, const std::vector<std::string>& args, std::string& value) {
  // value may be the very string key looks at.
  const std::string ownKey(key);
  const std::string lookup = AsciiLowerCase(ownKey);
  const auto found = std::find(keys_.begin(), keys_.end(), lookup);
  const bool known = found != keys_.end();
  value = known ? values_[static_cast<std::size_t>(found - keys_.begin())] : ownKey;
  for (std::size_t n = 1; n <= args.size(); ++n) value = ReplaceText(value, ArgumentToken(n), args[n - 1], true);

  if (known) {
    if (OnTranslate) OnTranslate(this, ownKey, value);
    return;
  }
  if (!auto_create_itl_file_) return;
  std::string line = EntryLine(ownKey, ownKey);
  const bool collected = std::any_of(new_entries_.begin(), new_entries_.end(),
                                     [&line](const std::string& entry) { return SameTextAscii(entry, line); });
  if (!collected) new_entries_.push_back(std::move(line));
}

std::string TBabelfish2000::Translate(std::string_view key, const std::vector<std::string>& args) {
  std::string value;
  Translate(key, args, value);
  return value;
}

std::string TBabelfish2000::ExpandValue(std::string_view value) const { return zeph::ExpandValue(value, app_name_); }

QString TBabelfish2000::ItlFileName() { return ItlPathFor(QFileInfo(ExecutablePath()).fileName()); }

void TBabelfish2000::WriteItlFile() const {
  const QString fileName = ItlFileName();
  TSafeFile file(fileName);
  if (!file.open(QIODevice::WriteOnly))
    throw EBabelfish(QStringLiteral("Cannot create file \"%1\": %2").arg(fileName, file.errorString()));

  QByteArray contents;
  const auto append = [&contents](const std::string& line) {
    contents.append(line.data(), static_cast<qsizetype>(line.size()));
    contents.append("\r\n");
  };
  std::for_each(new_entries_.begin(), new_entries_.end(), append);
  for (std::size_t i = 0; i < keys_.size(); ++i) append(EntryLine(keys_[i], values_[i]));

  if (file.write(contents) != contents.size() || !file.commit())
    throw EBabelfish(QStringLiteral("Cannot write file \"%1\": %2").arg(fileName, file.errorString()));
}

}  // namespace zeph
