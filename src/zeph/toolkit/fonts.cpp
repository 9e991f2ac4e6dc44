#include "zeph/toolkit/fonts_p.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace zeph {

void RegisterFontSubstitutions() {
  const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
  QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"), sans);
  QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
  QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                             {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
  QFont::insertSubstitutions(QStringLiteral("Courier New"),
                             {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
  QFont::insertSubstitutions(QStringLiteral("Symbol"), {QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Wingdings"), {QStringLiteral("DejaVu Sans")});
}

QString DrawnFamilies(const QFont& font) {
  const QFontInfo info(font);
  const QString family = info.family();
  QString generic = QStringLiteral("sans-serif");
  if (QFontDatabase::isFixedPitch(family, info.styleName()))
    generic = QStringLiteral("monospace");
  else if (family.contains(QLatin1String("Serif")) && !family.contains(QLatin1String("Sans")))
    generic = QStringLiteral("serif");
  return family + QStringLiteral(", ") + generic;
}

}  // namespace zeph
