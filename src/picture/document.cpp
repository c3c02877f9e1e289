#include "picture/document.h"

#include <stdexcept>
#include <utility>

namespace chromaloom {

namespace {
void RequireCellHeight(int h) {
  if (!IsValidCharMode(h)) throw std::invalid_argument("char size must be 8, 4, 2 or 1");
}
}  // namespace

void Document::Clear(int h) {
  RequireCellHeight(h);
  picture_.CharMode = static_cast<std::uint8_t>(h);
  picture_.ClearPicture();
}

void Document::SetCellHeight(int h) {
  RequireCellHeight(h);
  picture_.CharMode = static_cast<std::uint8_t>(h);
}

void Document::Replace(const Planes& planes, int h, std::optional<BorderPair> border) {
  RequireCellHeight(h);
  static_cast<Planes&>(picture_) = planes;
  picture_.CharMode = static_cast<std::uint8_t>(h);
  if (border) {
    if (const auto choice = FindBorderChoice(*border)) picture_.SetBorderChoice(choice->Column, choice->Row);
  }
}

void Document::BeginChange(std::string_view what) {
  CloseChange();
  changeName_ = what;
}

void Document::CloseChange() {
  if (!ChangeUnderWay()) return;
  PictureChange step = PictureChange::Between(changeStart_, picture_, changeName_.empty() ? "Change" : changeName_);
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
}

bool Document::Undo() {
  CloseChange();
  if (position_ == 0) return false;
  steps_[--position_].Undo(picture_);
  changeStart_ = picture_;
  return true;
}

bool Document::Redo() {
  CloseChange();
  if (position_ == steps_.size()) return false;
  steps_[position_++].Redo(picture_);
  changeStart_ = picture_;
  return true;
}

std::string Document::UndoName() const {
  if (ChangeUnderWay()) return changeName_.empty() ? "Change" : changeName_;
  return position_ > 0 ? steps_[position_ - 1].What() : std::string();
}

std::string Document::RedoName() const {
  // A change under way drops the steps ahead when it closes.
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
  CloseChange();
  savedPosition_ = position_;
  filePath_ = std::move(filePath);
}

void Document::LeaveFile(bool unsavedWorkBefore) {
  CloseChange();
  filePath_.clear();
  if (!unsavedWorkBefore) savedPosition_ = position_;
}

void Document::StartNewHistory(std::string filePath) {
  steps_.clear();
  position_ = 0;
  savedPosition_ = 0;
  changeStart_ = picture_;
  changeName_.clear();
  filePath_ = std::move(filePath);
}

}  // namespace chromaloom
