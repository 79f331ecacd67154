// FileSystemObject: reads whole files as bytes for callers that cannot read
// binary files themselves ("Corvane.FileSystemObject"). Holds no state: one
// object may be used from any thread.
#pragma once

#include <corvane/Object.h>
#include <corvane/Variant.h>

#include <memory>

namespace corvane {

class FileSystemObject : public Object {
 public:
  static std::shared_ptr<FileSystemObject> Create();

  // The whole contents of the file named iFileName (converted to text) as a
  // byte array, opened for reading and writing where allowed, else for
  // reading only; a file that does not exist is created empty. An Empty
  // iFileName gives Nothing (a null object reference) and touches no file.
  // The file is closed on every path. Failures (a Null name: 94; a bad path,
  // a file that cannot be opened or read) reach the caller as the file
  // system reports them.
  Variant ReadFromBinaryFile(const Variant& iFileName) const;

 private:
  FileSystemObject() = default;
};

}  // namespace corvane
