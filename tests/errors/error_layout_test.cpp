#include <gtest/gtest.h>

#include "errors/Lib_ErrorHandling.h"
#include "errors/PendingError.h"

namespace corvane {
namespace {

struct LayoutCase {
  const char* name;
  std::int32_t number;
  Variant info;
  std::string expected;
};

TEST(ErrorLayout, LaysOutNumberMethodDescriptionAndInformation) {
  const std::vector<LayoutCase> cases = {
      {"negative number, no info", -2147221499, Variant::Missing(),
       "\r\nERROR 0x80040005\r\n METHOD: M\r\n DESC: D.\r\n"},
      {"runtime number", 13, Variant::Missing(), "\r\nERROR 0xD\r\n METHOD: M\r\n DESC: D.\r\n"},
      {"zero", 0, Variant::Missing(), "\r\nERROR 0x0\r\n METHOD: M\r\n DESC: D.\r\n"},
      {"text info", -2147221489, Variant("x"),
       "\r\nERROR 0x8004000F\r\n METHOD: M\r\n DESC: D.\r\n INFO: x.\r\n"},
      {"null info", 5, Variant::Null(), "\r\nERROR 0x5\r\n METHOD: M\r\n DESC: D.\r\n INFO: .\r\n"},
      {"numeric info", 255, Variant(std::int32_t{42}),
       "\r\nERROR 0xFF\r\n METHOD: M\r\n DESC: D.\r\n INFO: 42.\r\n"},
      {"empty info is present", 1, Variant(), "\r\nERROR 0x1\r\n METHOD: M\r\n DESC: D.\r\n INFO: .\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Err_FormatMessage("D", c.number, "M", c.info), c.expected);
  }
}

TEST(ErrorLayout, CaptureFormatsThePendingDescriptionAndKeepsTheOtherFields) {
  PendingErrorScope pending(ErrorInfo{-2147221485, "Src", "Desc", "help.chm", 17});
  const ErrorInfo captured = Err_CaptureError("Method(a)", Variant("extra"));
  EXPECT_EQ(captured.Number, -2147221485);
  EXPECT_EQ(captured.Source, "Src");
  EXPECT_EQ(captured.Description,
            "\r\nERROR 0x80040013\r\n METHOD: Method(a)\r\n DESC: Desc.\r\n INFO: extra.\r\n");
  EXPECT_EQ(captured.HelpFile, "help.chm");
  EXPECT_EQ(captured.HelpContext, 17);
}

TEST(ErrorLayout, PendingErrorLastsForItsScopeOnly) {
  EXPECT_FALSE(PendingError::IsSet());
  {
    PendingErrorScope outer(ErrorInfo{5, "", "outer", "", 0});
    {
      PendingErrorScope cleared;
      EXPECT_FALSE(PendingError::IsSet());
    }
    EXPECT_EQ(PendingError::Get().Description, "outer");
  }
  EXPECT_FALSE(PendingError::IsSet());
}

}  // namespace
}  // namespace corvane
