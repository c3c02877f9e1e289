#include "picture/mixing_profile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "picture/translated_text.h"

namespace chromaloom {

namespace {

double ToLinear(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double FromLinear(double l) { return l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055; }

// Each channel of the two screens' plain colours through one rule.
template <typename Channel>
MixedColourTableType TableOf(Channel mix) {
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      const Rgb x = ZxRgb(static_cast<ZxColour>(a)), y = ZxRgb(static_cast<ZxColour>(b));
      table[a][b] = MakeRgb(mix(RedOf(x), RedOf(y)), mix(GreenOf(x), GreenOf(y)), mix(BlueOf(x), BlueOf(y)));
    }
  return table;
}

// The site's own models, in its own words.
struct ScenePreset {
  MixingKind Kind;
  const char* Name;
  const char* Levels;
};
constexpr std::array<ScenePreset, 5> ScenePresets = {{
    {MixingKind::Srgb, "sRGB", "00,96,CD,E8,FF,BC:FF,00,00;00,FF,00;00,00,FF"},
    {MixingKind::Pulsar, "Pulsar", "00,76,CD,E9,FF,9F:FF,00,00;00,FF,00;00,00,FF"},
    {MixingKind::Orthodox, "Orthodox", "00,76,CD,E9,FF,9F:D0,00,00;00,E4,00;00,00,FF"},
    {MixingKind::Alone, "Alone", "00,60,A0,E0,FF,A0:FF,00,00;00,FF,00;00,00,FF"},
    {MixingKind::Electroscale, "Electroscale", "4F,A1,DD,F0,FF,BD:39,73,1D;3C,77,1E;46,8C,23"},
}};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

int HexValue(std::string_view digits) {
  const auto fail = [&] {
    throw UnusableValue(
        UserText::Of(QT_TRANSLATE_NOOP("Messages", "\"%1\" is not a hex value 00 to FF"), {std::string(digits)}));
  };
  if (digits.empty() || digits.size() > 2) fail();
  int value = 0;
  for (char c : digits) {
    const int d = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
    if (d < 0) fail();
    value = 16 * value + d;
  }
  return value;
}

// 0 off, 1 normal, 2 bright: a channel's state in one screen's colour.
int ChannelState(ZxColour c, int bit) { return (ZxColourNumber(c) & bit) == 0 ? 0 : IsBright(c) ? 2 : 1; }

// Where the level of a pair of states stands in ZZ,ZN,NN,NB,BB,ZB.
int LevelIndex(int a, int b) {
  constexpr int Index[3][3] = {{0, 1, 5}, {1, 2, 3}, {5, 3, 4}};
  return Index[a][b];
}

// The site's renderer takes every picture through a gamma of 2.2 and back,
// rounding each way, which moves some levels by one; so do we, to show
// what it shows.
int GammaRoundTrip(int v) {
  const auto gamma = [](int x, double power) { return static_cast<int>(std::pow(x / 255.0, power) * 255 + .5); };
  return gamma(gamma(v, 2.2), 1.0 / 2.2);
}

}  // namespace

int AverageChannel(int x, int y) { return (x + y + 1) / 2; }

int LinearChannel(int x, int y) {
  const long v = std::lround(255 * FromLinear((ToLinear(x) + ToLinear(y)) / 2));
  return static_cast<int>(v < 0 ? 0 : v > 255 ? 255 : v);
}

MixingProfile OwnMixing() { return {}; }

MixingProfile AverageMixing() {
  return {MixingKind::Average, QT_TRANSLATE_NOOP("Options", "average"), TableOf(AverageChannel)};
}

MixingProfile LinearMixing() {
  return {MixingKind::Linear, QT_TRANSLATE_NOOP("Options", "linear light"), TableOf(LinearChannel)};
}

SceneLevels ParseSceneLevels(std::string_view text) {
  const auto parts = Split(text, ':');
  if (parts.size() > 2)
    throw UnusableValue(UserText::Of(
        QT_TRANSLATE_NOOP("Messages", "a model has levels and at most one colour matrix after one \":\"")));
  const auto levels = Split(parts[0], ',');
  if (levels.size() != 6)
    throw UnusableValue(
        UserText::Of(QT_TRANSLATE_NOOP("Messages", "a model has six levels (ZZ,ZN,NN,NB,BB,ZB), not %1"),
                     {std::to_string(levels.size())}));
  SceneLevels result;
  for (std::size_t i = 0; i < levels.size(); ++i) result.Levels[i] = HexValue(levels[i]);
  if (parts.size() == 2) {
    const auto rows = Split(parts[1], ';');
    std::vector<std::string_view> values;
    for (std::string_view row : rows)
      for (std::string_view v : Split(row, ',')) values.push_back(v);
    if (values.size() != 9)
      throw UnusableValue(
          UserText::Of(QT_TRANSLATE_NOOP("Messages", "a colour matrix has nine values (three rows of three), not %1"),
                       {std::to_string(values.size())}));
    for (std::string_view row : rows)
      if (rows.size() != 3 || Split(row, ',').size() != 3)
        throw UnusableValue(UserText::Of(
            QT_TRANSLATE_NOOP("Messages", "a colour matrix has three rows of three values, rows separated by \";\"")));
    for (std::size_t i = 0; i < values.size(); ++i) result.Matrix[i] = HexValue(values[i]);
  }
  return result;
}

// Each channel takes the level of its two states, then the matrix mixes
// the channels, rounded to the nearest (out of FF never ties).
MixedColourTableType SceneTable(const SceneLevels& levels) {
  MixedColourTableType table{};
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < ZxColourCount; ++b) {
      std::array<int, 3> in{};  // R, G, B
      const int bits[3] = {2, 4, 1};
      for (int k = 0; k < 3; ++k)
        in[k] = levels.Levels[LevelIndex(ChannelState(static_cast<ZxColour>(a), bits[k]),
                                         ChannelState(static_cast<ZxColour>(b), bits[k]))];
      std::array<int, 3> out{};
      for (int k = 0; k < 3; ++k) {
        const int sum =
            in[0] * levels.Matrix[3 * k] + in[1] * levels.Matrix[3 * k + 1] + in[2] * levels.Matrix[3 * k + 2];
        out[k] = GammaRoundTrip(std::min(255, (2 * sum + 255) / 510));
      }
      table[a][b] = MakeRgb(out[0], out[1], out[2]);
    }
  return table;
}

MixingProfile LevelsMixing(std::string_view text) {
  return {MixingKind::Levels, std::string(text), SceneTable(ParseSceneLevels(text))};
}

const char* SiteLevelsText(MixingKind kind) {
  for (const ScenePreset& preset : ScenePresets)
    if (preset.Kind == kind) return preset.Levels;
  return nullptr;
}

MixingProfile NamedMixingOf(MixingKind kind) {
  if (kind == MixingKind::Average) return AverageMixing();
  if (kind == MixingKind::Linear) return LinearMixing();
  for (const ScenePreset& preset : ScenePresets)
    if (preset.Kind == kind) return {kind, preset.Name, SceneTable(ParseSceneLevels(preset.Levels))};
  return OwnMixing();
}

std::optional<MixingProfile> MixingNamed(const std::string& name) {
  for (const NamedMixing& named : NamedMixings)
    if (name == named.Name) return NamedMixingOf(named.Kind);
  return std::nullopt;
}

bool IsSymmetric(const MixedColourTableType& table) {
  for (int a = 0; a < ZxColourCount; ++a)
    for (int b = 0; b < a; ++b)
      if (table[a][b] != table[b][a]) return false;
  return true;
}

}  // namespace chromaloom
