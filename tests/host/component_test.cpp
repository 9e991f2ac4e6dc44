#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "host_fixture.h"
#include "platform/lasterror.h"
#include "platform/registry.h"

using namespace zeph;

namespace {

class ComponentTest : public HostTest {
 protected:
  static void WriteFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
  }
  // A component on a form, loaded as the form's stored description would load it.
  TkdbDemonClient* LoadOnForm(TTestForm& form, bool useServer) {
    auto* client = new TkdbDemonClient(&form);
    BeginFormLoading(&form);
    client->SetUseOstrelServer(useServer);
    EndFormLoading(&form);
    return client;
  }

  QTemporaryDir files_;
};

TEST_F(ComponentTest, RegistersWithTheServerAndLoadsTheLanguageFileFromIt) {
  WriteFile(files_.filePath("varsim.itl"), "[Greeting]=Guten Tag|$$\r\n");
  TServerSettings settings;
  settings.ServedDirectory = files_.path();
  TkdbDemonServer* server = StartServer(settings);
  TTestForm form;
  TkdbDemonClient* client = LoadOnForm(form, true);
  ASSERT_EQ(server->Participants().size(), 1u);
  const TEntity& registered = *server->Participants()[0];
  EXPECT_EQ(registered.Handle, client->OwnEntity().Handle);
  EXPECT_EQ(registered.ExeName, "/opt/sims/varsim.exe");
  EXPECT_EQ(registered.Title, "Varsim");
  EXPECT_EQ(client->ServerEntity().Handle, server->OwnEntity().Handle);
  // The server maps the program to "varsim.exe"; its language file there is varsim.itl.
  EXPECT_EQ(form.Caption(), "Guten Tag");
  EXPECT_EQ(client->Babelfish()->Translate("greeting"), "Guten Tag");

  const std::unique_ptr<TEntity> by_handle = client->FindEntityByHandle(client->OwnEntity().Handle);
  ASSERT_NE(by_handle, nullptr);
  EXPECT_EQ(by_handle->Title, "Varsim");
  EXPECT_EQ(client->FindEntityByHandle(12345), nullptr);
  EXPECT_EQ(client->MapFileName("/a/b/prog"), "prog");
  delete client;
  EXPECT_TRUE(server->Participants().empty());
  delete server;
}

TEST_F(ComponentTest, WithoutServerTheLanguageFileLiesBesideTheProgram) {
  process_.ExePath = files_.filePath("varsim");
  WriteFile(files_.filePath("varsim.itl"), "[Greeting]=Hello there|$$");
  TTestForm form;
  TkdbDemonClient* client = LoadOnForm(form, false);
  EXPECT_EQ(form.Caption(), "Hello there");
  delete client;

  // No file: the key is shown. AutoTranslate off: nothing is translated.
  process_.ExePath = files_.filePath("other");
  TTestForm plain;
  client = LoadOnForm(plain, false);
  EXPECT_EQ(plain.Caption(), "Greeting");
  delete client;
  TTestForm untouched;
  client = new TkdbDemonClient(&untouched);
  client->SetUseOstrelServer(false);
  client->SetAutoTranslate(false);
  client->EndLoading();
  EXPECT_EQ(untouched.Caption(), "BF_Greeting");
  delete client;
}

TEST_F(ComponentTest, GetFileStreamGivesAnEmptyStreamForAFoundEmptyFileAndNoneForAMissingOne) {
  WriteFile(files_.filePath("empty.ico"), "");
  WriteFile(files_.filePath("icon.ico"), QByteArray("\0\1\2", 3));
  QTemporaryDir outside;
  WriteFile(outside.filePath("secret"), "secret");
  TServerSettings settings;
  settings.ServedDirectory = files_.path();
  TkdbDemonServer* server = StartServer(settings);
  auto* client = new TkdbDemonClient();
  client->SetUseOstrelServer(true);
  const std::unique_ptr<QBuffer> empty = client->GetFileStream("empty.ico");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->size(), 0);
  const std::unique_ptr<QBuffer> icon = client->GetFileStream("icon.ico");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->data(), QByteArray("\0\1\2", 3));
  EXPECT_EQ(icon->pos(), 0);
  EXPECT_EQ(client->GetFileStream("missing.ico"), nullptr);
  const QString escape = QDir(files_.path()).relativeFilePath(outside.filePath("secret"));
  EXPECT_EQ(client->GetFileStream(escape.toStdString()), nullptr);
  EXPECT_EQ(client->GetFileStream(outside.filePath("secret").toStdString()), nullptr);
  delete client;
  delete server;
}

TEST_F(ComponentTest, ExecuteProgramGivesTheProcessOrWaitsForItsExitCode) {
  TkdbDemonServer* server = StartServer();
  auto* client = new TkdbDemonClient();
  client->SetUseOstrelServer(true);
  EXPECT_GT(client->ExecuteProgram("sh", "-c \"exit 0\"", false, 1), 0);
  EXPECT_EQ(client->ExecuteProgram("sh", "-c \"sleep 0.1; exit 3\"", true, 1), 3);
  try {
    client->ExecuteProgram("/no/such/program", "", true, 0);
    ADD_FAILURE() << "no error";
  } catch (const ELexivo& error) {
    EXPECT_STREQ(error.what(), "Could not execute \"/no/such/program.\"");
  }
  delete client;
  delete server;
}

TEST_F(ComponentTest, GetVariableAsksTheServerOrAnswersTheProgramDirectory) {
  TServerSettings settings;
  settings.ServedDirectory = files_.path();
  settings.WorkArea = files_.filePath("work");
  settings.Variables["Colour"] = "blue";
  TkdbDemonServer* server = StartServer(settings);
  auto* client = new TkdbDemonClient();
  client->SetUseOstrelServer(true);
  EXPECT_EQ(client->GetVariable("OstrelWorkArea"), (files_.filePath("work") + "/").toStdString());
  EXPECT_EQ(client->GetVariable("OstrelHomeDir"), (files_.path() + "/").toStdString());
  EXPECT_EQ(client->GetVariable("Colour"), "blue");
  EXPECT_EQ(client->GetVariable("colour"), "");

  client->SetUseOstrelServer(false);
  EXPECT_EQ(client->GetVariable("OstrelWorkArea"), "/opt/sims/");
  EXPECT_EQ(client->GetVariable("OstrelHomeDir"), "/opt/sims/");
  EXPECT_EQ(client->GetVariable("ostrelworkarea"), "");
  EXPECT_EQ(client->GetVariable("Colour"), "");
  delete client;
  delete server;
}

TEST_F(ComponentTest, ParamsLeaveOutTheServerSwitchInSmallLetters) {
  process_.Arguments = {"./varsim", "one", "/serverhandle=ab", "two", "/SERVERHANDLE=1A2B"};
  auto* client = new TkdbDemonClient();
  EXPECT_EQ(client->ParamCount(), 3);
  EXPECT_EQ(client->ParamStr(0), "/opt/sims/varsim.exe");
  EXPECT_EQ(client->ParamStr(1), "one");
  EXPECT_EQ(client->ParamStr(2), "two");
  EXPECT_EQ(client->ParamStr(3), "/SERVERHANDLE=1A2B");
  for (int index : {4, -1}) {
    try {
      client->ParamStr(index);
      ADD_FAILURE() << index;
    } catch (const ELexivo& error) {
      EXPECT_EQ(std::string(error.what()), "Illegal \"ParamStr\" parameter: " + std::to_string(index));
    }
  }
  delete client;
}

TEST_F(ComponentTest, ServerHandleComesFromTheRegistryOrTheLastSwitch) {
  EXPECT_EQ(GetServerHandleString({"p", "/SERVERHANDLE=1A2B"}), "1a2b");
  EXPECT_EQ(GetServerHandleString({"/serverhandle=first", "/serverhandle=x", "y", "/ServerHandle=Last"}), "last");
  EXPECT_EQ(GetServerHandleString({"p"}), "");
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey, kViewerHandleValue,
                                            kNoServerHandle));
  EXPECT_EQ(GetServerHandleString({"p"}), "00000000");
  EXPECT_EQ(GetServerHandleString({"p", "/serverhandle=77"}), "77");
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey, kViewerHandleValue,
                                            "C0DE"));
  EXPECT_EQ(GetServerHandleString({"p", "/serverhandle=77"}), "C0DE");

  // A server found by the switch on the command line, with the registry naming none.
  ASSERT_TRUE(platform::WriteRegistryString(platform::kHkeyLocalMachine, kLexivoRegistryKey, kViewerHandleValue, ""));
  TServerSettings settings;
  settings.HandleText = "beef";
  auto* server = new TkdbDemonServer(nullptr, settings);
  process_.Arguments = {"varsim", "/serverhandle=BEEF"};
  auto* client = new TkdbDemonClient();
  EXPECT_EQ(client->ServerEntity().Handle, server->OwnEntity().Handle);
  EXPECT_EQ(client->ParamCount(), 0);
  delete client;
  delete server;
}

TEST_F(ComponentTest, MissingServerStopsLoadingWhenOneIsToBeUsed) {
  TTestForm form;
  auto* client = new TkdbDemonClient(&form);
  BeginFormLoading(&form);
  try {
    EndFormLoading(&form);
    ADD_FAILURE() << "no error";
  } catch (const ELexivo& error) {
    EXPECT_STREQ(error.what(), "Lexivo server application is not running");
  }
  EXPECT_EQ(form.Caption(), "BF_Greeting");
  delete client;
}

TEST_F(ComponentTest, SecondComponentInOneProgramFailsWithTheSystemText) {
  auto* first = new TkdbDemonClient();
  EXPECT_THROW(
      {
        try {
          TkdbDemonClient second;
        } catch (const ELexivo& error) {
          EXPECT_STREQ(error.what(), "Class already exists.");
          throw;
        }
      },
      ELexivo);
  // Only a component that came to life ends the application.
  EXPECT_EQ(terminations_, 0);
  delete first;
  EXPECT_EQ(terminations_, 1);
  platform::SetLastError(99999);
  EXPECT_EQ(TkdbCustomDemon::GetLastErrorString(), "(GetLastErrorString failed)");
}

TEST_F(ComponentTest, SecondStartHandsItsParamsToTheRunningInstanceAndEnds) {
  process_.Arguments = {"/opt/sims/varsim.exe", "first-run"};
  auto* running = new TkdbDemonClient();
  running->SetUseOstrelServer(false);
  running->EndLoading();
  EXPECT_NE(running->OwnEntity().MutexHandle, 0u);
  EXPECT_TRUE(exits_.empty());
  int changes = 0;
  running->OnParamsChange = [&](QObject*) { ++changes; };

  // The later start: same program file, other arguments; the server knows the running one.
  process_.Arguments = {"/opt/sims/varsim.exe", "second-run", "more"};
  auto* later = new TTestPeer("LaterStartClass");
  later->FoundEntity = running->OwnEntity().Handle;
  later->RunCheckMultiStart();
  EXPECT_EQ(exits_, std::vector<int>{0});
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(running->ParamStr(1), "second-run");
  EXPECT_EQ(running->ParamCount(), 2);

  // Nobody known to the server: the later start ends without telling anybody.
  later->FoundEntity = 0;
  later->RunCheckMultiStart();
  EXPECT_EQ(exits_, (std::vector<int>{0, 0}));
  EXPECT_EQ(changes, 1);
  delete later;

  // With MultiStart nothing is checked; after the first instance has gone, a start runs.
  auto* free_start = new TTestPeer("FreeStartClass");
  free_start->SetMultiStart(true);
  free_start->RunCheckMultiStart();
  EXPECT_EQ(free_start->OwnEntity().MutexHandle, 0u);
  delete running;
  free_start->SetMultiStart(false);
  free_start->RunCheckMultiStart();
  EXPECT_NE(free_start->OwnEntity().MutexHandle, 0u);
  EXPECT_EQ(exits_.size(), 2u);
  delete free_start;
}

TEST_F(ComponentTest, PublishedPropertiesHaveTheirCreationValues) {
  auto* client = new TkdbDemonClient();
  EXPECT_TRUE(client->property("AutoTranslate").toBool());
  EXPECT_FALSE(client->property("AutoCreateItlFile").toBool());
  EXPECT_FALSE(client->property("MultiStart").toBool());
  EXPECT_TRUE(client->property("UseOstrelServer").toBool());
  client->setProperty("AutoCreateItlFile", true);
  EXPECT_TRUE(client->Babelfish()->AutoCreateItlFile());
  client->setProperty("AutoCreateItlFile", false);
  EXPECT_EQ(client->GetWindowClassName(), "ThisIsTheLexivoClientComponentWindowClass");
  EXPECT_EQ(client->OwnEntity().GetMutexName(), "Lexivo_varsim.exe");
  EXPECT_EQ(platform::FindWindow("thisisthelexivoclientcomponentwindowclass", ""), client->OwnEntity().Handle);
  delete client;
}

}  // namespace
