// FaultyFileSystem: a FileSystem that passes every call to another one and
// can be told to fail chosen operations, or to fail a whole-file write after
// the temporary file is written and flushed but before it is renamed over
// the target. Safe for concurrent use.
#pragma once

#include <corvane/Error.h>

#include <array>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/filesystem/FileSystem.h"

namespace corvane::test {

class FaultyFileSystem : public platform::FileSystem {
 public:
  enum class Operation {
    Resolve,
    FileExists,
    FolderExists,
    Files,
    SubFolders,
    ReadFile,
    WriteFileAtomic,
    ReadOrCreateFile,
  };

  // REQUIRES: inner is not null.
  explicit FaultyFileSystem(std::shared_ptr<platform::FileSystem> inner);

  // Calls of operation raise error, after the first `skip` calls go through.
  // `times` failures happen (0: every later call fails).
  void FailOn(Operation operation, Error error, int skip = 0, int times = 0);
  // WriteFileAtomic writes and flushes the temporary file beside the target,
  // then raises error instead of renaming; the temporary file is removed.
  void FailWriteBeforeRename(Error error);
  // Every call goes through again.
  void ClearFaults();
  // Calls of operation so far, failed ones included.
  int Calls(Operation operation) const;

  std::optional<std::string> Resolve(std::string_view path) const override;
  bool FileExists(std::string_view path) const override;
  bool FolderExists(std::string_view path) const override;
  std::vector<platform::FolderEntry> Files(std::string_view folder) const override;
  std::vector<platform::FolderEntry> SubFolders(std::string_view folder) const override;
  std::vector<std::uint8_t> ReadFile(std::string_view path) const override;
  void WriteFileAtomic(std::string_view path, std::string_view contents) const override;
  std::vector<std::uint8_t> ReadOrCreateFile(std::string_view path) const override;

 private:
  struct Fault {
    std::optional<Error> error;
    int skip = 0;
    int times = 0;  // 0: unlimited
    int failed = 0;
  };
  static constexpr std::size_t kOperations = 8;

  // Counts the call and raises the error when its fault is due.
  void Enter(Operation operation) const;

  std::shared_ptr<platform::FileSystem> inner_;
  mutable std::mutex mutex_;
  mutable std::array<Fault, kOperations> faults_{};
  mutable std::array<int, kOperations> calls_{};
  std::optional<Error> beforeRename_;
};

}  // namespace corvane::test
