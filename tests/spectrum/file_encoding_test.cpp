#include "spectrum/file_encoding.h"

#include <gtest/gtest.h>

#include <map>

#include "formats/mg_format.h"
#include "formats/mgs_format.h"
#include "formats/one_screen_format.h"
#include "formats/zx_screen_format.h"
#include "spectrum/spectrum_files.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Each kind a save dialog offers (bitmaps aside) comes out of its own
// writer, and no other kind has bytes: a new row in the table of kinds
// without its encoder, or two kinds crossed, fails here.
TEST(FileEncoding, EveryKindTheDialogsSaveComesFromItsOwnWriter) {
  for (const int cellHeight : {8, 1}) {
    SCOPED_TRACE(testing::Message() << "cell height " << cellHeight);
    const Picture picture = test_support::RandomPicture(cellHeight, 40u + cellHeight);
    const std::map<FileKind, Bytes> expected = {
        {FileKind::Mgs, WriteMgs(picture)},
        {FileKind::Img, WriteImg(picture)},
        {FileKind::Mg1, WriteMg1(picture)},
        {FileKind::Mg2, WriteMg(picture)},
        {FileKind::Mg4, WriteMg(picture)},
        {FileKind::Mg8, WriteMg(picture)},
        {FileKind::Z80, WriteSnapshot(picture, FileKind::Z80)},
        {FileKind::Szx, WriteSnapshot(picture, FileKind::Szx)},
        {FileKind::Tap, WriteTape(picture)},
    };
    for (const FileKindInfo& info : FileKinds) {
      SCOPED_TRACE(info.Name);
      if (HoldsOneScreen(info.Kind)) {  // its own writer, or the same refusal
        try {
          EXPECT_EQ(EncodeFile(info.Kind, picture), WriteOneScreen(picture, OneScreenLayoutOf(info.Kind)));
        } catch (const std::invalid_argument&) {
          EXPECT_THROW(EncodeFile(info.Kind, picture), std::invalid_argument);
        }
        continue;
      }
      const std::optional<Bytes> bytes = EncodeFile(info.Kind, picture);
      EXPECT_EQ(bytes.has_value(), info.SaveFilter != nullptr && !IsBitmapExport(info.Kind));
      const auto row = expected.find(info.Kind);
      if (row == expected.end())
        EXPECT_EQ(bytes, std::nullopt);
      else
        EXPECT_EQ(bytes, row->second);
    }
  }
}

}  // namespace
}  // namespace chromaloom
