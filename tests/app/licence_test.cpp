// One licence everywhere: the licence file, the Debian copyright file, the AppStream metainfo and
// the about box's notice in both shipped languages all say MIT.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "app/aboutbox.h"
#include "app/controls/tlabel.h"
#include "zeph/translation/babelfish2000.h"

namespace {

QString SourceFile(const QString& name) {
  QFile file(qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QLatin1Char('/') + name);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return QString::fromUtf8(file.readAll());
}

TEST(LicenceTest, PackageMetainfoAndAboutBoxAllSayMit) {
  const QString licence = SourceFile(QStringLiteral("LICENSE"));
  EXPECT_TRUE(licence.startsWith(QStringLiteral("MIT License\n")));
  const QString copyright = SourceFile(QStringLiteral("packaging/copyright"));
  // Machine-readable: the files' stanza names the licence, and a stanza of its own holds its text.
  EXPECT_TRUE(copyright.startsWith(
      QStringLiteral("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")));
  const QRegularExpression mit(QStringLiteral("^License: MIT$"), QRegularExpression::MultilineOption);
  EXPECT_EQ(copyright.count(mit), 2);
  EXPECT_TRUE(copyright.contains(QStringLiteral(" Permission is hereby granted, free of charge,")));
  EXPECT_FALSE(copyright.contains(QStringLiteral("reserved")));
  EXPECT_TRUE(SourceFile(QStringLiteral("resources/desktop/org.example.varactor.metainfo.xml"))
                  .contains(QStringLiteral("<project_license>MIT</project_license>")));

  struct Notice {
    QString language_file;
    QString text;
  };
  const QString english = QStringLiteral("Free software under the MIT licence");
  for (const Notice& n : {Notice{QStringLiteral("resources/english.itl"), english},
                          Notice{QStringLiteral("resources/lggerman.itl"),
                                 QStringLiteral("Freie Software unter der MIT-Lizenz")},
                          Notice{QString(), english}}) {
    TFrmAbout about;
    zeph::TBabelfish2000 dictionary;
    if (!n.language_file.isEmpty()) {
      const QString file = qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QLatin1Char('/') + n.language_file;
      ASSERT_TRUE(dictionary.LoadFromFile(file));
    }
    dictionary.TranslateComponent(&about);
    EXPECT_EQ(about.LblCopyright->text(), n.text) << n.language_file.toStdString();
    EXPECT_FALSE(about.LblAuthor->text().isEmpty());
  }
}

}  // namespace
