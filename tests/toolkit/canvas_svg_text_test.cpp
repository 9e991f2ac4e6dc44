#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QRegularExpression>
#include <QSvgGenerator>

#include "zeph/toolkit/tcanvas.h"

using namespace zeph;

// Text in an SVG names the family it was measured and drawn in (after the substitutions the
// application registers), and a generic family after it, so that a viewer lays it out in the same
// font.

namespace {

QString SvgWithText(const QString& font_name) {
  QBuffer data;
  data.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&data);
    svg.setSize(QSize(200, 50));
    TCanvas canvas(&svg, true);
    TFont font;
    font.Name = font_name;
    canvas.SetFont(font);
    canvas.TextOut(5, 5, QStringLiteral("10.0"));
    // A painter borrowed and restored keeps the named family for the next text.
    canvas.Painter().save();
    canvas.Painter().setFont(QFont(QStringLiteral("Sans Serif")));
    canvas.Painter().restore();
    canvas.TextOut(5, 25, QStringLiteral("20.0"));
  }
  return QString::fromUtf8(data.data());
}

TEST(CanvasSvgTextTest, TextNamesTheFamilyItIsDrawnInAndAGenericOne) {
  struct Case {
    const char* designed;
    const char* generic;
  };
  for (const Case& c : {Case{"MS Sans Serif", "sans-serif"}, Case{"Arial", "sans-serif"},
                        Case{"Times New Roman", "serif"}, Case{"Courier New", "monospace"}}) {
    SCOPED_TRACE(c.designed);
    TFont font;
    font.Name = QString::fromLatin1(c.designed);
    const QString drawn = QFontInfo(font.ToQFont()).family();
    ASSERT_NE(drawn, font.Name);  // a substitute: the designed fonts are not on this machine
    const QString svg = SvgWithText(font.Name);
    const QRegularExpression text(QStringLiteral("font-family=\"([^\"]+)\"[^<]*>\\s*<text[^>]*>([^<]*)<"));
    QStringList texts;
    for (auto it = text.globalMatch(svg); it.hasNext();) {
      const QRegularExpressionMatch m = it.next();
      EXPECT_EQ(m.captured(1), drawn + ", " + QLatin1String(c.generic));
      texts << m.captured(2);
    }
    EXPECT_EQ(texts, QStringList({"10.0", "20.0"}));
  }
}

}  // namespace
