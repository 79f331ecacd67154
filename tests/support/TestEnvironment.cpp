#include "support/TestEnvironment.h"

#include <corvane/Server.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "configuration/Lib_Registry.h"
#include "platform/Text.h"
#include "platform/registry/Registry.h"

namespace corvane::test {
namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "corvane-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string TempDir::PathOf(std::string_view relative) const {
  return path_ + "/" + std::string(relative);
}

std::string TempDir::Write(std::string_view relative, std::string_view contents) const {
  const std::string path = PathOf(relative);
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << contents;
  return path;
}

std::string TempDir::Read(std::string_view relative) const {
  std::ifstream in(PathOf(relative), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

ScopedEventLog::ScopedEventLog() : sink_(std::make_shared<platform::MemoryEventLogSink>()) {
  platform::EventLogSink::SetDefault(sink_);
}

ScopedEventLog::~ScopedEventLog() { platform::EventLogSink::SetDefault(nullptr); }

std::vector<std::string> ScopedEventLog::Texts() const {
  std::vector<std::string> texts;
  for (const auto& entry : sink_->Entries()) {
    texts.push_back(entry.strings.empty() ? std::string()
                                          : platform::Windows1252ToUtf8(entry.strings.front()));
  }
  return texts;
}

ScopedRegistry::ScopedRegistry(std::string_view exportText) {
  platform::Registry::SetDefault(platform::ParseRegistryExport(exportText, "test.reg"));
  Reg_SetCachedInstallDir("");
}

ScopedRegistry::~ScopedRegistry() {
  platform::Registry::SetDefault(nullptr);
  Reg_SetCachedInstallDir("");
}

std::string ProductRegistry(std::string_view installDir, std::string_view loggingSwitch) {
  std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
  text += "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor]\r\n";
  if (!installDir.empty()) text += "\"InstallDir\"=\"" + std::string(installDir) + "\"\r\n";
  text += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ostrelco\\Pandrel\\Velmoor\\Authorization Filter]\r\n";
  if (!loggingSwitch.empty()) text += "\"Logging\"=\"" + std::string(loggingSwitch) + "\"\r\n";
  return text;
}

std::string ExampleInstallDir() { return std::string(CORVANE_SOURCE_DIR) + "/examples/web"; }

std::string StoreSchemaText() {
  std::ifstream in(ExampleInstallDir() + "/config/ModuleConfigurationSchema.xml");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string SiteStoreXml(std::string_view logging) {
  std::ifstream in(ExampleInstallDir() + "/config/SiteConfiguration.xml");
  std::stringstream text;
  text << in.rdbuf();
  std::string xml = text.str();
  const std::string marker = "<Name>Logging</Name>";
  const auto at = xml.find(marker);
  const auto valueStart = xml.find("<Value>", at) + 7;
  const auto valueEnd = xml.find("</Value>", valueStart);
  xml.replace(valueStart, valueEnd - valueStart, logging);
  return xml;
}

std::string ItemXml(std::string_view name, std::string_view type, std::string_view value,
                    std::string_view encrypted) {
  std::string xml = "<Item><Name>" + std::string(name) + "</Name><Type>" + std::string(type) +
                    "</Type><Value";
  if (!encrypted.empty()) xml += " encrypted=\"" + std::string(encrypted) + "\"";
  return xml + ">" + std::string(value) + "</Value></Item>";
}

std::string StoreXml(std::initializer_list<std::pair<std::string_view, std::string_view>> sections) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>";
  for (const auto& [id, items] : sections) {
    xml += "<Section id=\"" + std::string(id) + "\">" + std::string(items) + "</Section>";
  }
  return xml + "</Config>\n";
}

TestInstallation::TestInstallation(std::string_view logging) {
  dir_.Write("config/ModuleConfigurationSchema.xml", StoreSchemaText());
  dir_.Write("config/SiteConfiguration.xml", SiteStoreXml(logging));
}

std::string TestInstallation::WriteStore(std::string_view name, std::string_view xml) const {
  return dir_.Write("config/" + std::string(name), xml);
}

void TestInstallation::RemoveSchema() const {
  std::filesystem::remove(dir_.PathOf("config/ModuleConfigurationSchema.xml"));
}

WebRequest::WebRequest(std::shared_ptr<Application> application, std::string requestDir)
    : context_(ObjectContext::Create(std::move(application), Server::Create(std::move(requestDir)))),
      scope_(context_) {}

HostCall::HostCall() : context_(ObjectContext::Create()), scope_(context_) {}

}  // namespace corvane::test
