// The start-up under a host server that runs in this process: registration, the served language
// file, the icon fetched into the work area, quitting, and the failures the start rides out.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <stdexcept>

#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/ttrackbar.h"
#include "forms_fixture.h"

using namespace zeph;

namespace {

constexpr QRgb kServedColour = qRgb(200, 0, 0);
constexpr QRgb kOldColour = qRgb(0, 0, 200);

QByteArray IconBytes(QRgb colour) {
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  icon.save(&buffer, "PNG");
  return bytes;
}

QRgb IconCentre(const QIcon& icon) {
  const QImage image = icon.pixmap(32, 32).toImage();
  return image.isNull() ? 0 : image.pixel(16, 16);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A host that serves an icon under every other name than the language file, whatever the name
// may point to.
class TCarelessServer : public TkdbDemonServer {
 public:
  using TkdbDemonServer::TkdbDemonServer;
  std::unique_ptr<QBuffer> GetFileStream(const std::string& name) override {
    if (name == "varactor.itl") return TkdbDemonServer::GetFileStream(name);
    ++IconRequests;
    auto stream = std::make_unique<QBuffer>();
    stream->setData(IconBytes(kServedColour));
    stream->open(QIODevice::ReadWrite);
    return stream;
  }
  int IconRequests = 0;
};

class HostedStartUpTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    ASSERT_TRUE(root_.isValid());
    ASSERT_TRUE(QDir(root_.path()).mkpath("served"));
    ASSERT_TRUE(QDir(root_.path()).mkpath("work/area"));
  }
  void TearDown() override {
    DestroyForms();
    server_.reset();
    FormsTest::TearDown();
  }

  QString Served() const { return root_.path() + "/served/"; }
  // The work area; its parent is the test's folder too.
  QString WorkArea() const { return root_.path() + "/work/area/"; }

  void Serve(const QString& name, const QByteArray& contents) {
    QFile file(Served() + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(contents), contents.size());
  }

  // A host in this process, published in the registry, that started the program: the program's
  // command line names it.
  template <typename Server = TkdbDemonServer>
  Server& StartHost(const std::string& host_switch = "/serverhandle=a1b2") {
    TServerSettings settings;
    settings.HandleText = "a1b2";
    settings.ServedDirectory = Served();
    settings.WorkArea = WorkArea();
    auto server = std::make_unique<Server>(nullptr, settings);
    server->OnLog = [this](const std::string& line) { log_.push_back(line); };
    EXPECT_TRUE(server->Publish());
    Server& result = *server;
    server_ = std::move(server);
    process_.Arguments.push_back(host_switch);
    process_.Arguments.push_back("lesson.dat");
    return result;
  }

  bool Logged(const std::string& line) const { return std::find(log_.begin(), log_.end(), line) != log_.end(); }

  QTemporaryDir root_;
  std::unique_ptr<TkdbDemonServer> server_;
  std::vector<std::string> log_;
};

TEST_F(HostedStartUpTest, RegistersTranslatesWithTheServedFileAndFetchesTheIcon) {
  TkdbDemonServer& server = StartHost();
  Serve("varactor.itl",
        "[$dlglanguage$]=lgGerman|$$\r\n[AppIconName]=hosted.png|$$\r\n[Varactor Diode]=Kapazit\xe4tsdiode|$$\r\n"
        "[HomePageURL]=https://example.org/host/|$$\r\n[OK]=Gut|$$\r\n");
  Serve("hosted.png", IconBytes(kServedColour));
  // An older copy in the work area is replaced by the served one.
  QFile old(WorkArea() + "hosted.png");
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(IconBytes(kOldColour));
  old.close();

  EXPECT_TRUE(form().cliDemon->UseOstrelServer());
  ASSERT_EQ(server.Participants().size(), 1u);
  EXPECT_EQ(server.Participants()[0]->Handle, form().cliDemon->OwnEntity().Handle);
  EXPECT_EQ(server.Participants()[0]->Title, "varactor");
  EXPECT_EQ(form().windowTitle(), QString::fromUtf8("Kapazitätsdiode"));
  // The switch that names the host is no parameter of the program; the others are.
  EXPECT_EQ(form().cliDemon->ParamCount(), 1);
  EXPECT_EQ(form().cliDemon->ParamStr(1), "lesson.dat");

  ShowAndStartUp();
  EXPECT_TRUE(Logged("get-file varactor.itl found"));
  EXPECT_TRUE(Logged("get-file hosted.png found"));
  EXPECT_EQ(ReadFile(WorkArea() + "hosted.png"), IconBytes(kServedColour));
  EXPECT_EQ(IconCentre(form().windowIcon()), kServedColour);
  EXPECT_EQ(IconCentre(about().windowIcon()), kServedColour);
  EXPECT_EQ(IconCentre(QApplication::windowIcon()), kServedColour);
  EXPECT_EQ(about().HomeURL, "https://example.org/host/");
  EXPECT_EQ(about().BButOK->text(), "Gut");
  EXPECT_TRUE(about().LblWebSite->text().startsWith("Mehr Informationen"));
  QApplication::setWindowIcon(QIcon());

  DestroyForms();
  EXPECT_TRUE(server.Participants().empty());
}

TEST_F(HostedStartUpTest, WithoutServedIconAWorkAreaCopyIsStillLoaded) {
  // The switch in capitals names the host as well.
  StartHost("/SERVERHANDLE=A1B2");
  Serve("varactor.itl", "[AppIconName]=kept.png|$$\r\n");
  Serve("empty.png", "");
  QFile old(WorkArea() + "kept.png");
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(IconBytes(kOldColour));
  old.close();
  ShowAndStartUp();
  EXPECT_TRUE(form().cliDemon->UseOstrelServer());
  EXPECT_TRUE(Logged("get-file kept.png missing"));
  EXPECT_EQ(IconCentre(form().windowIcon()), kOldColour);

  // An empty served file writes nothing over the copy there.
  DestroyForms();
  Serve("varactor.itl", "[AppIconName]=empty.png|$$\r\n");
  QFile::copy(WorkArea() + "kept.png", WorkArea() + "empty.png");
  ShowAndStartUp();
  EXPECT_TRUE(Logged("get-file empty.png found"));
  EXPECT_EQ(ReadFile(WorkArea() + "empty.png"), IconBytes(kOldColour));
  EXPECT_EQ(IconCentre(about().windowIcon()), kOldColour);
  QApplication::setWindowIcon(QIcon());
}

TEST_F(HostedStartUpTest, NamesThatLeaveTheWorkAreaAreNeitherFetchedNorWrittenNorRead) {
  TCarelessServer& server = StartHost<TCarelessServer>();
  const QString outside = QDir::cleanPath(WorkArea() + "../escape.png");
  for (const QByteArray name : {"../escape.png", "..\\escape.png", "sub/escape.png", "/tmp/escape.png"}) {
    SCOPED_TRACE(name.toStdString());
    Serve("varactor.itl", "[AppIconName]=" + name + "|$$\r\n");
    DestroyForms();
    ShowAndStartUp();
    EXPECT_EQ(server.IconRequests, 0);
    EXPECT_FALSE(QFile::exists(outside));
    EXPECT_NE(IconCentre(form().windowIcon()), kServedColour);
    EXPECT_EQ(about().LblName->text(), "Varactor");
  }
  // Nor is an icon that lies there read.
  QFile planted(outside);
  ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
  planted.write(IconBytes(kOldColour));
  planted.close();
  Serve("varactor.itl", "[AppIconName]=../escape.png|$$\r\n");
  DestroyForms();
  ShowAndStartUp();
  EXPECT_NE(IconCentre(form().windowIcon()), kOldColour);
  EXPECT_EQ(ReadFile(outside), IconBytes(kOldColour));
  EXPECT_TRUE(QDir(WorkArea()).isEmpty());
}

TEST_F(HostedStartUpTest, AHostThatFailsToAnswerCostsTheIconOnly) {
  TkdbDemonServer& server = StartHost();
  Serve("varactor.itl", "[AppIconName]=hosted.png|$$\r\n[OK]=Fine|$$\r\n");
  Serve("hosted.png", IconBytes(kServedColour));
  form();
  server.OnRequest = [](std::int32_t type) {
    if (type == msgGetVariable) throw std::runtime_error("host busy");
  };
  ShowAndStartUp();
  EXPECT_NE(IconCentre(form().windowIcon()), kServedColour);
  EXPECT_EQ(about().BButOK->text(), "Fine");
  EXPECT_EQ(form().ZCCap->Items().Count(), 100);
  // An unwritable work area: the icon is not stored, and the start goes on.
  server.OnRequest = nullptr;
  ASSERT_TRUE(QDir(WorkArea()).removeRecursively());
  DestroyForms();
  ShowAndStartUp();
  EXPECT_FALSE(QFile::exists(WorkArea() + "hosted.png"));
  EXPECT_EQ(form().ZCCap->Items().Count(), 100);
}

TEST_F(HostedStartUpTest, QuitsWhenTheHostSaysSoUnlessTheHandlerRefuses) {
  TkdbDemonServer& server = StartHost();
  ShowAndStartUp();
  form().TBDistribution->SetPosition(-400);

  bool asked = false;
  form().cliDemon->OnQuitMsgReceived = [&](QObject*, bool server_down, bool& allow) {
    asked = true;
    EXPECT_FALSE(server_down);
    allow = false;
  };
  server.QuitClients(false);
  ASSERT_TRUE(PumpUntil([&] { return asked; }));
  Pump();
  ASSERT_NE(form().cliDemon, nullptr);
  EXPECT_EQ(terminations_, 0);
  EXPECT_EQ(server.Participants().size(), 1u);
  EXPECT_EQ(form().TBDistribution->Position(), -400);

  form().cliDemon->OnQuitMsgReceived = nullptr;
  server.QuitClients(false);
  ASSERT_TRUE(PumpUntil([&] { return form().cliDemon == nullptr; }));
  EXPECT_EQ(terminations_, 1);
  EXPECT_TRUE(server.Participants().empty());
  EXPECT_EQ(form().Babelfish(), nullptr);
  // The window itself stays whole until the application has ended.
  form().TBDistribution->SetPosition(200);
  EXPECT_EQ(form().ZCNd->Items().Count(), 300);
}

TEST_F(HostedStartUpTest, AHostThatIsGoneStopsTheStartWithItsMessage) {
  process_.Arguments.push_back("/serverhandle=feed");
  try {
    TForm1 form;
    ADD_FAILURE() << "the window was made without its host";
  } catch (const ELexivo& error) {
    EXPECT_STREQ(error.what(), "Lexivo server application is not running");
  }
  EXPECT_TRUE(exits_.empty());
}

}  // namespace
