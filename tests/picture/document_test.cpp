#include "picture/document.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "picture/geometry.h"
#include "support/random_picture.h"

namespace chromaloom {
namespace {

TEST(Document, ValidCellHeightIsZeroForAHeightTheCellRuleDoesNotKnow) {
  struct Case {
    int Stored, Valid;
  };
  for (const Case c :
       {Case{1, 1}, Case{2, 2}, Case{4, 4}, Case{8, 8}, Case{0, 0}, Case{3, 0}, Case{16, 0}, Case{255, 0}}) {
    Picture damaged;
    damaged.CellHeight = static_cast<std::uint8_t>(c.Stored);
    const Document doc(damaged);
    EXPECT_EQ(doc.CellHeight(), c.Stored);
    EXPECT_EQ(doc.ValidCellHeight(), c.Valid) << c.Stored;
  }
}

// Each change is one step that undo takes back whole and redo brings again:
// planes, cell height and border alike.
TEST(DocumentHistory, UndoAndRedoWalkEveryStepBothWays) {
  Document doc(test_support::RandomPicture(8, 3));
  std::vector<Picture> states = {doc.Picture()};
  const std::vector<std::string> names = {"Pencil", "Change Char Size", "Border", "Import", "Pencil"};
  for (const std::string& name : names) {
    Change change(doc, name);
    if (name == "Pencil") change.SetPixelBit(1, 17, 99, !doc.Picture().GetPixelBit(1, 17, 99));
    if (name == "Change Char Size") change.SetCellHeight(2);
    if (name == "Border") {
      ASSERT_TRUE(change.SetBorderChoice(7, 2));
    }
    if (name == "Import") change.Replace(test_support::RandomPicture(4, 5), 4, BorderPair{6, 4});
    change.Commit();
    states.push_back(doc.Picture());
  }
  EXPECT_EQ(doc.UndoName(), "Pencil");
  for (std::size_t i = names.size(); i > 0; --i) {
    EXPECT_EQ(doc.UndoName(), names[i - 1]);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Picture(), states[i - 1]) << "after undoing " << names[i - 1];
    EXPECT_EQ(doc.RedoName(), names[i - 1]);
  }
  EXPECT_FALSE(doc.Undo());
  EXPECT_EQ(doc.UndoName(), "");
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Picture(), states[i + 1]) << "after redoing " << names[i];
  }
  EXPECT_FALSE(doc.Redo());
  EXPECT_EQ(doc.RedoName(), "");
}

TEST(DocumentHistory, ANewChangeAfterUndoDropsTheStepsAhead) {
  Document doc;
  for (int x = 0; x < 3; ++x) {
    Change change(doc, "Pencil");
    change.SetPixelBit(0, x, 0, true);
    change.Commit();
  }
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  Change change(doc, "Paste");
  change.SetAttr(1, 3, 3, {2, 5});
  EXPECT_EQ(doc.RedoName(), "");  // dropped as soon as the change is under way
  EXPECT_FALSE(doc.Redo());
  EXPECT_EQ(doc.UndoName(), "Paste");
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  EXPECT_EQ(doc.Picture(), Picture{});
  EXPECT_FALSE(doc.Undo());
}

TEST(DocumentHistory, AChangeThatChangesNothingLeavesNoStep) {
  Document doc(test_support::RandomPicture(4, 6));
  {
    Change change(doc, "Pencil");
    change.SetPixelBit(0, 5, 5, doc.Picture().GetPixelBit(0, 5, 5));
    change.Commit();
  }
  Change border(doc, "Border");
  EXPECT_FALSE(border.SetBorderChoice(12, 0));  // outside the table
  border.Commit();
  Change(doc, "Delete").Commit();
  EXPECT_EQ(doc.UndoName(), "");
  EXPECT_FALSE(doc.Undo());
  EXPECT_EQ(doc.UndoStepCount(), 0u);
  EXPECT_FALSE(doc.IsModified());
}

// 150 strokes: the newest 100 stay undoable, in order, and the oldest go.
TEST(DocumentHistory, KeepsTheNewestHundredSteps) {
  Document doc;
  std::vector<Picture> states = {doc.Picture()};
  for (int stroke = 0; stroke < 150; ++stroke) {
    Change change(doc, "Pencil");
    for (int i = 0; i < 8; ++i) change.SetPixelBit(stroke % 2, stroke, i * 20 + stroke % 20, true);
    change.Commit();
    states.push_back(doc.Picture());
  }
  std::size_t undone = 0;
  while (doc.Undo()) {
    ++undone;
    ASSERT_EQ(doc.Picture(), states[150 - undone]) << "undo " << undone;
  }
  EXPECT_EQ(undone, Document::MaxUndoSteps);
  EXPECT_GE(undone, 100u);
}

// Modified means: differs from what was last opened or saved, wherever undo
// and redo lead.
TEST(DocumentHistory, ModifiedFollowsTheSavedPlaceInTheHistory) {
  struct Step {
    const char* Do;  // "change", "undo", "redo", "save", "open"
    bool Modified;
  };
  const std::vector<Step> script = {
      {"change", true}, {"save", false}, {"change", true}, {"undo", false},  {"undo", true},
      {"redo", false},  {"redo", true},  {"undo", false},  {"change", true}, {"undo", false},
      {"open", false},  {"undo", false}, {"change", true},
  };
  Document doc;
  int x = 0;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const std::string action = script[i].Do;
    if (action == "change") {
      Change change(doc, "Pencil");
      change.SetPixelBit(0, x++, 0, true);
      change.Commit();
    } else if (action == "undo") {
      doc.Undo();
    } else if (action == "redo") {
      doc.Redo();
    } else if (action == "save") {
      doc.MarkSaved("/pictures/a.mgs");
    } else {
      doc.StartNewHistory("/pictures/b.mgs");
      EXPECT_EQ(doc.UndoName(), "");
      EXPECT_EQ(doc.RedoName(), "");
    }
    EXPECT_EQ(doc.IsModified(), script[i].Modified) << "step " << i << ": " << action;
  }
  EXPECT_EQ(doc.FilePath(), "/pictures/b.mgs");
}

// A saved state that falls out of the oldest end can never come back.
TEST(DocumentHistory, ASavedStateDroppedFromTheHistoryStaysModified) {
  Document doc;
  doc.MarkSaved("/pictures/a.mgs");
  for (std::size_t stroke = 0; stroke <= Document::MaxUndoSteps; ++stroke) {
    Change change(doc, "Pencil");
    change.SetPixelBit(0, static_cast<int>(stroke), 1, true);
    change.Commit();
  }
  while (doc.Undo()) EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentHistory, AStepKeepsOnlyWhatChanged) {
  Document doc;
  const std::size_t empty = doc.HistoryBytes();
  Change stroke(doc, "Pencil");
  for (int y = 0; y < 10; ++y) stroke.SetPixelBit(0, 100, y, true);
  stroke.Commit();
  const std::size_t oneStroke = doc.HistoryBytes() - empty;
  EXPECT_LT(oneStroke, 400u);  // ten touched bytes, not a picture of 36 KB
  Change clear(doc, "New");
  clear.Clear(8);
  clear.Commit();
  EXPECT_GT(doc.HistoryBytes() - empty, oneStroke);
}

// Bad arguments throw before anything changes; the change stays open.
TEST(Change, RefusesOtherCellHeightsAndPlacesOffThePicture) {
  const Picture before = test_support::RandomPicture(2, 9);
  Document doc(before);
  Change change(doc, "Change");
  for (const int bad : {0, 3, 5, 16, -1}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(change.Clear(bad), std::invalid_argument);
    EXPECT_THROW(change.SetCellHeight(bad), std::invalid_argument);
    EXPECT_THROW(change.Replace(Planes{}, bad, BorderPair{5, 4}), std::invalid_argument);
  }
  for (const Point p : {Point{-1, 0}, Point{256, 0}, Point{0, -1}, Point{0, 192}})
    EXPECT_THROW(change.SetPixelBit(0, p.X, p.Y, true), std::out_of_range);
  for (const Point place : {Point{-1, 0}, Point{32, 0}, Point{0, -1}, Point{0, 192}}) {
    EXPECT_THROW(change.SetPixelByte(1, place.X, place.Y, 0xFF), std::out_of_range);
    EXPECT_THROW(change.SetAttr(0, place.X, place.Y, {1, 2}), std::out_of_range);
  }
  EXPECT_THROW(change.SetPixelBit(2, 0, 0, true), std::out_of_range);
  EXPECT_TRUE(change.IsOpen());
  change.Commit();
  EXPECT_EQ(doc.Picture(), before);
  EXPECT_TRUE(doc.TakeTouched().Empty());
  EXPECT_EQ(doc.UndoName(), "");
}

// A change left without Commit, as when an exception passes, puts back
// everything it changed, block edits and cell height included.
TEST(Change, WithoutCommitRollsBack) {
  const Picture before = test_support::RandomPicture(4, 10);
  Document doc(before);
  try {
    Change change(doc, "Paste");
    change.SetPixelByte(0, 3, 7, static_cast<std::uint8_t>(~before.Pixels[0].At(3, 7)));
    change.EditPlanes().Attrs[1].At(30, 190) = {14, 13};
    change.SetCellHeight(1);
    throw std::runtime_error("disk full");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(doc.Picture(), before);
  EXPECT_EQ(doc.UndoName(), "");
  EXPECT_FALSE(doc.IsModified());
}

// One change is open at a time: another, or undo, commits it, and it takes
// no more edits.
TEST(Change, BeginningAnotherOrUndoCommitsTheOpenOne) {
  Document doc;
  Change line(doc, "Line");
  line.SetPixelBit(0, 1, 1, true);
  Change paste(doc, "Paste");
  EXPECT_FALSE(line.IsOpen());
  EXPECT_THROW(line.SetPixelBit(0, 2, 2, true), std::logic_error);
  paste.SetPixelBit(1, 5, 5, true);
  ASSERT_TRUE(doc.Undo());
  EXPECT_FALSE(paste.IsOpen());
  paste.Commit();  // closed already: nothing happens
  EXPECT_EQ(doc.UndoName(), "Line");
  EXPECT_EQ(doc.RedoName(), "Paste");
  EXPECT_FALSE(doc.Picture().GetPixelBit(1, 5, 5));
  EXPECT_TRUE(doc.Picture().GetPixelBit(0, 1, 1));
}

// What the view must render again: each place an edit touched, once, as it
// happens; a block edit's places when the change ends.
TEST(Change, ReportsThePlacesItTouched) {
  Document doc(test_support::RandomPicture(8, 12));
  Change change(doc, "Pencil");
  change.SetPixelBit(0, 17, 5, true);
  change.SetPixelBit(1, 18, 5, true);  // the same byte column
  change.SetAttr(0, 31, 191, {3, 3});
  EXPECT_EQ(doc.TakeTouched().Places(), (std::vector<std::uint16_t>{2 * 192 + 5, 31 * 192 + 191}));
  change.EditPlanes().Pixels[1].At(0, 0) ^= 0x01;
  EXPECT_TRUE(doc.TakeTouched().Empty());
  change.Commit();
  EXPECT_EQ(doc.TakeTouched().Places(), (std::vector<std::uint16_t>{0}));  // not the places taken already
}

}  // namespace
}  // namespace chromaloom
