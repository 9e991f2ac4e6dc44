#include "zeph/toolkit/fonts_p.h"

#include <QFont>
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

}  // namespace zeph
