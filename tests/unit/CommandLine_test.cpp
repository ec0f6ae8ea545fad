// The host's command line: splitting, the integer syntax of handle texts, and the run modes.
#include <gtest/gtest.h>

#include "app/CommandLine.h"
#include "base/Errors.h"
#include "base/IntSyntax.h"
#include "tests/support/Raised.h"

namespace {

constexpr int32_t Foreground = 4711;

TParsedCommandLine Parse(std::vector<std::string> args) {
  return ParseArguments(args, [] { return Foreground; });
}

struct TModeCase {
  std::vector<std::string> Args;
  TSaverMode Mode;
  int32_t Window;
};

TEST(CommandLine, ModesAndHandles) {
  const TModeCase cases[] = {
      {{}, smConfig, 0},                     {{"/s"}, smSaver, 0},               {{"/S"}, smSaver, 0},
      {{"-s"}, smSaver, 0},                  {{"s"}, smSaver, 0},                {{"//s"}, smSaver, 0},
      {{"-/S"}, smSaver, 0},                 {{"/s", "1234"}, smSaver, 0},       {{"/start"}, smSaver, 0},
      {{"/c"}, smConfig, Foreground},        {{"/c:"}, smConfig, Foreground},    {{"/c:1234"}, smConfig, 1234},
      {{"/c", "1234"}, smConfig, 1234},      {{"/config", "77"}, smConfig, 77},  {{"/p", "1234"}, smPreview, 1234},
      {{"/P:1234"}, smPreview, 1234},        {{"-p", "1234"}, smPreview, 1234},  {{"/l", "1234"}, smPreview, 1234},
      {{"/p", "x1f"}, smPreview, 31},        {{"/p", "$4d2"}, smPreview, 1234},  {{"/p", "0xff"}, smPreview, 255},
      {{"/p:0xff"}, smPreview, 255},         {{"/a", "1234"}, smPassword, 1234}, {{"/a:1234"}, smPassword, 1234},
      {{"1234"}, smPreview, 1234},           {{"$4D2"}, smPreview, 1234},        {{"-5"}, smPreview, -5},
      {{"/5"}, smNone, 0},                   {{"/x"}, smNone, 0},                {{"/"}, smNone, 0},
      {{"-/ -"}, smNone, 0},                 {{"/p", "1234", "/s"}, smPreview, 1234},
  };
  for (const auto& c : cases) {
    std::string label;
    for (const auto& a : c.Args) label += "[" + a + "]";
    TParsedCommandLine parsed = Parse(c.Args);
    EXPECT_EQ(parsed.Mode, c.Mode) << label;
    EXPECT_EQ(parsed.Window, c.Window) << label;
  }
}

TEST(CommandLine, BadHandleTextsRaiseTheConversionErrorWithTheText) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"/p"}, ""},          {{"/p:"}, ""},         {{"/p", "abc"}, "abc"},
      {{"/a"}, ""},          {{"/c", "xyz"}, "xyz"}, {{"/l", "12 3"}, "12 3"},
      {{"/p:abc"}, "ABC"},  // the first word is upper-cased before the handle is cut from it
  };
  for (const auto& [args, text] : cases)
    EXPECT_EQ(Raised([&] { Parse(args); }), "EConvertError: '" + text + "' ist kein g\xC3\xBCltiger Integerwert")
        << args[0];
}

TEST(CommandLine, SplitsOnBlanksAndControlCharactersWithQuotesGrouping) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Lumivale.scr\" /p 1234"),
            (std::vector<std::string>{"/p", "1234"}));
  EXPECT_EQ(SplitCommandLine("prog  /c:12\t\"a b\"c  "), (std::vector<std::string>{"/c:12", "a bc"}));
  EXPECT_EQ(SplitCommandLine("prog"), std::vector<std::string>{});
  EXPECT_EQ(SplitCommandLine("prog \"\""), std::vector<std::string>{""});
}

TEST(IntSyntax, AcceptsExactlyTheProgramsIntegers) {
  const std::pair<const char*, int32_t> good[] = {
      {"0", 0},           {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
      {"  +12", 12},      {"-0", 0},                  {"$FFFFFFFF", -1},
      {"$7fffffff", 2147483647}, {"-$10", -16},       {"0X1f", 31},
      {"x1F", 31},        {"$000000001", 1},          {"0000000000012", 12},
      {"$80000000", INT32_MIN},
  };
  for (const auto& [text, value] : good) {
    auto parsed = TryStrToInt(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_EQ(*parsed, value) << text;
  }
  const char* bad[] = {"", " ", "+", "-", "$", "x", "0x", "2147483648", "-2147483649",
                       "$123456789", "12 ", "1a", "0x1g", "--1", "+-1", "\t1", "99999999999999999999"};
  for (const char* text : bad) EXPECT_FALSE(TryStrToInt(text).has_value()) << "'" << text << "'";
}

}  // namespace
