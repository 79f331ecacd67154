#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/RuntimeErrors.h>

#include "configuration/ConfigurationHandler.h"
#include "configuration/StoreFiles.h"
#include "errors/ExceptionTranslation.h"
#include "platform/xml/XmlDocument.h"

#include <optional>

namespace corvane {
namespace {

std::string LoadFailureText(const std::string& file, const platform::XmlParseError& error) {
  return "Error in loading: " + file + "\r\n reason:" + error.reason + "\r\n position: (" +
         std::to_string(error.line) + "," + std::to_string(error.linepos) + ")" +
         "\r\n source: " + error.srcText;
}

}  // namespace

void Configuration::LoadConfigFile(const std::string& i_sFileName) {
  Reported(
      [&] {
        auto document = p_LoadConfigStore(i_sFileName);
        m_oStoreDoc = std::move(document);
        m_sStoreKey.clear();
        m_sStoreFile = i_sFileName;
      },
      [&] { return "LoadConfigFile(" + i_sFileName + ")"; });
}

std::int32_t Configuration::LoadConfigFile2(const std::string& i_sFileName) {
  return ErrorNumberOf([&] { LoadConfigFile(i_sFileName); });
}

std::shared_ptr<platform::XmlDocument> Configuration::p_LoadConfigStore(const std::string& file) {
  const std::string method = "p_LoadConfigStore(" + file + ")";
  return Reported(
      [&] {
        auto document = platform::XmlDocument::Create();
        auto schemas = platform::XmlSchemaCollection::Create();

        std::string schemaPath;
        std::optional<Error> schemaFailure;
        try {
          schemaPath = p_GetConfigDir() + kSchemaFileName;
          schemas->add("", schemaPath);
        } catch (...) {
          schemaFailure = ToError(std::current_exception());
        }
        if (schemaFailure) {
          // Reported as an error event; the store is then loaded unvalidated.
          PendingErrorScope pending(schemaFailure->Info());
          try {
            p_RaiseError(kConfigurationMethodPrefix + method,
                         Variant("XML Schema (" + schemaPath +
                                 ") could not be loaded. The store will be loaded without "
                                 "validation..."));
          } catch (...) {
          }
        } else {
          document->setSchemas(schemas);
        }

        document->setAsync(false);
        if (!document->load(file)) {
          const auto parseError = document->parseError();
          throw Error(parseError.errorCode, kConfigurationSource,
                      LoadFailureText(file, parseError));
        }
        p_TraceEvent(kConfigurationMethodPrefix + method, Variant("Configuration file loaded"));
        return document;
      },
      [&] { return method; });
}

void Configuration::p_RequireStore() const {
  if (m_sStoreFile.empty()) {
    RaiseConfigurationError(ConfigurationNoStoreLoaded, "No configuration store is currently loaded");
  }
}

const std::shared_ptr<platform::XmlDocument>& Configuration::p_Document() const {
  // After deactivation the path stays but the document is gone.
  if (!m_oStoreDoc) throw Error::Runtime(rtObjectVariableNotSet, kConfigurationSource);
  return m_oStoreDoc;
}

void Configuration::p_Save() {
  Reported(
      [&] {
        p_RequireStore();
        p_Document()->save(m_sStoreFile);
        if (!m_oApplication || m_sStoreKey.empty()) return;
        try {
          m_oApplication->ObjectValue(m_sStoreKey);  // republish only over an object entry
          m_oApplication->SetObject(m_sStoreKey, m_oStoreDoc);
        } catch (...) {
          // Republishing is best effort: the file is written.
        }
      },
      [] { return std::string("p_Save()"); });
}

}  // namespace corvane
