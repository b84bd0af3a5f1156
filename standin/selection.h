// A document's selection: objects added to it or found by its search.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_object.h"

namespace kelvort::standin {

class Document;
class Selection;

// One object of the selection; its Value is the object.
class SelectedElement : public HostObject {
 public:
  SelectedElement(HostPtr host, std::weak_ptr<Selection> parent, DispatchPtr value);

  std::string_view Type() const override { return "SelectedElement"; }
  std::string Name() const override { return "SelectedElement"; }
  const DispatchPtr& value() const { return value_; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Selection> parent_;
  DispatchPtr value_;
};

class Selection : public HostObject {
 public:
  Selection(HostPtr host, std::weak_ptr<Document> document);

  std::string_view Type() const override { return "Selection"; }
  std::string Name() const override { return "Selection"; }

  // The selected objects, in order. Item wraps one in a SelectedElement when it is asked
  // for: a search over a large structure finds thousands, of which a caller reads a few.
  const std::vector<DispatchPtr>& items() const { return items_; }
  void Clear() { items_.clear(); }
  // Adds a stand-in object once; the host refuses anything else.
  void Add(const DispatchPtr& object);
  // Replaces the selection with the knowledge objects the query finds in the document and
  // the documents its structure reaches, in the order of the structure tree; a document
  // without a window finds nothing, CATIA's answer being unpredictable there. The host
  // refuses a query it does not understand.
  void Search(std::string_view query);

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Document> document_;
  std::vector<DispatchPtr> items_;
};

}  // namespace kelvort::standin
