#include "picture/document.h"

#include <stdexcept>
#include <string>
#include <utility>

namespace chromaloom {

namespace {
void RequireCellHeight(int h) {
  if (!IsValidCellHeight(h)) throw std::invalid_argument("char size must be 8, 4, 2 or 1");
}
}  // namespace

void Document::Open(const Change& change, std::string_view name) {
  CommitOpen();
  open_ = &change;
  openEdited_ = false;
  openEdits_.reset();
  changeName_ = name;
}

void Document::CommitOpen() {
  open_ = nullptr;
  if (!ChangeUnderWay()) return;
  PictureChange step = PictureChange::Between(changeStart_, picture_, changeName_.empty() ? "Change" : changeName_);
  // Block edits are found only here; the rest was marked as it happened.
  step.MarkTouched(touched_, openEdits_);
  changeStart_ = picture_;
  if (position_ < steps_.size()) {
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_), steps_.end());
    if (savedPosition_ && *savedPosition_ > position_) savedPosition_.reset();
  }
  steps_.push_back(std::move(step));
  ++position_;
  if (steps_.size() > MaxUndoSteps) {
    steps_.pop_front();
    --position_;
    if (savedPosition_) savedPosition_ = *savedPosition_ == 0 ? std::nullopt : std::optional(*savedPosition_ - 1);
  }
  ++revision_;
}

void Document::RollBackOpen() {
  open_ = nullptr;
  if (!ChangeUnderWay()) return;
  const PictureChange back = PictureChange::Between(changeStart_, picture_, {});
  back.Undo(picture_);
  back.MarkTouched(touched_);
  ++revision_;
}

void Document::Touch(int col, int line) {
  if (col < 0 || col >= ByteColumns || line < 0 || line >= PictureHeight)
    throw std::out_of_range("a place off the picture: column " + std::to_string(col) + ", line " +
                            std::to_string(line));
  touched_.Mark(PlaceOf(col, line));
  openEdits_[static_cast<std::size_t>(PlaceOf(col, line))] = true;
  Edited();
}

void Document::Edited() {
  // The first edit can make the picture modified and name the undo step.
  if (openEdited_) return;
  openEdited_ = true;
  ++revision_;
}

bool Document::Undo() {
  CommitOpen();
  if (position_ == 0) return false;
  const PictureChange& step = steps_[--position_];
  step.Undo(picture_);
  step.MarkTouched(touched_);
  changeStart_ = picture_;
  ++revision_;
  return true;
}

bool Document::Redo() {
  CommitOpen();
  if (position_ == steps_.size()) return false;
  const PictureChange& step = steps_[position_++];
  step.Redo(picture_);
  step.MarkTouched(touched_);
  changeStart_ = picture_;
  ++revision_;
  return true;
}

std::string Document::UndoName() const {
  if (ChangeUnderWay()) return changeName_.empty() ? "Change" : changeName_;
  return position_ > 0 ? steps_[position_ - 1].What() : std::string();
}

std::string Document::RedoName() const {
  // A change under way drops the steps ahead when it is committed.
  if (ChangeUnderWay() || position_ == steps_.size()) return {};
  return steps_[position_].What();
}

std::size_t Document::HistoryBytes() const {
  std::size_t bytes = sizeof(changeStart_);
  for (const PictureChange& step : steps_) bytes += step.Bytes();
  return bytes;
}

bool Document::IsModified() const { return ChangeUnderWay() || savedPosition_ != position_; }

void Document::MarkSaved(std::string filePath) {
  CommitOpen();
  savedPosition_ = position_;
  filePath_ = std::move(filePath);
  ++revision_;
}

void Document::LeaveFile(bool unsavedWorkBefore) {
  CommitOpen();
  filePath_.clear();
  if (!unsavedWorkBefore) savedPosition_ = position_;
  ++revision_;
}

void Document::StartNewHistory(std::string filePath) {
  open_ = nullptr;
  steps_.clear();
  position_ = 0;
  savedPosition_ = 0;
  changeStart_ = picture_;
  changeName_.clear();
  filePath_ = std::move(filePath);
  ++revision_;
}

TouchedPlaces Document::TakeTouched() { return std::exchange(touched_, {}); }

Change::Change(Document& document, std::string_view name) : document_(document) { document_.Open(*this, name); }

Change::~Change() {
  if (IsOpen()) document_.RollBackOpen();
}

void Change::Commit() {
  if (IsOpen()) document_.CommitOpen();
}

Document& Change::Open() {
  if (!IsOpen()) throw std::logic_error("the change \"" + document_.changeName_ + "\" is already closed");
  return document_;
}

void Change::SetPixelBit(int screen, int x, int y, bool on) {
  Document& document = Open();
  if (screen < 0 || screen > 1 || x < 0 || x >= PictureWidth) throw std::out_of_range("a pixel off the picture");
  document.Touch(x / 8, y);
  document.picture_.SetPixelBit(screen, x, y, on);
}

void Change::SetPixelByte(int screen, int col, int line, std::uint8_t bits) {
  Document& document = Open();
  if (screen < 0 || screen > 1) throw std::out_of_range("no screen " + std::to_string(screen));
  document.Touch(col, line);
  document.picture_.Pixels[screen].At(col, line) = bits;
}

void Change::SetAttr(int screen, int col, int line, AttrEntry entry) {
  Document& document = Open();
  if (screen < 0 || screen > 1) throw std::out_of_range("no screen " + std::to_string(screen));
  document.Touch(col, line);
  document.picture_.Attrs[screen].At(col, line) = entry;
}

Planes& Change::EditPlanes() {
  Document& document = Open();
  document.Edited();
  return document.picture_;
}

void Change::Clear(int h) {
  Document& document = Open();
  RequireCellHeight(h);
  document.Edited();
  document.touched_.MarkWhole();
  document.picture_.CellHeight = static_cast<std::uint8_t>(h);
  document.picture_.ClearPicture();
}

void Change::SetCellHeight(int h) {
  Document& document = Open();
  RequireCellHeight(h);
  document.Edited();
  document.touched_.MarkWhole();
  document.picture_.CellHeight = static_cast<std::uint8_t>(h);
}

bool Change::SetBorderChoice(int column, int row) {
  Document& document = Open();
  document.Edited();
  return document.picture_.SetBorderChoice(column, row);
}

void Change::Replace(const Planes& planes, int h, std::optional<BorderPair> border) {
  Document& document = Open();
  RequireCellHeight(h);
  document.Edited();
  document.touched_.MarkWhole();
  static_cast<Planes&>(document.picture_) = planes;
  document.picture_.CellHeight = static_cast<std::uint8_t>(h);
  if (border) {
    if (const auto choice = FindBorderChoice(*border)) document.picture_.SetBorderChoice(choice->Column, choice->Row);
  }
}

}  // namespace chromaloom
