// Fixtures shared by the test suites: temporary directories, an in-memory
// event log, a registry from export text, and web-request contexts.
#pragma once

#include <corvane/Application.h>
#include <corvane/ContextScope.h>
#include <corvane/ObjectContext.h>

#include <memory>
#include <string>
#include <string_view>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/eventlog/EventLogSink.h"

namespace corvane::test {

// A fresh directory, removed with everything below it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const noexcept { return path_; }
  // Writes relative (creating folders) and returns its full path.
  std::string Write(std::string_view relative, std::string_view contents) const;
  std::string Read(std::string_view relative) const;
  std::string PathOf(std::string_view relative) const;

 private:
  std::string path_;
};

// Routes the event log to memory for the scope.
class ScopedEventLog {
 public:
  ScopedEventLog();
  ~ScopedEventLog();
  platform::MemoryEventLogSink& Sink() noexcept { return *sink_; }
  std::vector<platform::EventLogEntry> Entries() const { return sink_->Entries(); }
  // The entries' first insertion strings, as UTF-8.
  std::vector<std::string> Texts() const;

 private:
  std::shared_ptr<platform::MemoryEventLogSink> sink_;
};

// Makes the registry the export text for the scope.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(std::string_view exportText);
  ~ScopedRegistry();
};

// An export with the product key's InstallDir (when not empty) and the
// logging switch of the store loader (when not empty).
std::string ProductRegistry(std::string_view installDir, std::string_view loggingSwitch);

// The store schema of the bundled example installation.
std::string StoreSchemaText();
// The bundled example installation's directory (holding config/).
std::string ExampleInstallDir();

// An installation directory in a TempDir: config/ holds the example schema
// and a valid site store whose GLOBAL/Logging is the given text.
class TestInstallation {
 public:
  explicit TestInstallation(std::string_view logging = "1");
  const std::string& Dir() const noexcept { return dir_.Path(); }
  std::string ConfigDir() const { return dir_.Path() + "/config/"; }
  const TempDir& Files() const noexcept { return dir_; }
  // Writes config/<name> and returns its path.
  std::string WriteStore(std::string_view name, std::string_view xml) const;
  void RemoveSchema() const;

 private:
  TempDir dir_;
};

// The example site store with GLOBAL/Logging set to logging.
std::string SiteStoreXml(std::string_view logging);
// A store document of sections given as (id, inner items XML).
std::string StoreXml(std::initializer_list<std::pair<std::string_view, std::string_view>> sections);
// One item element.
std::string ItemXml(std::string_view name, std::string_view type, std::string_view value,
                    std::string_view encrypted = {});

// A web request of one web application: its context is current for the scope.
class WebRequest {
 public:
  explicit WebRequest(std::shared_ptr<Application> application, std::string requestDir = "/");
  const std::shared_ptr<ObjectContext>& Context() const noexcept { return context_; }

 private:
  std::shared_ptr<ObjectContext> context_;
  ContextScope scope_;
};

// A caller in the host that is not a web request (no Application).
class HostCall {
 public:
  HostCall();
  const std::shared_ptr<ObjectContext>& Context() const noexcept { return context_; }

 private:
  std::shared_ptr<ObjectContext> context_;
  ContextScope scope_;
};

}  // namespace corvane::test
