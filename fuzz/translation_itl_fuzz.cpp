// Feeds arbitrary bytes to the itl loader through an in-memory stream and looks keys up: loading
// and lookups must neither crash nor read out of bounds nor allocate far beyond the input.
#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "zeph/translation/babelfish2000.h"

using namespace zeph;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer stream;
  stream.setData(bytes);
  stream.open(QIODevice::ReadOnly);

  TBabelfish2000 engine("Fuzz");
  engine.LoadFromStream(stream);
  if (engine.Keys().size() != engine.Values().size()) __builtin_trap();

  // Arguments and extra lookup keys come from the input's first bytes, so argument tokens in the
  // texts meet arguments that hold tokens themselves.
  const std::string head(bytes.constData(), static_cast<std::size_t>(std::min<qsizetype>(bytes.size(), 16)));
  const std::vector<std::string> args = {head, "<%2%>", "<%1%>x", ""};
  engine.SetAutoCreateItlFile(true);
  for (const std::string& key : std::vector<std::string>(engine.Keys())) {
    engine.Translate(key, args);
    engine.Translate(key + "?", {});
  }
  engine.Translate(head, args);
  engine.Translate("", args);
  // Nothing may be written to disk at destruction.
  engine.SetAutoCreateItlFile(false);
  return 0;
}
