#include "platform/xml/FreeThreadedDocument.h"

#include "platform/filesystem/FileSystem.h"
#include "platform/xml/XmlErrors.h"
#include "platform/xml/XmlLibrary.h"
#include "platform/xml/XmlNodeHandle.h"
#include "platform/xml/XmlParser.h"
#include "platform/xml/XmlSchemaSet.h"
#include "platform/xml/XmlSerializer.h"
#include "platform/xml/XmlTreeEdits.h"

#include <corvane/RuntimeErrors.h>

#include <utility>

namespace corvane::platform {
namespace {

// One reference-count block per stripe, on its own cache line.
struct alignas(64) AnchorBlock {
  explicit AnchorBlock(std::shared_ptr<XmlTree> held) : tree(std::move(held)) {}
  std::shared_ptr<XmlTree> tree;
};

XmlParseError NotFound() {
  XmlParseError error;
  error.errorCode = XmlFailureNumber(XmlFailure::FileNotFound);
  error.reason = XmlFailureText(XmlFailure::FileNotFound);
  return error;
}

XmlParseError FromError(const corvane::Error& failure) {
  if (failure.Number() == rtFileNotFound) return NotFound();
  XmlParseError error;
  error.errorCode = failure.Number();
  error.reason = failure.Description();
  return error;
}

// An existing file of another letter case is replaced rather than joined by
// a second one; a new file goes into the (case-resolved) folder.
std::string SaveTarget(const FileSystem& fileSystem, std::string_view path) {
  if (auto existing = fileSystem.Resolve(path)) return *existing;
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return std::string(path);
  if (auto folder = fileSystem.Resolve(path.substr(0, slash))) {
    return *folder + std::string(path.substr(slash));
  }
  return std::string(path);
}

}  // namespace

std::shared_ptr<XmlDocument> XmlDocument::Create() {
  return std::make_shared<FreeThreadedDocument>();
}

FreeThreadedDocument::FreeThreadedDocument() : lock_(std::make_shared<TreeLock>()) {
  EnsureXmlLibrary();
  xmlDocPtr empty = xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"));
  if (empty == nullptr) throw std::bad_alloc();
  Replace(std::make_shared<XmlTree>(lock_, empty));
}

void FreeThreadedDocument::setSchemas(std::shared_ptr<XmlSchemaCollection> schemas) {
  TreeLock::Write lock(*lock_);
  schemas_ = std::move(schemas);
}

void FreeThreadedDocument::setAsync(bool async) {
  TreeLock::Write lock(*lock_);
  async_ = async;
}

bool FreeThreadedDocument::load(std::string_view path) {
  const auto fileSystem = FileSystem::Default();
  std::string resolved;
  std::vector<std::uint8_t> bytes;
  try {
    auto found = fileSystem->Resolve(path);
    if (!found) return Fail(NotFound());
    resolved = std::move(*found);
    bytes = fileSystem->ReadFile(resolved);
  } catch (const corvane::Error& failure) {
    return Fail(FromError(failure));
  }
  return Install(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                 resolved);
}

bool FreeThreadedDocument::loadXML(std::string_view xml) { return Install(xml, std::string()); }

XmlParseError FreeThreadedDocument::parseError() const {
  TreeLock::Read lock(*lock_);
  return parseError_;
}

void FreeThreadedDocument::save(std::string_view path) const {
  const std::string bytes = Serialize(nullptr);
  const auto fileSystem = FileSystem::Default();
  fileSystem->WriteFileAtomic(SaveTarget(*fileSystem, path), bytes);
}

std::string FreeThreadedDocument::xml() const { return Serialize("UTF-8"); }

XmlNodePtr FreeThreadedDocument::documentElement() const {
  TreeLock::Read lock(*lock_);
  const auto& tree = Anchor();
  return XmlNodeHandle::Make(tree, xmlDocGetRootElement(tree->Document()));
}

XmlNodePtr FreeThreadedDocument::documentNode() const {
  TreeLock::Read lock(*lock_);
  const auto& tree = Anchor();
  return XmlNodeHandle::Make(tree, reinterpret_cast<const xmlNode*>(tree->Document()));
}

XmlNodePtr FreeThreadedDocument::createElement(std::string_view name) {
  TreeLock::Write lock(*lock_);
  const auto& tree = Anchor();
  return XmlNodeHandle::Make(tree, CreateDetachedElement(*tree, name));
}

bool FreeThreadedDocument::Install(std::string_view bytes, const std::string& url) {
  std::shared_ptr<XmlSchemaCollection> schemas;
  {
    TreeLock::Read lock(*lock_);
    schemas = schemas_;
  }
  XmlParseOutcome parsed = ParseXml(bytes, url);
  if (!parsed.document) return Fail(std::move(parsed.error));
  if (const auto* set = dynamic_cast<const XmlSchemaSet*>(schemas.get())) {
    const auto entries = set->Entries();
    if (!entries.empty()) {
      if (auto invalid = ValidateDocument(parsed.document.get(), entries, bytes)) {
        return Fail(std::move(*invalid));
      }
    }
  }
  auto tree = std::make_shared<XmlTree>(lock_, parsed.document.release());
  TreeLock::Write lock(*lock_);
  Replace(std::move(tree));
  parseError_ = XmlParseError{};
  return true;
}

bool FreeThreadedDocument::Fail(XmlParseError error) {
  TreeLock::Write lock(*lock_);
  parseError_ = std::move(error);
  return false;
}

// REQUIRES: write lock, or construction.
void FreeThreadedDocument::Replace(std::shared_ptr<XmlTree> tree) {
  for (auto& anchor : anchors_) {
    auto block = std::make_shared<AnchorBlock>(tree);
    anchor = std::shared_ptr<XmlTree>(block, block->tree.get());
  }
  tree_ = std::move(tree);
}

const std::shared_ptr<XmlTree>& FreeThreadedDocument::Anchor() const noexcept {
  return anchors_[TreeLock::ThreadStripe()];
}

std::string FreeThreadedDocument::Serialize(const char* encoding) const {
  TreeLock::Read lock(*lock_);
  std::lock_guard<std::mutex> serializer(tree_->SerializerMutex());
  return SerializeDocument(tree_->Document(), encoding);
}

}  // namespace corvane::platform
