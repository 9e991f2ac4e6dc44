#pragma once

#include <cstdint>
#include <string>

class TkdbCustomDemon;
class TLexivoMessageStream;

// One participant of the host protocol: a program's hidden window, its single-instance mutex,
// its executable's path and its title.
class TEntity {
 public:
  explicit TEntity(TkdbCustomDemon* demon) : Demon(demon) {}

  // The component that created it, not owned; asked by Refresh.
  TkdbCustomDemon* Demon;
  std::uint32_t Handle = 0;
  std::uint32_t MutexHandle = 0;
  std::string ExeName;
  std::string Title;

  // The field, after a Refresh when it is empty.
  const std::string& GetExeName();
  const std::string& GetTitle();
  // Takes the record the server holds for Handle, when it has one.
  void Refresh();
  // Copies the four fields; nothing when other is null.
  void Assign(const TEntity* other);
  // "Lexivo_" and the file-name part of the executable's path, backslashes made "_".
  std::string GetMutexName();
  void WriteToStream(TLexivoMessageStream& msg);
  // Raises ELexivo for a record that the message does not hold completely.
  void ReadFromStream(TLexivoMessageStream& msg);
  // Handle names an existing window.
  bool IsValid() const;
};
