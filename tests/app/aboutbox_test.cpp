#include <QTest>

#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "app/linkopener.h"
#include "forms_fixture.h"

using namespace zeph;

namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    saved_opener_ = LinkOpener();
    LinkOpener() = [this](const QString& address) {
      opened_.append(address);
      cursor_while_opening_ = box_.cursor().shape();
    };
  }
  void TearDown() override { LinkOpener() = saved_opener_; }

  void ShowBox() {
    box_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box_));
  }

  TFrmAbout box_;
  QStringList opened_;
  Qt::CursorShape cursor_while_opening_ = Qt::ArrowCursor;

 private:
  TLinkOpener saved_opener_;
};

void ExpectFont(const QWidget* w, const char* family, int pixels, bool bold, bool italic, bool underline) {
  SCOPED_TRACE(w->objectName().toStdString());
  EXPECT_EQ(w->font().family(), family);
  EXPECT_EQ(w->font().pixelSize(), pixels);
  EXPECT_EQ(w->font().bold(), bold);
  EXPECT_EQ(w->font().italic(), italic);
  EXPECT_EQ(w->font().underline(), underline);
}

TEST_F(AboutBoxTest, LayoutFontsAndColoursAreTheStoredOnes) {
  TFrmAbout& b = box_;
  EXPECT_EQ(b.objectName(), "FrmAbout");
  EXPECT_EQ(b.windowTitle(), "BF_About");
  EXPECT_EQ(b.size(), QSize(543, 332));
  EXPECT_EQ(b.minimumSize(), b.maximumSize());
  EXPECT_FALSE(b.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(b.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(b.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(b.palette().color(QPalette::Window), ColorToQColor(clBtnFace));
  ExpectFont(&b, "Arial", 13, false, false, false);
  EXPECT_FALSE(b.windowIcon().isNull());

  EXPECT_EQ(b.Panel1->geometry(), QRect(8, 10, 529, 127));
  EXPECT_EQ(b.Panel2->geometry(), QRect(8, 224, 529, 65));
  for (TPanel* panel : {b.Panel1, b.Panel2}) {
    EXPECT_EQ(panel->BevelInner(), bvRaised);
    EXPECT_EQ(panel->BevelOuter(), bvLowered);
  }

  struct Line {
    TLabel* label;
    int top;
    int height;
  };
  for (const Line& l : {Line{b.LblName, 12, 34}, Line{b.LblVersion, 50, 16}, Line{b.LblAuthor, 74, 16},
                        Line{b.LblCopyright, 100, 16}}) {
    EXPECT_EQ(l.label->parentWidget(), b.Panel1);
    EXPECT_EQ(l.label->geometry(), QRect(8, l.top, 513, l.height));
    EXPECT_EQ(l.label->Alignment(), taCenter);
  }
  EXPECT_EQ(b.LblName->text(), "App. name");
  ExpectFont(b.LblName, "Arial", 30, true, true, false);
  EXPECT_EQ(b.LblName->FontColor(), clMaroon);
  EXPECT_EQ(b.LblVersion->text(), "App. version");
  EXPECT_EQ(b.LblAuthor->text(), QString::fromUtf8("© 2026 The Varactor developers"));
  EXPECT_EQ(b.LblCopyright->text(), "BF_Free software under the MIT licence");

  EXPECT_EQ(b.LblDescription->parentWidget(), &b);
  EXPECT_EQ(b.LblDescription->geometry(), QRect(8, 152, 529, 65));
  EXPECT_EQ(b.LblDescription->Alignment(), taCenter);
  EXPECT_TRUE(b.LblDescription->WordWrap());
  ExpectFont(b.LblDescription, "Arial", 13, false, false, false);
  EXPECT_EQ(b.LblDescription->FontColor(), clMaroon);

  EXPECT_EQ(b.LblWebSite->parentWidget(), b.Panel2);
  EXPECT_EQ(b.LblWebSite->geometry(), QRect(8, 8, 137, 49));
  EXPECT_EQ(b.LblWebSite->Alignment(), taRightJustify);
  EXPECT_TRUE(b.LblWebSite->WordWrap());

  for (TLabel* link : {b.LblHomePage, b.LblSimus}) {
    EXPECT_EQ(link->parentWidget(), b.Panel2);
    ExpectFont(link, "Courier New", 13, true, false, true);
    EXPECT_EQ(link->FontColor(), clBlue);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  }
  EXPECT_EQ(b.LblHomePage->geometry(), QRect(152, 12, 369, 16));
  EXPECT_EQ(b.LblHomePage->text(), "BF_HomePage");
  EXPECT_TRUE(b.LblHomePage->isHidden());
  EXPECT_EQ(b.LblSimus->geometry(), QRect(152, 36, 369, 16));
  EXPECT_EQ(b.LblSimus->text(), TFrmAbout::kSimulationsAddress);
  EXPECT_FALSE(b.LblSimus->isHidden());

  EXPECT_EQ(b.BButOK->geometry(), QRect(424, 296, 113, 33));
  EXPECT_EQ(b.BButOK->text(), "BF_OK");
  EXPECT_EQ(b.BButOK->Glyph().size(), QSize(21, 21));
}

TEST_F(AboutBoxTest, ShowingRevealsTheHomePageLinkAndCentresTheBox) {
  ShowBox();
  EXPECT_TRUE(box_.LblHomePage->isVisible());
  const QRect screen = box_.screen()->geometry();
  EXPECT_NEAR(box_.frameGeometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(box_.frameGeometry().center().y(), screen.center().y(), 1);
}

TEST_F(AboutBoxTest, LinksTurnRedUnderTheMouseAndBlueOverThePanel) {
  ShowBox();
  TLabel* home = box_.LblHomePage;
  TLabel* simus = box_.LblSimus;
  QTest::mouseMove(home, QPoint(10, 8));
  EXPECT_EQ(home->FontColor(), clRed);
  EXPECT_EQ(simus->FontColor(), clBlue);
  QTest::mouseMove(box_.Panel2, QPoint(300, 58));  // below the links, on the panel itself
  EXPECT_EQ(home->FontColor(), clBlue);

  // From one link straight to the other: both stay red.
  QTest::mouseMove(home, QPoint(10, 8));
  QTest::mouseMove(simus, QPoint(10, 8));
  EXPECT_EQ(home->FontColor(), clRed);
  EXPECT_EQ(simus->FontColor(), clRed);
  // The lead-in text is no part of the panel's surface.
  QTest::mouseMove(box_.LblWebSite, QPoint(60, 20));
  EXPECT_EQ(home->FontColor(), clRed);
  QTest::mouseMove(box_.Panel2, QPoint(300, 58));
  EXPECT_EQ(home->FontColor(), clBlue);
  EXPECT_EQ(simus->FontColor(), clBlue);
}

TEST_F(AboutBoxTest, ClickOpensTheAddressWithTheBusyCursorMeanwhile) {
  ShowBox();
  box_.HomeURL = QStringLiteral("HomePageURL");
  QTest::mouseClick(box_.LblHomePage, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseClick(box_.LblSimus, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(opened_, QStringList({"HomePageURL", TFrmAbout::kSimulationsAddress}));
  EXPECT_EQ(cursor_while_opening_, Qt::BusyCursor);
  EXPECT_EQ(box_.cursor().shape(), Qt::ArrowCursor);

  box_.setCursor(Qt::CrossCursor);
  box_.HomeURL.clear();
  QTest::mouseClick(box_.LblHomePage, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(opened_.last(), "");
  EXPECT_EQ(box_.cursor().shape(), Qt::CrossCursor);
}

TEST_F(AboutBoxTest, CursorComesBackWhenOpeningFails) {
  ShowBox();
  LinkOpener() = [](const QString&) { throw std::runtime_error("no browser"); };
  box_.setCursor(Qt::IBeamCursor);
  EXPECT_THROW(box_.LblSimusClick(box_.LblSimus), std::runtime_error);
  EXPECT_EQ(box_.cursor().shape(), Qt::IBeamCursor);
}

TEST_F(AboutBoxTest, OkButtonAndCloseBoxBothEndTheModalShowing) {
  box_.LblName->setText("Varactor");
  DialogCloser by_ok(&box_, {}, ClickOk);
  box_.ShowModal();
  EXPECT_EQ(by_ok.Shows(), 1);
  EXPECT_FALSE(box_.isVisible());
}

TEST_F(AboutBoxTest, CloseBoxEndsTheModalShowingAndTheBoxKeepsItsTexts) {
  box_.LblName->setText("Varactor");
  DialogCloser by_close(&box_, {}, [](QDialog& d) { d.close(); });
  box_.ShowModal();
  box_.ShowModal();
  EXPECT_EQ(by_close.Shows(), 2);
  EXPECT_FALSE(box_.isVisible());
  EXPECT_EQ(box_.LblName->text(), "Varactor");
}

}  // namespace
