// FreeThreadedDocument: the XmlDocument behind XmlDocument::Create. Its
// fields and trees are guarded by one TreeLock; a load parses outside the
// lock and swaps the tree in under the write lock, leaving handles into the
// old tree valid. Safe for concurrent use.
#pragma once

#include "platform/xml/TreeLock.h"
#include "platform/xml/XmlDocument.h"
#include "platform/xml/XmlTree.h"

#include <array>
#include <memory>
#include <string>

namespace corvane::platform {

class FreeThreadedDocument final : public XmlDocument {
 public:
  FreeThreadedDocument();

  void setSchemas(std::shared_ptr<XmlSchemaCollection> schemas) override;
  void setAsync(bool async) override;
  bool load(std::string_view path) override;
  bool loadXML(std::string_view xml) override;
  XmlParseError parseError() const override;
  void save(std::string_view path) const override;
  std::string xml() const override;
  XmlNodePtr documentElement() const override;
  XmlNodePtr documentNode() const override;
  XmlNodePtr createElement(std::string_view name) override;

 private:
  // Parses, validates and installs bytes read from url; false on failure.
  bool Install(std::string_view bytes, const std::string& url);
  bool Fail(XmlParseError error);
  void Replace(std::shared_ptr<XmlTree> tree);
  // The current tree through the calling thread's reference counts.
  // REQUIRES: read or write lock.
  const std::shared_ptr<XmlTree>& Anchor() const noexcept;
  std::string Serialize(const char* encoding) const;

  std::shared_ptr<TreeLock> lock_;
  std::shared_ptr<XmlTree> tree_;
  std::array<std::shared_ptr<XmlTree>, TreeLock::kStripes> anchors_;
  std::shared_ptr<XmlSchemaCollection> schemas_;
  XmlParseError parseError_;
  bool async_ = false;
};

}  // namespace corvane::platform
