#include <gtest/gtest.h>

#include "app/commandline.h"

namespace {

TCommandLine Parse(QStringList arguments) {
  arguments.prepend(QStringLiteral("varactor"));
  return ParseCommandLine(arguments);
}

TEST(CommandLineTest, NoOptionsStartsTheSimulation) {
  const TCommandLine c = Parse({});
  EXPECT_TRUE(c.error.isEmpty());
  EXPECT_FALSE(c.Windowless());
  EXPECT_FALSE(c.Batch());
}

TEST(CommandLineTest, HostParametersAndForeignOptionsAreLeftAlone) {
  const TCommandLine c = Parse({"/serverhandle=4711", "--foo", "-x", "--bar=baz", "lesson.dat", "-"});
  EXPECT_TRUE(c.error.isEmpty()) << c.error.toStdString();
  EXPECT_FALSE(c.Windowless());

  const TCommandLine mixed = Parse({"/serverhandle=1", "--render", "out.png", "--unknown", "value", "-q"});
  EXPECT_TRUE(mixed.error.isEmpty()) << mixed.error.toStdString();
  EXPECT_EQ(mixed.render_file, "out.png");

  // Words, single-dash options and everything after "--" are the host's too.
  const TCommandLine words = Parse({"lesson.dat", "-q", "--", "--anything", "--render"});
  EXPECT_TRUE(words.error.isEmpty()) << words.error.toStdString();
  EXPECT_FALSE(words.Windowless());
}

TEST(CommandLineTest, UnknownOptionIsAnErrorNamingTheNearest) {
  const TCommandLine typo = Parse({"--rendr", "x.png"});
  EXPECT_EQ(typo.error, "unknown option '--rendr'; did you mean '--render'? (see varactor --help)");
  EXPECT_TRUE(Parse({"--export-cvs=a.csv"}).error.contains("'--export-csv'"));
  EXPECT_TRUE(Parse({"--lang", "german"}).error.contains("'--language'"));
  EXPECT_TRUE(Parse({"--verbose"}).error.contains("'--version'"));
  // Reported even when a host argument follows it: it came before the host's part.
  EXPECT_FALSE(Parse({"--positon", "5", "/serverhandle=1"}).error.isEmpty());
}

TEST(CommandLineTest, LanguageTakesANameOrAFile) {
  EXPECT_EQ(Parse({"--language", "german"}).language, "german");
  EXPECT_EQ(Parse({"--language=/tmp/my.itl"}).language, "/tmp/my.itl");
  EXPECT_FALSE(Parse({"--language", "german"}).Windowless());
  EXPECT_TRUE(Parse({}).language.isEmpty());
  EXPECT_FALSE(Parse({"--language="}).error.isEmpty());
  EXPECT_FALSE(Parse({"--language"}).error.isEmpty());
}

TEST(CommandLineTest, RenderAndExportTakeTheirValues) {
  const TCommandLine c = Parse({"--render", "charts.pdf", "--position", "-1000", "--size", "1200x500",
                                "--export-csv=curves.csv"});
  ASSERT_TRUE(c.error.isEmpty()) << c.error.toStdString();
  EXPECT_TRUE(c.Batch());
  EXPECT_TRUE(c.Windowless());
  EXPECT_EQ(c.render_file, "charts.pdf");
  EXPECT_EQ(c.csv_file, "curves.csv");
  EXPECT_EQ(c.position, -1000);
  ASSERT_TRUE(c.size.has_value());
  EXPECT_EQ(*c.size, QSize(1200, 500));

  const TCommandLine single_dash = Parse({"-render=a.png", "-position=1000"});
  ASSERT_TRUE(single_dash.error.isEmpty()) << single_dash.error.toStdString();
  EXPECT_EQ(single_dash.render_file, "a.png");
  EXPECT_EQ(single_dash.position, 1000);
  EXPECT_FALSE(single_dash.size.has_value());
  EXPECT_EQ(Parse({"--export-csv", "c.csv"}).position, 0);
  // With the window: it opens at that grading.
  const TCommandLine window = Parse({"--position", "-300"});
  EXPECT_TRUE(window.error.isEmpty()) << window.error.toStdString();
  EXPECT_FALSE(window.Batch());
  EXPECT_EQ(window.position, -300);
  EXPECT_EQ(c.scale, 1);
  // Standard output for the curves.
  EXPECT_EQ(Parse({"--export-csv", "-"}).csv_file, "-");
}

TEST(CommandLineTest, ScaleMultipliesTheImagesPixels) {
  EXPECT_EQ(Parse({"--render", "a.png", "--scale", "1.5"}).scale, 1.5);
  EXPECT_EQ(Parse({"--render", "a.png", "--scale=4"}).scale, 4);
  EXPECT_EQ(Parse({"--render", "a", "--scale", "2"}).scale, 2);
  EXPECT_TRUE(CommandLineHelp().contains("--scale"));
}

TEST(CommandLineTest, HelpAndVersionNeedNoWindow) {
  EXPECT_TRUE(Parse({"--help"}).help);
  EXPECT_TRUE(Parse({"-h"}).help);
  EXPECT_TRUE(Parse({"--version"}).version);
  EXPECT_TRUE(Parse({"-v"}).Windowless());
  const QString help = CommandLineHelp();
  for (const char* option :
       {"--render", "--export-csv", "--position", "--size", "--help", "--version", "--language", "XDG_CONFIG_HOME",
        "varactor/varactor.itl", "LC_MESSAGES", "Exit status"})
    EXPECT_TRUE(help.contains(option)) << option;
  // The search order: beside the program, the user's file, --language or the locale, English.
  // Within 80 columns, but for the installed languages' folder, which is as long as it is.
  for (const QString& line : help.split('\n')) {
    if (!line.contains("Installed languages are in")) {
      EXPECT_LE(line.size(), 80) << line.toStdString();
    }
  }
  const qsizetype beside = help.indexOf("beside the program");
  const qsizetype user = help.indexOf("$XDG_CONFIG_HOME/varactor/varactor.itl");
  const qsizetype chosen = help.indexOf("that --language names");
  const qsizetype english = help.indexOf("4. English");
  EXPECT_TRUE(beside >= 0 && beside < user && user < chosen && chosen < english) << help.toStdString();
}

TEST(CommandLineTest, BadValuesAreReportedInOneLine) {
  const QList<QStringList> bad{
      {"--render", "a.png", "--position", "1001"},
      {"--render", "a.png", "--position", "-1001"},
      {"--render", "a.png", "--position", "abc"},
      {"--render", "a.png", "--position", "1.5"},
      {"--render", "a.png", "--position="},
      {"--render", "a.png", "--position"},
      {"--render", "a.png", "--size", "0x500"},
      {"--render", "a.png", "--size", "9000x100"},
      {"--render", "a.png", "--size", "640"},
      {"--render", "a.png", "--size", "wxh"},
      {"--render"},
      {"--render="},
      {"--export-csv="},
      {"--export-csv", "c.csv", "--size", "800x600"},
      {"--render", "a.png", "--scale", "0.5"},
      {"--render", "a.png", "--scale", "4.5"},
      {"--render", "a.png", "--scale", "two"},
      {"--render", "a.png", "--scale", "nan"},
      {"--render", "a.pdf", "--scale", "2"},
      {"--render", "a.SVG", "--scale", "2"},
      {"--export-csv", "c.csv", "--scale", "2"},
  };
  for (const QStringList& arguments : bad) {
    const TCommandLine c = Parse(arguments);
    EXPECT_FALSE(c.error.isEmpty()) << arguments.join(' ').toStdString();
    EXPECT_FALSE(c.error.contains('\n')) << c.error.toStdString();
  }
  EXPECT_TRUE(Parse({"--render", "a.png", "--position", "1001"}).error.contains("1001"));
  EXPECT_TRUE(Parse({"--render", "a.png", "--size", "wxh"}).error.contains("wxh"));
  EXPECT_TRUE(Parse({"--render", "a.png", "--scale", "9"}).error.contains("'9'"));
}

TEST(CommandLineTest, EveryOptionIsGivenOnce) {
  for (const QStringList& twice : QList<QStringList>{
           {"--render", "a.png", "--position", "3", "--position", "4"},
           {"--render", "a.png", "--size", "800x400", "--size", "900x400"},
           {"--render", "a.png", "--scale", "2", "--scale=3"},
           {"--render", "a.png", "--format", "png", "--format", "jpg"},
           {"--language", "german", "--language", "english"},
           {"--export-csv", "a.csv", "--export-csv", "b.csv"}}) {
    const TCommandLine c = Parse(twice);
    EXPECT_TRUE(c.error.endsWith("may be given only once")) << twice.join(' ').toStdString() << ": " << c.error.toStdString();
  }
}

TEST(CommandLineTest, StandardOutputTakesOneOutputInANamedFormat) {
  const TCommandLine png = Parse({"--render", "-", "--format", "PNG"});
  ASSERT_TRUE(png.error.isEmpty()) << png.error.toStdString();
  EXPECT_EQ(png.render_file, "-");
  EXPECT_EQ(png.format, "png");
  EXPECT_EQ(Parse({"--render", "-", "--format=svg"}).format, "svg");
  EXPECT_TRUE(Parse({"--render", "-"}).error.contains("--format"));
  EXPECT_TRUE(Parse({"--sonify", "-"}).error.isEmpty());
  EXPECT_FALSE(Parse({"--export-csv", "-", "--sonify", "-"}).error.isEmpty());
  EXPECT_FALSE(Parse({"--export-csv", "c.csv", "--format", "png"}).error.isEmpty());
  EXPECT_FALSE(Parse({"--render", "a", "--format", "p/ng"}).error.isEmpty());
  // The format decides for --scale, not the name.
  EXPECT_FALSE(Parse({"--render", "a.png", "--format", "pdf", "--scale", "2"}).error.isEmpty());
  EXPECT_TRUE(Parse({"--render", "a.pdf", "--format", "png", "--scale", "2"}).error.isEmpty());
}

}  // namespace
