#include "formats/mixing_profile_file.h"

#include <utility>
#include <vector>

#include "formats/format_error.h"

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// A piece of the user's text fit for a message: printable and short.
std::string Shown(std::string_view piece) {
  std::string shown;
  for (const char c : piece.substr(0, 24)) shown += (c >= 0x20 && c < 0x7F) ? c : '?';
  if (piece.size() > 24) shown += "...";
  return "\"" + shown + "\"";
}

[[noreturn]] void Fail(int line, UserText what) {
  throw FormatError(QT_TRANSLATE_NOOP("Messages", "mixing profile line %1: %2"),
                    {std::to_string(line), std::move(what)});
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// "R,G,B" with each value 0..255 in plain digits.
Rgb ParseColour(std::string_view word, int line) {
  int values[3] = {0, 0, 0};
  std::size_t i = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t start = i;
    int value = 0;
    while (i < word.size() && word[i] >= '0' && word[i] <= '9' && i - start < 4) value = value * 10 + (word[i++] - '0');
    const bool separated = k == 2 ? i == word.size() : (i < word.size() && word[i] == ',');
    if (i == start || !separated)
      Fail(line, UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1 is not a colour R,G,B"), {Shown(word)}));
    if (value > 255) Fail(line, UserText::Of(QT_TRANSLATE_NOOP("Messages", "%1 has a value above 255"), {Shown(word)}));
    values[k] = value;
    ++i;  // the comma
  }
  return MakeRgb(values[0], values[1], values[2]);
}

}  // namespace

MixingProfile ReadMixingProfile(std::string_view text, const std::string& name) {
  if (text.size() > MaxMixingProfileLength)
    throw FormatError(
        QT_TRANSLATE_NOOP("Messages", "a mixing profile is a small text file, and this one is over 64 KiB"));
  MixingProfile profile{MixingKind::File, name, {}};
  int rows = 0;
  int line = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    ++line;
    std::string_view content = text.substr(start, end - start);
    start = end + 1;
    content = content.substr(0, content.find('#'));
    const std::vector<std::string_view> words = Words(content);
    if (words.empty()) continue;
    if (rows == ZxColourCount) Fail(line, UserText::Of(QT_TRANSLATE_NOOP("Messages", "a 16th row; a profile has 15")));
    if (words.size() != ZxColourCount)
      Fail(line, UserText::Of(words.size() == 1
                                  ? QT_TRANSLATE_NOOP("Messages", "%1 colour separated by spaces; a row holds 15")
                                  : QT_TRANSLATE_NOOP("Messages", "%1 colours separated by spaces; a row holds 15"),
                              {std::to_string(words.size())}));
    for (int b = 0; b < ZxColourCount; ++b) profile.Table[rows][b] = ParseColour(words[b], line);
    ++rows;
  }
  if (rows < ZxColourCount)
    Fail(line + 1,
         UserText::Of(
             rows == 1
                 ? QT_TRANSLATE_NOOP("Messages", "the file ends after %1 row; a profile has 15 rows of 15 colours")
                 : QT_TRANSLATE_NOOP("Messages", "the file ends after %1 rows; a profile has 15 rows of 15 colours"),
             {std::to_string(rows)}));
  return profile;
}

std::string MixingProfileText(const MixedColourTableType& table) {
  std::string text = "# Row a: the mixed colours of screen-0 colour a with screen-1 colours 0 to 14.\n";
  for (int a = 0; a < ZxColourCount; ++a) {
    for (int b = 0; b < ZxColourCount; ++b) {
      const Rgb c = table[a][b];
      if (b) text += ' ';
      text += std::to_string(RedOf(c));
      text += ',';
      text += std::to_string(GreenOf(c));
      text += ',';
      text += std::to_string(BlueOf(c));
    }
    text += "\n";
  }
  return text;
}

}  // namespace chromaloom
