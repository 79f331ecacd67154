#include "platform/xml/XmlPattern.h"

#include <cstdint>

namespace corvane::platform {
namespace {

bool IsNameStart(char c) noexcept {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || byte >= 0x80;
}

bool IsNameChar(char c) noexcept {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// Reads the pattern left to right; every method returns false on the first
// character that no accepted form allows.
class PatternReader {
 public:
  explicit PatternReader(std::string_view text) : text_(text) {}

  std::optional<XmlPattern> Read() {
    if (text_ == ".") return XmlPattern{};
    if (text_.starts_with("//")) {
      pattern_.fromRoot = true;
      pattern_.shape = "//";
      pos_ = 2;
    }
    if (!ReadSteps()) return std::nullopt;
    return std::move(pattern_);
  }

 private:
  bool ReadSteps() {
    bool first = true;
    while (true) {
      if (!ReadStep(first)) return false;
      first = false;
      if (AtEnd()) return true;
      if (text_[pos_] != '/') return false;
      ++pos_;
    }
  }

  bool ReadStep(bool first) {
    if (!AtEnd() && text_[pos_] == '.') {
      ++pos_;
      // "." stands for the context node itself, so it adds nothing; never first after "//".
      return !(first && pattern_.fromRoot) && (AtEnd() || text_[pos_] == '/');
    }
    XmlStep step;
    if (!ReadName(step.name)) return false;
    if (!pattern_.steps.empty()) pattern_.shape.push_back('/');
    pattern_.shape.append(step.name);
    while (!AtEnd() && text_[pos_] == '[') {
      XmlPredicate predicate;
      if (!ReadPredicate(predicate)) return false;
      pattern_.shape.append(predicate.onAttribute ? "[@" : "[").append(predicate.name).append("]");
      AppendPatternValue(pattern_.values, predicate.value);
      ++pattern_.predicateCount;
      step.predicates.push_back(std::move(predicate));
    }
    pattern_.steps.push_back(std::move(step));
    return true;
  }

  bool ReadPredicate(XmlPredicate& predicate) {
    ++pos_;  // '['
    if (!AtEnd() && text_[pos_] == '@') {
      predicate.onAttribute = true;
      ++pos_;
    }
    if (!ReadName(predicate.name) || !Consume("='")) return false;
    const auto close = text_.find('\'', pos_);
    if (close == std::string_view::npos) return false;
    predicate.value = std::string(text_.substr(pos_, close - pos_));
    pos_ = close + 1;
    return Consume("]");
  }

  bool ReadName(std::string& name) {
    const auto start = pos_;
    if (AtEnd() || !IsNameStart(text_[pos_])) return false;
    while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
    name = std::string(text_.substr(start, pos_ - start));
    return true;
  }

  bool Consume(std::string_view expected) {
    if (text_.substr(pos_, expected.size()) != expected) return false;
    pos_ += expected.size();
    return true;
  }

  bool AtEnd() const noexcept { return pos_ >= text_.size(); }

  std::string_view text_;
  std::size_t pos_ = 0;
  XmlPattern pattern_;
};

}  // namespace

void AppendPatternValue(std::string& key, std::string_view value) {
  const auto length = static_cast<std::uint32_t>(value.size());
  for (int shift = 0; shift < 32; shift += 8) key.push_back(static_cast<char>(length >> shift));
  key.append(value);
}

std::optional<XmlPattern> ParseXmlPattern(std::string_view text) {
  return PatternReader(text).Read();
}

}  // namespace corvane::platform
