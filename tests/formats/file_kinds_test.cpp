#include "formats/file_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace chromaloom {
namespace {

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The patterns of a Qt name filter "text (p1 p2 ...)".
std::vector<std::string> Patterns(std::string_view filter) {
  const std::size_t open = filter.rfind('('), close = filter.rfind(')');
  std::vector<std::string> patterns;
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return patterns;
  std::istringstream in(std::string(filter.substr(open + 1, close - open - 1)));
  for (std::string pattern; in >> pattern;) patterns.push_back(pattern);
  return patterns;
}

TEST(FileKinds, EveryRowIsConsistent) {
  const std::vector<std::uint8_t> anyBytes(64, 0);
  for (const FileKindInfo& row : FileKinds) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(&InfoOf(row.Kind), &row);
    const std::string ext(row.Extension);
    for (const std::string& name : {"picture" + ext, "dir.x/PICTURE" + Upper(ext)})
      EXPECT_EQ(FileKindFromName(name), row.Kind) << name;
    EXPECT_EQ(MaxReadLength(row.Kind), row.ReadCap);
    if (row.Read) {
      EXPECT_GT(row.ReadCap, 0u);
    } else {
      EXPECT_THROW(ReadPictureFile(row.Kind, anyBytes), std::invalid_argument);
    }
    // An image has no picture reader: the converter fits and converts it instead.
    if (row.Image) {
      EXPECT_EQ(row.Read, nullptr);
      EXPECT_EQ(row.ImportCaption, nullptr);
    }
    // A kind that is read has an open dialog; one that is exported, a save dialog showing its own extension.
    EXPECT_EQ(row.OpenFilter != nullptr, row.Read != nullptr);
    if (row.ExportCaption) {
      ASSERT_NE(row.SaveFilter, nullptr);
      EXPECT_NE(std::string(row.SaveFilter).find("(*" + ext + ")"), std::string::npos) << row.SaveFilter;
    }
    // A kind that is read lists its own files in its open dialog.
    if (row.OpenFilter) {
      const std::vector<std::string> patterns = Patterns(row.OpenFilter);
      EXPECT_NE(std::find(patterns.begin(), patterns.end(), "*" + ext), patterns.end()) << row.OpenFilter;
    }
    // Qt name filters: "text (*.ext ...)", never the "text|*.ext" of other toolkits.
    for (const char* filter : {row.OpenFilter, row.SaveFilter}) {
      if (!filter) continue;
      EXPECT_NE(std::string(filter).find("(*."), std::string::npos) << filter;
      EXPECT_EQ(std::string(filter).find('|'), std::string::npos) << filter;
    }
  }
}

TEST(FileKind, FromNameIgnoresCaseOfTheExtension) {
  struct Case {
    const char* name;
    std::optional<FileKind> kind;
  };
  for (const Case c : {
           Case{"a.mgs", FileKind::Mgs},         Case{"A.MGS", FileKind::Mgs},
           Case{"s.scr", FileKind::Scr},         Case{"s.$scr", FileKind::HobetaScr},
           Case{"S.$SCR", FileKind::HobetaScr},  Case{"g.img", FileKind::Img},
           Case{"g.$Img", FileKind::HobetaImg},  Case{"m.mg1", FileKind::Mg1},
           Case{"m.MG2", FileKind::Mg2},         Case{"m.mg4", FileKind::Mg4},
           Case{"dir.mgs/m.mg8", FileKind::Mg8}, Case{"out.Bmp", FileKind::Bmp},
           Case{"a.mg3", std::nullopt},          Case{"mgs", std::nullopt},
           Case{"a.mgs.txt", std::nullopt},      Case{"", std::nullopt},
           Case{"a.scrx", std::nullopt},         Case{"photo.PNG", FileKind::Png},
           Case{"p.jpg", FileKind::Jpg},         Case{"p.JPEG", FileKind::Jpeg},
           Case{"p.tif", FileKind::Tif},         Case{"p.TIFF", FileKind::Tiff},
           Case{"p.gif", FileKind::Gif},         Case{"p.webp", FileKind::Webp},
           Case{"p.jpe", std::nullopt},          Case{"p.tiffs", std::nullopt},
           Case{"s.z80", FileKind::Z80},         Case{"S.SZX", FileKind::Szx},
           Case{"t.Tap", FileKind::Tap},         Case{"t.tzx", std::nullopt},
       })
    EXPECT_EQ(FileKindFromName(c.name), c.kind) << c.name;
}

// Bitmaps of the picture at a chosen size: exported, but by no writer of
// the table; GIF and WebP as the two screens in turn.
TEST(FileKind, BmpPngGifAndWebpAreBitmapExports) {
  for (const FileKindInfo& row : FileKinds) {
    const bool animated = row.Kind == FileKind::Gif || row.Kind == FileKind::Webp;
    EXPECT_EQ(IsBitmapExport(row.Kind), row.Kind == FileKind::Bmp || row.Kind == FileKind::Png || animated);
    EXPECT_EQ(IsAnimatedExport(row.Kind), animated) << row.Name;
  }
}

// Snapshots and tapes run the picture on a Spectrum: exported from the
// picture, but by spectrum/ through libspectrum, not by a writer of this level.
TEST(FileKind, SpectrumProgramsAreExportedOnly) {
  for (const FileKindInfo& row : FileKinds) {
    const bool program = row.Kind == FileKind::Z80 || row.Kind == FileKind::Szx || row.Kind == FileKind::Tap;
    EXPECT_EQ(row.SpectrumProgram, program) << row.Name;
    if (!program) continue;
    EXPECT_NE(row.ExportCaption, nullptr) << row.Name;
    EXPECT_EQ(row.Read, nullptr) << row.Name;
    EXPECT_EQ(row.Write, nullptr) << row.Name;
    EXPECT_FALSE(row.Image) << row.Name;
    EXPECT_EQ(WritePictureFile(Picture{}, row.Kind), std::nullopt) << row.Name;
  }
}

TEST(FileKind, NamesAndReadCaps) {
  struct Case {
    FileKind kind;
    std::size_t cap;
  };
  for (const Case c :
       {Case{FileKind::Mgs, 36871}, Case{FileKind::Scr, 6912}, Case{FileKind::HobetaScr, 6929},
        Case{FileKind::Img, 13824}, Case{FileKind::HobetaImg, 13841}, Case{FileKind::Mg1, 24832},
        Case{FileKind::Mg2, 24832}, Case{FileKind::Mg4, 24832}, Case{FileKind::Mg8, 24832}, Case{FileKind::Bmp, 0}}) {
    EXPECT_EQ(MaxReadLength(c.kind), c.cap);
    EXPECT_STRNE(FileKindName(c.kind), "unknown file kind");
  }
  EXPECT_STREQ(FileKindName(FileKind::Mgs), "native .mgs");
  EXPECT_STREQ(FileKindName(FileKind::HobetaScr), "Hobeta ZX screen .$scr");
}

}  // namespace
}  // namespace chromaloom
