#include "platform/xml/XmlSchemaCache.h"

#include "platform/filesystem/FileSystem.h"
#include "platform/xml/XmlErrorCollector.h"
#include "platform/xml/XmlErrors.h"

#include <corvane/RuntimeErrors.h>

#include <map>
#include <mutex>

namespace corvane::platform {
namespace {

struct CachedSchema {
  std::string contents;
  std::shared_ptr<const CompiledSchema> schema;
};

class SchemaCache {
 public:
  static SchemaCache& Instance() {
    static SchemaCache cache;
    return cache;
  }

  std::shared_ptr<const CompiledSchema> Find(const std::string& path, std::string_view contents) {
    std::lock_guard<std::mutex> guard(mutex_);
    const auto found = entries_.find(path);
    if (found == entries_.end() || found->second.contents != contents) return nullptr;
    return found->second.schema;
  }

  void Store(const std::string& path, std::string contents,
             std::shared_ptr<const CompiledSchema> schema) {
    std::lock_guard<std::mutex> guard(mutex_);
    entries_[path] = CachedSchema{std::move(contents), std::move(schema)};
  }

 private:
  std::mutex mutex_;
  std::map<std::string, CachedSchema> entries_;
};

corvane::Error CompileError(const XmlErrorCollector& collector) {
  return corvane::Error(XmlParseErrorNumber(collector.Code()), std::string(kXmlErrorSource),
                        collector.Message());
}

struct ParserContextDeleter {
  void operator()(xmlSchemaParserCtxt* context) const noexcept { xmlSchemaFreeParserCtxt(context); }
};
struct ValidContextDeleter {
  void operator()(xmlSchemaValidCtxt* context) const noexcept { xmlSchemaFreeValidCtxt(context); }
};

std::shared_ptr<const CompiledSchema> Compile(std::string_view contents, const std::string& path) {
  XmlParseOutcome parsed = ParseXml(contents, path);
  if (!parsed.document) {
    throw corvane::Error(parsed.error.errorCode, std::string(kXmlErrorSource), parsed.error.reason);
  }
  XmlErrorCollector collector;
  std::unique_ptr<xmlSchemaParserCtxt, ParserContextDeleter> context(
      xmlSchemaNewDocParserCtxt(parsed.document.get()));
  if (!context) throw corvane::Error::Runtime(rtOutOfMemory, std::string(kXmlErrorSource));
  xmlSchemaSetParserStructuredErrors(context.get(), XmlErrorCollector::OnError, &collector);
  xmlSchemaPtr schema = xmlSchemaParse(context.get());
  if (schema == nullptr || collector.HasError()) {
    if (schema != nullptr) xmlSchemaFree(schema);
    if (!collector.HasError())
      collector.Record(XML_SCHEMAP_FAILED_PARSE, "The schema is invalid.", 0, 0);
    throw CompileError(collector);
  }
  return std::make_shared<CompiledSchema>(std::move(parsed.document), schema);
}

std::string ReadSchemaFile(const FileSystem& fileSystem, const std::string& path) {
  try {
    const auto bytes = fileSystem.ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
  } catch (const corvane::Error& error) {
    if (error.Number() == rtFileNotFound) throw XmlError(XmlFailure::FileNotFound);
    throw;
  }
}

std::string NamespaceOf(const xmlNode* element) {
  if (element->ns == nullptr || element->ns->href == nullptr) return {};
  return reinterpret_cast<const char*>(element->ns->href);
}

}  // namespace

CompiledSchema::CompiledSchema(XmlDocOwner source, xmlSchemaPtr schema) noexcept
    : source_(std::move(source)), schema_(schema) {}

CompiledSchema::~CompiledSchema() { xmlSchemaFree(schema_); }

std::shared_ptr<const CompiledSchema> LoadSchema(std::string_view path) {
  const auto fileSystem = FileSystem::Default();
  const auto resolved = fileSystem->Resolve(path);
  if (!resolved) throw XmlError(XmlFailure::FileNotFound);
  std::string contents = ReadSchemaFile(*fileSystem, *resolved);
  auto& cache = SchemaCache::Instance();
  if (auto schema = cache.Find(*resolved, contents)) return schema;
  auto schema = Compile(contents, *resolved);
  cache.Store(*resolved, std::move(contents), schema);
  return schema;
}

std::optional<XmlParseError> ValidateDocument(xmlDocPtr document,
                                              const std::vector<SchemaEntry>& entries,
                                              std::string_view source) {
  XmlErrorCollector collector;
  const xmlNode* root = xmlDocGetRootElement(document);
  const std::string rootNamespace = root == nullptr ? std::string() : NamespaceOf(root);
  const CompiledSchema* schema = nullptr;
  for (const auto& [uri, compiled] : entries) {
    if (uri == rootNamespace) schema = compiled.get();
  }
  if (schema == nullptr) {
    collector.Record(XML_SCHEMAV_CVC_ELT_1,
                     "No schema is registered for the namespace of the root element.",
                     root == nullptr ? 0 : static_cast<int>(xmlGetLineNo(root)), 0);
    return collector.ToParseError(source);
  }
  std::unique_ptr<xmlSchemaValidCtxt, ValidContextDeleter> context(
      xmlSchemaNewValidCtxt(schema->Schema()));
  if (!context) throw corvane::Error::Runtime(rtOutOfMemory, std::string(kXmlErrorSource));
  xmlSchemaSetValidStructuredErrors(context.get(), XmlErrorCollector::OnError, &collector);
  const int result = xmlSchemaValidateDoc(context.get(), document);
  if (result == 0 && !collector.HasError()) return std::nullopt;
  if (!collector.HasError()) {
    collector.Record(result > 0 ? result : XML_SCHEMAV_INTERNAL, "The document is not valid.", 0,
                     0);
  }
  return collector.ToParseError(source);
}

}  // namespace corvane::platform
