// Controls that hold a list of texts with one selected item: list boxes and combo boxes,
// and the base of the drive and file lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/toolkit/control.h"

namespace kelvort {

class ListControl : public Control {
 public:
  ListControl(std::string type_name, const ControlDesign& design, bool sorted);

  int16_t ListCount() const { return static_cast<int16_t>(items_.size()); }
  // The item at a position from 0; any other position raises 381.
  const std::string& List(int16_t index) const;
  // -1 when nothing is selected.
  int16_t ListIndex() const { return list_index_; }
  // Selects an item; a position outside -1 to ListCount - 1 raises 380. A change of the
  // selection raises the list's event (Click; Change for a drive list).
  void SetListIndex(int16_t index);
  bool Sorted() const { return sorted_; }
  // What a user's choice of an item does. False when the list takes no input now.
  bool UserSelect(int16_t index);
  // The selected item's text, or the empty text.
  std::string SelectedItem() const;

 protected:
  // Appends an item, or inserts it at a position; a sorted list places it by its own order
  // (letter case ignored) when no position is given. The selection stays on its item.
  void InsertItem(std::string item, std::optional<int16_t> position = {});
  void RemoveItemAt(int16_t index);
  void SetItem(int16_t index, std::string item);
  // Puts a new list in place without a selection and without an event.
  void ReplaceItems(std::vector<std::string> items);
  // AddItem, RemoveItem, Clear and writing List(i), for the lists a program fills itself.
  void AddEditingMembers();
  virtual void SelectionChanged() { FireClick(); }

 private:
  void CheckPosition(int16_t index) const;

  std::vector<std::string> items_;
  int16_t list_index_ = -1;
  bool sorted_;
};

class ListBox : public ListControl {
 public:
  explicit ListBox(const ControlDesign& design, bool sorted = false);
  void AddItem(std::string item) { InsertItem(std::move(item)); }
};

// A drop-down combo box; its Text is the selected item's text or what was typed.
class ComboBox : public ListControl {
 public:
  explicit ComboBox(const ControlDesign& design, bool sorted = false);
  void AddItem(std::string item) { InsertItem(std::move(item)); }
  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  // What a user's typing into the box leaves. False when the box takes no input now.
  bool UserType(std::string text);

 private:
  void SelectionChanged() override;
  std::string text_;
};

}  // namespace kelvort
