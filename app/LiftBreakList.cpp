#include "app/LiftBreakList.h"

#include <utility>

#include "support/NumberText.h"

const TLiftBreak* TLiftBreakList::SelectedItem() const {
  if (selected_ == kNoSelection) return nullptr;
  return &items_[static_cast<std::size_t>(selected_)];
}

void TLiftBreakList::Select(int index) {
  selected_ = (index >= 0 && index < Count()) ? index : kNoSelection;
}

void TLiftBreakList::Clear() {
  items_.clear();
  selected_ = kNoSelection;
}

void TLiftBreakList::Append(TLiftBreak entry) { items_.push_back(std::move(entry)); }

bool TLiftBreakList::DeleteSelected() {
  if (selected_ == kNoSelection) return false;
  items_.erase(items_.begin() + selected_);
  Select(0);
  return true;
}

TLiftBreak TLiftBreakList::Proposal() const {
  if (items_.empty()) return {"", 1};
  const TLiftBreak& last = items_.back();
  // Wraps at the top of the 32-bit range like the code read from a file would.
  const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(last.Code) + 1u);
  return {last.Text, next};
}

bool TLiftBreakList::AcceptAdded(const TLiftBreak& proposal, const std::string& text,
                                 std::string_view numberText) {
  const TLiftBreak entry{text, TextToInt(numberText)};
  if (entry.Text.empty() || entry == proposal) return false;
  items_.push_back(entry);
  selected_ = Count() - 1;
  return true;
}
