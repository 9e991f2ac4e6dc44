#include "zeph/chart/bakgndimg.h"

namespace zeph {

namespace {

// The name after the last directory separator of either kind, as stored forms may come from
// another system.
QString FilePart(const QString& path) {
  const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
  return cut < 0 ? path : path.mid(cut + 1);
}

}  // namespace

void TBakGndImg::SetName(const QString& value) {
  name_ = include_path_ ? value : FilePart(value);
  Changed();
}

void TBakGndImg::SetIncludePath(bool value) {
  include_path_ = value;
  if (!include_path_) name_ = FilePart(name_);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill value) {
  fill_mode_ = value;
  Changed();
}

}  // namespace zeph
