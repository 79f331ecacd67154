// A Value element for tests: text and attributes in memory, and an attribute
// read that can be told to fail. Only the operations the item value
// functions use do anything.
#pragma once

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include "platform/xml/XmlNode.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::testing {

class FakeXmlNode : public platform::XmlNode {
 public:
  explicit FakeXmlNode(std::string text, std::map<std::string, std::string> attributes = {})
      : text_(std::move(text)), attributes_(std::move(attributes)) {}

  static std::shared_ptr<FakeXmlNode> Value(std::string text,
                                            std::map<std::string, std::string> attributes = {}) {
    return std::make_shared<FakeXmlNode>(std::move(text), std::move(attributes));
  }

  void FailAttributeReads() { failAttributeReads_ = true; }

  platform::XmlNodeType nodeType() const override { return platform::XmlNodeType::Element; }
  std::string nodeName() const override { return "Value"; }
  std::string text() const override { return text_; }
  void setText(std::string_view text) override { text_ = std::string(text); }
  platform::XmlNodePtr selectSingleNode(std::string_view) const override { return nullptr; }
  platform::XmlNodeList selectNodes(std::string_view) const override { return {}; }
  platform::XmlNodeList childNodes() const override { return {}; }
  platform::XmlNodePtr firstChild() const override { return nullptr; }
  platform::XmlNodePtr previousSibling() const override { return nullptr; }
  platform::XmlNodePtr parentNode() const override { return nullptr; }
  std::optional<std::string> getAttribute(std::string_view name) const override {
    if (failAttributeReads_) throw Error::Runtime(rtObjectDoesNotSupport);
    const auto it = attributes_.find(std::string(name));
    if (it == attributes_.end()) return std::nullopt;
    return it->second;
  }
  void setAttribute(std::string_view name, std::string_view value) override {
    attributes_[std::string(name)] = std::string(value);
  }
  void appendChild(const platform::XmlNodePtr&) override {}
  void removeChild(const platform::XmlNodePtr&) override {}

 private:
  std::string text_;
  std::map<std::string, std::string> attributes_;
  bool failAttributeReads_ = false;
};

}  // namespace corvane::testing
