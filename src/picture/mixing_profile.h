// How the two screens' colours mix on the display: a 15 x 15 table of RGB
// and its name. The picture's own table is the default; the plain and the
// linear-light averages are the two models artists also ask for; the scene's
// archive site shows pictures through models of its own (levels per pair of
// channel states and a colour matrix); and a table of the user's own comes
// from a text file (formats/).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "picture/picture.h"
#include "picture/translated_text.h"
#include "picture/zx_colour.h"

namespace chromaloom {

enum class MixingKind { Own, Average, Linear, File, Srgb, Pulsar, Orthodox, Alone, Electroscale, Levels };

struct MixingProfile {
  MixingKind Kind = MixingKind::Own;
  std::string Name = QT_TRANSLATE_NOOP("Options", "own table");  // what the menus and the export panel call it
  MixedColourTableType Table = MixedColourTable;

  // The mixed colour of a pair; an index past the colours (a damaged
  // file's byte) falls back to the own rule rather than leave the table.
  Rgb Mix(int screen0, int screen1) const {
    if (!IsValidZxColour(screen0) || !IsValidZxColour(screen1))
      return MixColours(static_cast<ZxColour>(screen0), static_cast<ZxColour>(screen1));
    return Table[screen0][screen1];
  }
  // The border as the display shows it: a mixed colour like any other.
  Rgb BorderColour(const Picture& picture) const {
    const BorderPair pair = picture.GetBorderPair();
    return BorderRgb(pair.Screen0, pair.Screen1, Table);
  }

  friend bool operator==(const MixingProfile&, const MixingProfile&) = default;
};

// The rounded mean of two 8-bit values, and their mean in linear light
// (the sRGB transfer function there and back), rounded.
int AverageChannel(int x, int y);
int LinearChannel(int x, int y);

MixingProfile OwnMixing();
MixingProfile AverageMixing();
MixingProfile LinearMixing();

// A channel of each screen is off (Z), normal (N) or bright (B); the display
// shows each pair of states at one level. The site writes a model as
// "ZZ,ZN,NN,NB,BB,ZB" in hex, optionally followed by ":" and a colour matrix
// "r11,r12,r13;r21,r22,r23;r31,r32,r33" (out of FF; without it, none).
struct SceneLevels {
  std::array<int, 6> Levels{};                                 // ZZ, ZN, NN, NB, BB, ZB
  std::array<int, 9> Matrix{255, 0, 0, 0, 255, 0, 0, 0, 255};  // rows R, G, B
  friend bool operator==(const SceneLevels&, const SceneLevels&) = default;
};

// The levels a text holds; std::invalid_argument naming the problem otherwise.
SceneLevels ParseSceneLevels(std::string_view text);
MixedColourTableType SceneTable(const SceneLevels& levels);
// A model given as its text, as the converter's --mixing takes it.
MixingProfile LevelsMixing(std::string_view text);
// The site's own text of one of its models (Srgb to Electroscale); nullptr for other kinds.
const char* SiteLevelsText(MixingKind kind);

struct NamedMixing {
  const char* Name;  // as --mixing spells it
  MixingKind Kind;
};
inline constexpr std::array<NamedMixing, 8> NamedMixings = {
    {{QT_TRANSLATE_NOOP("Options", "own"), MixingKind::Own},
     {QT_TRANSLATE_NOOP("Options", "average"), MixingKind::Average},
     {QT_TRANSLATE_NOOP("Options", "linear"), MixingKind::Linear},
     {"srgb", MixingKind::Srgb},
     {"pulsar", MixingKind::Pulsar},
     {"orthodox", MixingKind::Orthodox},
     {"alone", MixingKind::Alone},
     {"electroscale", MixingKind::Electroscale}}};

// A profile of NamedMixings by its kind (Own for File and Levels, which need more than a name).
MixingProfile NamedMixingOf(MixingKind kind);
// One of NamedMixings by that name; nullopt for any other.
std::optional<MixingProfile> MixingNamed(const std::string& name);
// Whether a mixes with b as b with a, as the image search assumes.
bool IsSymmetric(const MixedColourTableType& table);

}  // namespace chromaloom
