#include "host/entity.h"

#include "host/customdemon.h"
#include "host/messagestream.h"
#include "host/records.h"
#include "platform/messagewindow.h"

using namespace zeph;

const std::string& TEntity::GetExeName() {
  if (ExeName.empty()) Refresh();
  return ExeName;
}

const std::string& TEntity::GetTitle() {
  if (Title.empty()) Refresh();
  return Title;
}

void TEntity::Refresh() {
  if (Demon == nullptr) return;
  const std::unique_ptr<TEntity> found = Demon->FindEntityByHandle(Handle);
  if (found) Assign(found.get());
}

void TEntity::Assign(const TEntity* other) {
  if (other == nullptr) return;
  Handle = other->Handle;
  MutexHandle = other->MutexHandle;
  ExeName = other->ExeName;
  Title = other->Title;
}

std::string TEntity::GetMutexName() {
  const std::string& path = GetExeName();
  std::string name = path.substr(path.find_last_of('/') + 1);
  for (char& c : name) {
    if (c == '\\') c = '_';
  }
  return "Lexivo_" + name;
}

void TEntity::WriteToStream(TLexivoMessageStream& msg) {
  TEntityRecord record;
  record.Handle = Handle;
  record.MutexHandle = MutexHandle;
  record.ExeName = GetExeName();
  record.Title = GetTitle();
  WriteEntityRecord(msg, record);
}

void TEntity::ReadFromStream(TLexivoMessageStream& msg) {
  TEntityRecord record = ReadEntityRecord(msg);
  Handle = record.Handle;
  MutexHandle = record.MutexHandle;
  ExeName = std::move(record.ExeName);
  Title = std::move(record.Title);
}

bool TEntity::IsValid() const { return platform::IsWindow(Handle); }
