#include <corvane/Application.h>
#include <corvane/Configuration.h>
#include <corvane/ObjectContext.h>

#include "configuration/ConfigurationHandler.h"
#include "platform/xml/XmlDocument.h"

namespace corvane {

Configuration::Configuration() = default;
Configuration::~Configuration() = default;

std::shared_ptr<Configuration> Configuration::Create() {
  return std::shared_ptr<Configuration>(new Configuration());
}

void Configuration::ObjectControl_Activate() {
  Reported(
      [&] {
        m_oApplication.reset();
        const auto context = ObjectContext::Current();
        if (!context) return;
        try {
          m_oApplication = QueryInterface<Application>(context->Item("Application"));
        } catch (...) {
          m_oApplication.reset();  // not a web request: no shared state
        }
      },
      [] { return std::string("ObjectControl_Activate()"); });
}

void Configuration::ObjectControl_Deactivate() {
  // The store's key and path stay: a later call fails on the missing document.
  m_oApplication.reset();
  m_oStoreDoc.reset();
}

}  // namespace corvane
