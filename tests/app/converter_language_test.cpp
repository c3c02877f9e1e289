// The converter's messages in the locale's language: Russian under a Russian
// locale, English under any other, as a shell starts the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/converter_options.h"
#include "support/temp_dir.h"

namespace chromaloom {
namespace {

using test_support::ReadBytes;
using test_support::TempDir;

TEST(ConverterLanguage, MessagesFollowTheLocale) {
  TempDir dir;
  const struct {
    const char* Lang;
    const char* Args;
    const char* Said;
  } cases[] = {
      {"ru_RU.UTF-8", "--frobnicate", "chromaloom-convert: неизвестный параметр --frobnicate (см. --help)\n"},
      {"C.UTF-8", "--frobnicate", "chromaloom-convert: unknown option --frobnicate (see --help)\n"},
      {"ru_RU.UTF-8", "--flicker 2000 a.png b.mgs",
       "chromaloom-convert: --flicker требует число от 0 до 1000, а не \"2000\" (см. --help)\n"},
      {"de_DE.UTF-8", "--mode 5 a.mgs b.mgs", "chromaloom-convert: --mode must be 8, 4, 2 or 1 (see --help)\n"},
  };
  for (const auto& c : cases) {
    const std::string err = dir.File("err.txt");
    const std::string command = std::string("LANG=") + c.Lang +
                                " LC_ALL= LC_MESSAGES= LANGUAGE= " + CHROMALOOM_CONVERT_EXE + " " + c.Args + " 2>'" +
                                err + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2) << c.Args;
    const auto bytes = ReadBytes(err);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), c.Said) << c.Lang;
  }
  // The usage texts too, the converter's and the editor's, with their lists filled in.
  const struct {
    const char* Program;
    const char* Starts;
    const char* Holds;
  } helps[] = {{CHROMALOOM_CONVERT_EXE, "Запуск: chromaloom-convert", "Читает:       .mgs"},
               {CHROMALOOM_EDITOR_EXE, "Запуск: chromaloom [FILE]", "Картинки: .mgs"}};
  for (const auto& h : helps) {
    const std::string out = dir.File("out.txt");
    const std::string help = std::string("LANG=ru_RU.UTF-8 LC_ALL= ") + h.Program + " --help >'" + out + "'";
    ASSERT_EQ(WEXITSTATUS(std::system(help.c_str())), 0) << h.Program;
    const auto bytes = ReadBytes(out);
    const std::string usage(bytes.begin(), bytes.end());
    EXPECT_EQ(usage.rfind(h.Starts, 0), 0u) << usage;
    EXPECT_NE(usage.find(h.Holds), std::string::npos) << usage;
    EXPECT_EQ(usage.find('%'), std::string::npos) << usage;
  }
}

// A filled-in text that holds a placeholder of its own stays as it is.
TEST(ConverterLanguage, FillInReplacesEachPlaceholderOnce) {
  EXPECT_EQ(FillIn("%1 and %2", {"a%2", "b"}), "a%2 and b");
  EXPECT_EQ(FillIn("%2 before %1", {"x", "y"}), "y before x");
  EXPECT_EQ(FillIn("100% of %1, %3", {"it"}), "100% of it, %3");
}

}  // namespace
}  // namespace chromaloom
