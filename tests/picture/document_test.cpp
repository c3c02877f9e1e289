#include "picture/document.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/random_picture.h"

namespace chromaloom {
namespace {

TEST(Document, ValidCellHeightIsZeroForAHeightTheCellRuleDoesNotKnow) {
  struct Case {
    int Stored, Valid;
  };
  for (const Case c : {Case{1, 1}, Case{2, 2}, Case{4, 4}, Case{8, 8}, Case{0, 0}, Case{3, 0}, Case{16, 0},
                       Case{255, 0}}) {
    Picture damaged;
    damaged.CharMode = static_cast<std::uint8_t>(c.Stored);
    const Document doc(damaged);
    EXPECT_EQ(doc.CellHeight(), c.Stored);
    EXPECT_EQ(doc.ValidCellHeight(), c.Valid) << c.Stored;
  }
}

// A plain snapshot leaves the cell height with the picture; one taken with
// the cell height brings it back and forth with the planes.
TEST(Document, UndoSwapsTheCellHeightOnlyWhenTheSnapshotHoldsIt) {
  for (const bool withCellHeight : {false, true}) {
    SCOPED_TRACE(withCellHeight);
    const Picture before = test_support::RandomPicture(8, 3);
    const Picture after = test_support::RandomPicture(2, 4);
    Document doc(before);
    if (withCellHeight)
      doc.SaveUndoSnapshotWithCellHeight();
    else
      doc.SaveUndoSnapshot();
    doc.Replace(after, 2, std::nullopt);
    doc.UndoSwap();
    EXPECT_EQ(static_cast<const Planes&>(doc.Picture()), static_cast<const Planes&>(before));
    EXPECT_EQ(doc.CellHeight(), withCellHeight ? 8 : 2);
    EXPECT_EQ(doc.Picture().Border, before.Border);
    doc.UndoSwap();  // and redo
    EXPECT_EQ(static_cast<const Planes&>(doc.Picture()), static_cast<const Planes&>(after));
    EXPECT_EQ(doc.CellHeight(), 2);
    // The next plain snapshot forgets the cell height again.
    doc.SaveUndoSnapshot();
    doc.SetCellHeight(4);
    doc.UndoSwap();
    EXPECT_EQ(doc.CellHeight(), 4);
  }
}

TEST(Document, RefusesOtherCellHeightsAndChangesNothing) {
  const Picture before = test_support::RandomPicture(2, 9);
  Document doc(before);
  for (const int bad : {0, 3, 5, 16, -1}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(doc.Clear(bad), std::invalid_argument);
    EXPECT_THROW(doc.SetCellHeight(bad), std::invalid_argument);
    EXPECT_THROW(doc.Replace(Planes{}, bad, BorderPair{5, 4}), std::invalid_argument);
    EXPECT_EQ(doc.Picture(), before);
  }
}

}  // namespace
}  // namespace chromaloom
