// The custom fault list ("Другая неисправность"): entries of a text and a code, in list order,
// with at most one selected entry.
//
// Codes need not be unique or ordered. Texts may be of any length (only the first 64
// Windows-1251 bytes reach the registers); the add dialog limits typed texts to 64 characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TLiftBreak {
  std::string Text;  // UTF-8
  std::int32_t Code = 0;  // only the low 16 bits reach register 9

  bool operator==(const TLiftBreak&) const = default;
};

inline constexpr int kNoSelection = -1;

class TLiftBreakList {
public:
  const std::vector<TLiftBreak>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  int Selected() const { return selected_; }
  const TLiftBreak* SelectedItem() const;  // nullptr when nothing is selected
  void Select(int index);  // an index outside the list selects nothing

  void Clear();  // no entries, nothing selected
  void Append(TLiftBreak entry);  // at the end; the selection stays

  // Removes the selected entry, then selects the first remaining one (nothing when none is
  // left). False when nothing was selected: then nothing changes.
  bool DeleteSelected();

  // What the add dialog offers: ("", 1) for an empty list, else the last entry's text and its
  // code plus 1.
  TLiftBreak Proposal() const;

  // The add dialog closed with OK. The number text is read as a leading decimal integer (0 when
  // it does not start with one). The entry is appended and selected only when the text is not
  // empty and the text or the code differs from the proposal; returns whether it was.
  bool AcceptAdded(const TLiftBreak& proposal, const std::string& text,
                   std::string_view numberText);

  bool operator==(const TLiftBreakList&) const = default;

private:
  std::vector<TLiftBreak> items_;
  int selected_ = kNoSelection;
};
