#include "picture/document.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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

// Each change is one step that undo takes back whole and redo brings again:
// planes, cell height and border alike.
TEST(DocumentHistory, UndoAndRedoWalkEveryStepBothWays) {
  Document doc(test_support::RandomPicture(8, 3));
  std::vector<Picture> states = {doc.Picture()};
  const std::vector<std::string> names = {"Pencil", "Change Char Size", "Border", "Import", "Pencil"};
  for (const std::string& name : names) {
    doc.BeginChange(name);
    if (name == "Pencil") doc.SetPixelBit(1, 17, 99, !doc.Picture().GetPixelBit(1, 17, 99));
    if (name == "Change Char Size") doc.SetCellHeight(2);
    if (name == "Border") {
      ASSERT_TRUE(doc.SetBorderChoice(7, 2));
    }
    if (name == "Import") doc.Replace(test_support::RandomPicture(4, 5), 4, BorderPair{6, 4});
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
    doc.BeginChange("Pencil");
    doc.SetPixelBit(0, x, 0, true);
  }
  ASSERT_TRUE(doc.Undo());
  ASSERT_TRUE(doc.Undo());
  doc.BeginChange("Paste");
  doc.SetAttr(1, 3, 3, {2, 5});
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
  doc.BeginChange("Pencil");
  doc.SetPixelBit(0, 5, 5, doc.Picture().GetPixelBit(0, 5, 5));
  doc.BeginChange("Border");
  EXPECT_FALSE(doc.SetBorderChoice(12, 0));  // outside the table
  doc.BeginChange("Delete");
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
    doc.BeginChange("Pencil");
    for (int i = 0; i < 8; ++i) doc.SetPixelBit(stroke % 2, stroke, i * 20 + stroke % 20, true);
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
      {"change", true}, {"save", false}, {"change", true}, {"undo", false}, {"undo", true},
      {"redo", false},  {"redo", true},  {"undo", false},  {"change", true}, {"undo", false},
      {"open", false},  {"undo", false}, {"change", true},
  };
  Document doc;
  int x = 0;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const std::string action = script[i].Do;
    if (action == "change") {
      doc.BeginChange("Pencil");
      doc.SetPixelBit(0, x++, 0, true);
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
    doc.BeginChange("Pencil");
    doc.SetPixelBit(0, static_cast<int>(stroke), 1, true);
  }
  while (doc.Undo()) EXPECT_TRUE(doc.IsModified());
  EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentHistory, AStepKeepsOnlyWhatChanged) {
  Document doc;
  const std::size_t empty = doc.HistoryBytes();
  doc.BeginChange("Pencil");
  for (int y = 0; y < 10; ++y) doc.SetPixelBit(0, 100, y, true);
  doc.BeginChange("New");
  const std::size_t oneStroke = doc.HistoryBytes() - empty;
  EXPECT_LT(oneStroke, 400u);  // ten touched bytes, not a picture of 36 KB
  doc.Clear(8);
  doc.BeginChange("Pencil");
  EXPECT_GT(doc.HistoryBytes() - empty, oneStroke);
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
