// A document's selection and its elements.
#include "selection.h"

#include <algorithm>

#include "document.h"
#include "item_key.h"
#include "knowledge_search.h"

namespace kelvort::standin {

SelectedElement::SelectedElement(HostPtr host, std::weak_ptr<Selection> parent, DispatchPtr value)
    : HostObject(std::move(host)), parent_(std::move(parent)), value_(std::move(value)) {}

Variant SelectedElement::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = SelectedElement;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.parent_.lock()); }},
      {"Value", 0, 0, [](Self& self, Args) { return Object(self.value()); }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

Selection::Selection(HostPtr host, std::weak_ptr<Document> document)
    : HostObject(std::move(host)), document_(std::move(document)) {}

void Selection::Add(const DispatchPtr& object) {
  // Structure and knowledge objects can be selected; documents and the application cannot.
  const auto element = std::dynamic_pointer_cast<HostObject>(object);
  static constexpr std::string_view kSelectable[] = {
      "Product", "Part", "Formula", "StrParam", "IntParam", "BoolParam", "RealParam"};
  if (!element || std::find(std::begin(kSelectable), std::end(kSelectable), element->Type()) ==
                      std::end(kSelectable)) {
    MethodFailed("Add", Type());
  }
  if (std::find(items_.begin(), items_.end(), object) == items_.end()) items_.push_back(object);
}

void Selection::Search(std::string_view query) {
  const auto parsed = ParseSearchQuery(query);
  const auto document = document_.lock();
  if (!parsed || !document) MethodFailed("Search", Type());
  items_.clear();
  if (document->has_window()) items_ = FindKnowledgeObjects(*document, *parsed);
}

Variant Selection::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Selection;
  constexpr auto count = [](Self& self, Args) -> Variant {
    return static_cast<int32_t>(self.items().size());
  };
  constexpr auto item = [](Self& self, Args args) {
    DispatchPtr value = ItemByKey(
        self.items(), args[0], [](const std::string&) { return nullptr; }, self.Type());
    return Object(std::make_shared<SelectedElement>(self.host(), self.SharedAs<Selection>(),
                                                    std::move(value)));
  };
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.document_.lock()); }},
      {"Clear", 0, 0,
       [](Self& self, Args) -> Variant {
         self.Clear();
         return {};
       }},
      {"Add", 1, 1,
       [](Self& self, Args args) -> Variant {
         self.Add(args[0].ToObjectOrNull());
         return {};
       }},
      {"Search", 1, 1,
       [](Self& self, Args args) -> Variant {
         self.Search(args[0].ToText());
         return {};
       }},
      {"Count", 0, 0, count},
      {"Count2", 0, 0, count},
      {"Item", 1, 1, item},
      {"Item2", 1, 1, item},
  };
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
