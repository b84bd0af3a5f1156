// List boxes and combo boxes.
#include "forms/toolkit/list_controls.h"

#include <algorithm>
#include <limits>

#include "forms/toolkit/toolkit_errors.h"
#include "util/run_error.h"
#include "util/text.h"

namespace kelvort {

ListControl::ListControl(std::string type_name, const ControlDesign& design, bool sorted)
    : Control(std::move(type_name), design), sorted_(sorted) {
  AddPlacementMembers();
  members().AddProperty("ListCount", [this] { return Variant(ListCount()); });
  members().AddIndexedProperty(
      "List",
      [this](MemberTable::Arguments args) {
        if (args.size() != 1) RaiseWrongArgumentCount();
        return Variant(List(args[0].ToInteger()));
      },
      [this](MemberTable::Arguments args, const Variant& value) {
        if (args.size() != 1) RaiseWrongArgumentCount();
        SetItem(args[0].ToInteger(), value.ToText());
      });
  members().AddProperty(
      "ListIndex", [this] { return Variant(list_index_); },
      [this](const Variant& v) { SetListIndex(v.ToInteger()); });
  members().AddProperty("Sorted", [this] { return Variant(sorted_); });
}

void ListControl::CheckPosition(int16_t index) const {
  if (index < 0 || index >= ListCount()) {
    Raise(errors::kInvalidPropertyArrayIndex, "Invalid property array index");
  }
}

const std::string& ListControl::List(int16_t index) const {
  CheckPosition(index);
  return items_[static_cast<size_t>(index)];
}

void ListControl::SetListIndex(int16_t index) {
  if (index < -1 || index >= ListCount()) Raise(errors::kInvalidPropertyValue);
  if (index == list_index_) return;
  list_index_ = index;
  Changed();
  SelectionChanged();
}

bool ListControl::UserSelect(int16_t index) {
  if (!TakesInput()) return false;
  SetListIndex(index);
  return true;
}

void ListControl::InsertItem(std::string item, std::optional<int16_t> position) {
  if (items_.size() >= static_cast<size_t>(std::numeric_limits<int16_t>::max())) {
    Raise(errors::kOverflow);
  }
  auto where = items_.end();
  if (position) {
    if (*position < 0 || *position > ListCount()) Raise(errors::kInvalidProcedureCall);
    where = items_.begin() + *position;
  } else if (sorted_) {
    const std::string key = ToLower(item);
    where = std::upper_bound(
        items_.begin(), items_.end(), key,
        [](const std::string& k, const std::string& it) { return k < ToLower(it); });
  }
  const auto inserted_at = static_cast<int16_t>(where - items_.begin());
  items_.insert(where, std::move(item));
  if (list_index_ >= inserted_at) ++list_index_;
  Changed();
}

void ListControl::RemoveItemAt(int16_t index) {
  if (index < 0 || index >= ListCount()) Raise(errors::kInvalidProcedureCall);
  items_.erase(items_.begin() + index);
  if (list_index_ == index) {
    list_index_ = -1;
  } else if (list_index_ > index) {
    --list_index_;
  }
  Changed();
}

void ListControl::SetItem(int16_t index, std::string item) {
  CheckPosition(index);
  items_[static_cast<size_t>(index)] = std::move(item);
  Changed();
}

void ListControl::ReplaceItems(std::vector<std::string> items) {
  items_ = std::move(items);
  list_index_ = -1;
  Changed();
}

void ListControl::AddEditingMembers() {
  members().AddMethod("AddItem", [this](MemberTable::Arguments args) {
    if (args.empty() || args.size() > 2) RaiseWrongArgumentCount();
    InsertItem(args[0].ToText(),
               args.size() == 2 ? std::optional<int16_t>(args[1].ToInteger()) : std::nullopt);
    return Variant();
  });
  members().AddMethod("RemoveItem", [this](MemberTable::Arguments args) {
    if (args.size() != 1) RaiseWrongArgumentCount();
    RemoveItemAt(args[0].ToInteger());
    return Variant();
  });
  members().AddMethod("Clear", [this](MemberTable::Arguments) {
    ReplaceItems({});
    return Variant();
  });
}

ListBox::ListBox(const ControlDesign& design, bool sorted)
    : ListControl("ListBox", design, sorted) {
  AddEditingMembers();
  members().AddProperty("Text", [this] { return Variant(SelectedItem()); });
}

std::string ListControl::SelectedItem() const {
  return list_index_ < 0 ? std::string() : items_[static_cast<size_t>(list_index_)];
}

ComboBox::ComboBox(const ControlDesign& design, bool sorted)
    : ListControl("ComboBox", design, sorted) {
  AddEditingMembers();
  members().AddProperty(
      "Text", [this] { return Variant(text_); }, [this](const Variant& v) { SetText(v.ToText()); });
}

void ComboBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  Changed();
  FireChange();
}

bool ComboBox::UserType(std::string text) {
  if (!TakesInput()) return false;
  SetText(std::move(text));
  return true;
}

void ComboBox::SelectionChanged() {
  if (ListIndex() >= 0) text_ = List(ListIndex());
  FireClick();
}

}  // namespace kelvort
