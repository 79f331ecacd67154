#include "platform/registry/ExportParser.h"

#include <corvane/Error.h>
#include <corvane/RuntimeErrors.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Text.h"
#include "platform/registry/ExportText.h"
#include "platform/registry/Registry.h"
#include "platform/registry/Utf16Text.h"

namespace corvane::platform {
namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::array<std::string_view, 6> kOtherRoots = {
    "HKEY_CLASSES_ROOT",   "HKEY_CURRENT_USER",     "HKEY_USERS",
    "HKEY_CURRENT_CONFIG", "HKEY_PERFORMANCE_DATA", "HKEY_DYN_DATA"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Drops the NULs that end string data; the narrow query adds exactly one.
void TrimTerminators(std::string& text) {
  while (!text.empty() && text.back() == '\0') text.pop_back();
}

class ExportParser {
 public:
  ExportParser(std::string_view text, std::string_view origin, bool incompleteUtf16)
      : lines_(SplitExportLines(text)), origin_(origin), incompleteUtf16_(incompleteUtf16) {}

  std::shared_ptr<const RegistryNode> Parse() {
    ReadHeader();
    for (++line_; line_ < lines_.size(); ++line_) ParseLine();
    if (incompleteUtf16_) Fail("incomplete UTF-16 character at the end of the file");
    return root_;
  }

 private:
  [[noreturn]] void Fail(std::string_view reason) const {
    const std::size_t number = std::min(line_, lines_.size() - 1) + 1;
    throw Error(rtPathFileAccessError, std::string(kRegistryErrorSource),
                std::string(origin_) + "(" + std::to_string(number) + "): " + std::string(reason));
  }

  std::string_view Rest() const { return lines_[line_].substr(pos_); }
  bool AtEnd() const { return pos_ >= lines_[line_].size(); }
  char Peek() const { return AtEnd() ? '\0' : lines_[line_][pos_]; }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) ++pos_;
  }
  bool TakePrefixNoCase(std::string_view prefix) {
    if (!StartsWithNoCase(Rest(), prefix)) return false;
    pos_ += prefix.size();
    return true;
  }

  void ReadHeader() {
    while (line_ < lines_.size() && Trim(lines_[line_]).empty()) ++line_;
    const std::string_view header = line_ < lines_.size() ? Trim(lines_[line_]) : "";
    if (EqualsNoCase(header, kVersion5Header)) {
      narrowStrings_ = false;
    } else if (EqualsNoCase(header, kVersion4Header)) {
      narrowStrings_ = true;
    } else {
      if (line_ == lines_.size()) line_ = 0;
      Fail("expected the header 'Windows Registry Editor Version 5.00' or 'REGEDIT4'");
    }
  }

  void ParseLine() {
    pos_ = 0;
    SkipBlanks();
    const char first = Peek();
    if (AtEnd() || first == ';') return;
    if (first == '[') return ParseKeyLine();
    if (first == '"' || first == '@') return ParseValueLine();
    Fail("expected a key, a value or a comment");
  }

  void ParseKeyLine() {
    std::string_view inner = Trim(Rest());
    if (inner.size() < 2 || inner.back() != ']') Fail("expected ']' at the end of the key name");
    inner = inner.substr(1, inner.size() - 2);
    const bool deletion = !inner.empty() && inner.front() == '-';
    if (deletion) inner.remove_prefix(1);

    const std::size_t separator = inner.find('\\');
    const std::string_view rootName = inner.substr(0, separator);
    const std::string_view path =
        separator == std::string_view::npos ? std::string_view() : inner.substr(separator + 1);
    std::vector<std::string_view> names = SplitKeyPath(path);
    inKey_ = true;
    current_ = nullptr;

    if (!EqualsNoCase(rootName, kLocalMachine)) {
      if (!IsOtherRoot(rootName)) Fail("unknown root key '" + std::string(rootName) + "'");
      return;
    }
    if (deletion) return DeleteKey(names);
    RegistryNode* node = root_.get();
    for (std::string_view name : names) node = &node->AddSubKey(name);
    current_ = node;
  }

  static bool IsOtherRoot(std::string_view name) {
    for (std::string_view root : kOtherRoots) {
      if (EqualsNoCase(name, root)) return true;
    }
    return false;
  }

  std::vector<std::string_view> SplitKeyPath(std::string_view path) const {
    std::vector<std::string_view> names;
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);  // as the editor accepts
    if (path.empty()) return names;
    while (true) {
      const std::size_t end = path.find('\\');
      const std::string_view name = path.substr(0, end);
      if (name.empty()) Fail("empty key name");
      names.push_back(name);
      if (end == std::string_view::npos) return names;
      path.remove_prefix(end + 1);
    }
  }

  void DeleteKey(const std::vector<std::string_view>& names) {
    if (names.empty()) Fail("the root key cannot be deleted");
    RegistryNode* parent = root_.get();
    for (std::size_t i = 0; parent && i + 1 < names.size(); ++i) {
      parent = parent->FindSubKey(names[i]);
    }
    if (parent) parent->RemoveSubKey(names.back());
  }

  void ParseValueLine() {
    if (!inKey_) Fail("value outside of a key");
    std::string name;
    if (Peek() == '@') {
      ++pos_;
    } else if (!ReadQuoted(name)) {
      Fail("unterminated value name");
    }
    SkipBlanks();
    if (Peek() != '=') Fail("expected '=' after value name");
    ++pos_;
    SkipBlanks();

    RegistryValue value;
    value.name = std::move(name);
    const bool remove = ParseData(value);
    SkipBlanks();
    if (!AtEnd() && Peek() != ';') Fail("unexpected text after the value");
    if (!current_) return;
    if (remove) {
      current_->RemoveValue(value.name);
    } else {
      current_->SetValue(std::move(value));
    }
  }

  // Reads "..." with the \\ and \" escapes; false when the line ends first.
  bool ReadQuoted(std::string& out) {
    ++pos_;  // the opening quote
    while (!AtEnd()) {
      const char c = Peek();
      ++pos_;
      if (c == '"') return true;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (AtEnd()) return false;
      const char escaped = Peek();
      if (escaped != '\\' && escaped != '"') {
        Fail(std::string("unknown escape sequence '\\") + escaped + "'");
      }
      out.push_back(escaped);
      ++pos_;
    }
    return false;
  }

  // Fills value from the data after '='; true for the deletion mark '-'.
  bool ParseData(RegistryValue& value) {
    if (Peek() == '"') {
      value.type = regSz;
      if (!ReadQuoted(value.text)) Fail("unterminated string");
      return false;
    }
    if (Peek() == '-') {
      ++pos_;
      return true;
    }
    if (TakePrefixNoCase("dword:")) {
      value.type = regDword;
      const std::uint32_t number = ReadDword();
      for (int shift = 0; shift < 32; shift += 8) {
        value.bytes.push_back(static_cast<std::uint8_t>(number >> shift));
      }
      return false;
    }
    if (TakePrefixNoCase("hex")) {
      value.type = ReadHexType();
      StoreHexData(value, ReadHexBytes());
      return false;
    }
    Fail("unrecognised value data");
  }

  std::uint32_t ReadDword() {
    std::uint32_t number = 0;
    int digits = 0;
    for (int digit; (digit = HexDigit(Peek())) >= 0; ++pos_, ++digits) {
      if (digits == 8) Fail("invalid dword value");
      number = (number << 4) | static_cast<std::uint32_t>(digit);
    }
    if (digits == 0) Fail("invalid dword value");
    return number;
  }

  // After "hex": ":" for binary data or "(N):" with N in hexadecimal.
  std::uint32_t ReadHexType() {
    std::uint32_t type = regBinary;
    if (Peek() == '(') {
      ++pos_;
      type = 0;
      int digits = 0;
      for (int digit; (digit = HexDigit(Peek())) >= 0; ++pos_, ++digits) {
        if (digits == 8) Fail("invalid value type");
        type = (type << 4) | static_cast<std::uint32_t>(digit);
      }
      if (digits == 0 || Peek() != ')') Fail("invalid value type");
      ++pos_;
    }
    if (Peek() != ':') Fail("expected ':' after the value type");
    ++pos_;
    return type;
  }

  // Comma-separated bytes; a backslash at the end of a line continues the
  // list on the next one.
  std::vector<std::uint8_t> ReadHexBytes() {
    std::vector<std::uint8_t> bytes;
    while (true) {
      SkipBlanks();
      if (Peek() == '\\' && Trim(Rest().substr(1)).empty()) {
        ContinueOnNextLine();
        continue;
      }
      if (AtEnd() || Peek() == ';') break;
      const int high = HexDigit(Peek());
      if (high < 0) Fail("invalid hex byte");
      ++pos_;
      int byte = high;
      if (const int low = HexDigit(Peek()); low >= 0) {
        byte = high * 16 + low;
        ++pos_;
      }
      bytes.push_back(static_cast<std::uint8_t>(byte));
      SkipBlanks();
      if (Peek() == ',') {
        ++pos_;  // a trailing comma is accepted, as the editor writes one before '\'
      } else if (!AtEnd() && Peek() != ';' && Peek() != '\\') {
        Fail("expected ',' between hex bytes");
      }
    }
    return bytes;
  }

  void ContinueOnNextLine() {
    if (line_ + 1 >= lines_.size()) Fail("continuation line missing at the end of the file");
    ++line_;
    pos_ = 0;
  }

  void StoreHexData(RegistryValue& value, std::vector<std::uint8_t> bytes) {
    const bool stringType =
        value.type == regSz || value.type == regExpandSz || value.type == regMultiSz;
    if (!stringType) {
      value.bytes = std::move(bytes);
      return;
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    value.text = narrowStrings_ ? Windows1252ToUtf8(raw) : Utf16ToUtf8(raw);
    if (value.type != regMultiSz) TrimTerminators(value.text);
  }

  std::vector<std::string_view> lines_;
  std::string_view origin_;
  bool incompleteUtf16_;
  std::size_t line_ = 0;
  std::size_t pos_ = 0;
  bool narrowStrings_ = false;  // REGEDIT4 writes string data in the ANSI code page
  bool inKey_ = false;
  RegistryNode* current_ = nullptr;  // null inside a key that is not kept
  std::shared_ptr<RegistryNode> root_ = std::make_shared<RegistryNode>(std::string(kLocalMachine));
};

}  // namespace

std::shared_ptr<const RegistryNode> ParseExportTree(std::string_view bytes,
                                                    std::string_view origin) {
  const ExportText decoded = DecodeExportText(bytes);
  return ExportParser(decoded.text, origin, decoded.incompleteUtf16).Parse();
}

}  // namespace corvane::platform
