// AtomicFileWriter: replaces one file so that a crash at any moment leaves
// either the old or the new contents. The new contents go to a temporary
// file beside the target, are flushed to disk with the target's permissions,
// and are renamed over it. Used by one thread at a time.
#pragma once

#include <string>
#include <string_view>

#include "platform/filesystem/UniqueFd.h"

namespace corvane::platform {

class AtomicFileWriter {
 public:
  // Creates the temporary file in target's folder. Raises an Error (70, 75
  // or 76) naming target when it cannot.
  // REQUIRES: target names a file, not a folder.
  explicit AtomicFileWriter(std::string target);
  // Removes the temporary file unless Commit succeeded.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Appends data to the temporary file.
  void Write(std::string_view data);
  // Flushes the temporary file to disk and gives it the target's permissions
  // (a new file gets 0644 less the umask).
  void Flush();
  // Flush (when not yet done), then renames the temporary over the target
  // and flushes the folder. REQUIRES: called at most once.
  void Commit();

  const std::string& Target() const noexcept { return target_; }
  const std::string& TemporaryPath() const noexcept { return temporary_; }

 private:
  [[noreturn]] void Fail(int errnum) const;

  std::string target_;
  std::string folder_;
  std::string temporary_;
  UniqueFd fd_;
  bool targetExisted_ = false;
  unsigned targetMode_ = 0;
  unsigned targetOwner_ = 0;
  unsigned targetGroup_ = 0;
  bool flushed_ = false;
  bool committed_ = false;
};

}  // namespace corvane::platform
