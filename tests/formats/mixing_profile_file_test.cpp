#include "formats/mixing_profile_file.h"

#include <gtest/gtest.h>

#include <string>

#include "formats/format_error.h"

namespace chromaloom {
namespace {

// A table where every entry differs, so a row or column out of place shows.
MixedColourTableType Distinct() {
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) table[a][b] = MakeRgb(a * 17, b * 17, (a * 15 + b) % 256);
  return table;
}

std::string Row(int a, const MixedColourTableType& table) {
  std::string row;
  for (int b = 0; b < ZxColourCount; ++b) {
    const Rgb c = table[a][b];
    if (b) row += ' ';
    row += std::to_string(RedOf(c)) + ',' + std::to_string(GreenOf(c)) + ',' + std::to_string(BlueOf(c));
  }
  return row;
}

std::string Rows(int count, const MixedColourTableType& table = Distinct()) {
  std::string text;
  for (int a = 0; a < count; ++a) text += Row(a, table) + "\n";
  return text;
}

TEST(MixingProfileFile, ReadsTheRowsAsScreen0ColoursAndTheColumnsAsScreen1Colours) {
  const MixedColourTableType table = Distinct();
  const struct {
    const char* Name;
    std::string Text;
  } cases[] = {
      {"plain", Rows(15)},
      {"written", MixingProfileText(table)},
      {"comments, blank lines, tabs and CRLF", "# my CRT\n\n" + Row(0, table) + "  # black row\r\n" +
                                                   [&] {
                                                     std::string rest;
                                                     for (int a = 1; a < 15; ++a) {
                                                       std::string row = Row(a, table);
                                                       for (char& c : row)
                                                         if (c == ' ' && a % 2) c = '\t';
                                                       rest += "   " + row + "\r\n\n";
                                                     }
                                                     return rest;
                                                   }() +
                                                   "# end"},
      {"no newline at the end", Rows(15).substr(0, Rows(15).size() - 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const MixingProfile profile = ReadMixingProfile(c.Text, "crt.txt");
    EXPECT_EQ(profile.Table, table);
    EXPECT_EQ(profile.Name, "crt.txt");
    EXPECT_EQ(profile.Kind, MixingKind::File);
  }
}

// The good file with one line replaced (1-based).
std::string WithLine(int line, const std::string& content) {
  std::string text;
  for (int a = 0; a < 15; ++a) text += (a + 1 == line ? content : Row(a, Distinct())) + "\n";
  return text;
}

TEST(MixingProfileFile, ABadFileGetsAMessageNamingItsLine) {
  std::string fourteenColours = "0,0,0";
  for (int i = 0; i < 13; ++i) fourteenColours += " 1,2,3";
  std::string fifteen;
  for (int i = 0; i < 15; ++i) fifteen += (i ? " " : "") + std::string("1,2,3");
  const auto with = [&](const std::string& word) { return fifteen.substr(6) + " " + word; };
  const struct {
    const char* Name;
    std::string Text;
    const char* Message;
  } cases[] = {
      {"empty", "", "line 1: the file ends after 0 rows"},
      {"only comments", "# nothing yet\n\n", "line 3: the file ends after 0 rows"},
      {"14 rows", Rows(14), "line 15: the file ends after 14 rows"},
      {"16 rows", Rows(15) + Row(3, Distinct()) + "\n", "line 16: a 16th row"},
      {"a short row", WithLine(4, fourteenColours), "line 4: 14 colours separated by spaces"},
      {"a long row", WithLine(5, fifteen + " 1,2,3"), "line 5: 16 colours"},
      {"a value above 255", WithLine(7, with("256,0,0")), "line 7: \"256,0,0\" has a value above 255"},
      {"four digits", WithLine(2, with("0,1000,0")), "line 2: \"0,1000,0\" has a value above 255"},
      {"semicolons", WithLine(9, with("1;2;3")), "line 9: \"1;2;3\" is not a colour R,G,B"},
      {"commas between colours", WithLine(1, "0,0,0,0,0,0" + fifteen.substr(11)), "line 1: 14 colours"},
      {"two values", WithLine(15, with("68,0")), "line 15: \"68,0\" is not a colour R,G,B"},
      {"four values", WithLine(3, with("1,2,3,4")), "line 3: \"1,2,3,4\" is not a colour"},
      {"a sign", WithLine(6, with("85,-0,75")), "line 6: \"85,-0,75\" is not a colour"},
      {"an empty value", WithLine(6, with("85,,75")), "line 6: \"85,,75\" is not a colour"},
      {"binary", WithLine(1, with("\x01\xff,0,0")), "line 1: \"??,0,0\" is not a colour"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      ReadMixingProfile(c.Text, "bad.txt");
      ADD_FAILURE() << "read";
    } catch (const FormatError& e) {
      EXPECT_NE(std::string(e.what()).find(c.Message), std::string::npos) << e.what();
    }
  }
}

TEST(MixingProfileFile, AFileOverTheCapIsRefusedWhateverItHolds) {
  const std::string huge = Rows(15) + std::string(MaxMixingProfileLength, '#');
  EXPECT_THROW(ReadMixingProfile(huge, "huge.txt"), FormatError);
}

}  // namespace
}  // namespace chromaloom
