// The charts' titles and axis captions follow the window's language; English stays as it was.
#include <QFile>

#include "app/chartcaptions.h"
#include "forms_fixture.h"

using namespace zeph;

namespace {

QStringList Captions(const TForm1& form) {
  QStringList captions;
  for (const TZephChart* chart : {form.ZCNd, form.ZCCap})
    captions << chart->Caption() << chart->ScaleX(1)->Caption() << chart->ScaleY(1)->Caption();
  return captions;
}

const QStringList kEnglish{QStringLiteral("Impurity Concentration Profile"), QString::fromUtf8("d [µm]"),
                           QStringLiteral("ND * 10^16"), QStringLiteral("Capacitance of Varactor Diode"),
                           QStringLiteral("U [V]"), QStringLiteral("C [pF]")};
const QStringList kGerman{QStringLiteral("Dotierungsprofil"), QString::fromUtf8("d [µm]"), QStringLiteral("ND * 10^16"),
                          QString::fromUtf8("Kapazität der Kapazitätsdiode"), QStringLiteral("U [V]"),
                          QStringLiteral("C [pF]")};

QString LanguageFile(const char* name) {
  return qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QStringLiteral("/resources/") + QLatin1String(name);
}

using ChartCaptionsTest = FormsTest;

TEST_F(ChartCaptionsTest, TheWindowsChartsSpeakItsLanguage) {
  QFile german(LanguageFile("lggerman.itl"));
  ASSERT_TRUE(german.open(QIODevice::ReadOnly));
  WriteDictionary(german.readAll());
  EXPECT_EQ(Captions(form()), kGerman);
  // The spoken names follow: a screen reader calls the chart by its caption.
  EXPECT_EQ(form().ZCNd->accessibleName().isEmpty() ? form().ZCNd->Caption() : form().ZCNd->accessibleName(),
            kGerman[0]);
}

TEST(ChartCaptionsOnly, ChartsForFilesTakeTheLanguageFileAndKeepEnglishWithoutOne) {
  struct Case {
    QString file;
    QStringList captions;
  };
  for (const Case& c : {Case{LanguageFile("lggerman.itl"), kGerman}, Case{LanguageFile("english.itl"), kEnglish},
                        Case{QString(), kEnglish}, Case{LanguageFile("missing.itl"), kEnglish}}) {
    TForm1 form(nullptr, TFormRole::ChartsOnly);
    TranslateChartsOnly(form, LoadLanguageFile(c.file).get());
    EXPECT_EQ(Captions(form), c.captions) << c.file.toStdString();
  }
}

}  // namespace
