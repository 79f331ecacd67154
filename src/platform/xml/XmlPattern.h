// XmlPattern: a parsed selection pattern. Only these forms exist:
//   pattern   := "." | ["//"] step ("/" step)*
//   step      := "." | name predicate*        (the first step after "//" is a name)
//   predicate := "[@" name "='" value "']" | "[" name "='" value "']"
// where a value is any text without an apostrophe. A value holding an
// apostrophe therefore ends early and leaves the pattern malformed.
// Values are immutable after parsing and may be shared between threads.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::platform {

struct XmlPredicate {
  bool onAttribute = false;  // [@name='v'] rather than [name='v']
  std::string name;
  std::string value;
};

struct XmlStep {
  std::string name;  // an element's qualified name
  std::vector<XmlPredicate> predicates;
};

struct XmlPattern {
  bool fromRoot = false;       // a leading "//": every element below the tree's root
  std::vector<XmlStep> steps;  // "." steps are left out; none means the context itself
  std::string shape;           // the pattern with its values left out
  std::string values;          // the values, each prefixed by its length
  std::size_t predicateCount = 0;
};

// Appends value to key the way XmlPattern::values holds each value.
void AppendPatternValue(std::string& key, std::string_view value);

// The parsed pattern, or nullopt when text is none of the accepted forms.
std::optional<XmlPattern> ParseXmlPattern(std::string_view text);

// The parsed pattern from the calling thread's cache of recent patterns.
// Raises xmlInvalidPattern naming text when it is none of the accepted forms.
// The reference stays valid until the thread's next call.
const XmlPattern& CachedXmlPattern(std::string_view text);

}  // namespace corvane::platform
