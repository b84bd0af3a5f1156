// A document: a product, part or drawing document, loaded from one file.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host_object.h"
#include "name_index.h"

namespace kelvort::standin {

class Application;
class Part;
class Product;
class Selection;

enum class DocumentType { kProduct, kPart, kDrawing };

// "ProductDocument", "PartDocument", "DrawingDocument".
std::string_view DocumentTypeName(DocumentType type);

class Document : public HostObject {
 public:
  Document(HostPtr host, DocumentType type, std::filesystem::path file,
           std::weak_ptr<Application> application);

  std::string_view Type() const override { return DocumentTypeName(type_); }
  // The file name.
  std::string Name() const override { return file_.filename().string(); }
  // Folder and file name, in the Windows form that the program works with (Z:\...).
  std::string FullName() const;

  DocumentType document_type() const { return type_; }
  const std::filesystem::path& file() const { return file_; }
  std::shared_ptr<Application> application() const { return application_.lock(); }

  // The root product (product and part documents).
  const std::shared_ptr<Product>& product() const { return product_; }
  void SetProduct(std::shared_ptr<Product> product) { product_ = std::move(product); }
  // The part (part documents).
  const std::shared_ptr<Part>& part() const { return part_; }
  void SetPart(std::shared_ptr<Part> part) { part_ = std::move(part); }
  // Reference products defined inside this product document besides the root, in the
  // order of the file, found by part number.
  const std::vector<std::shared_ptr<Product>>& components() const { return components_; }
  std::shared_ptr<Product> FindComponent(std::string_view part_number) const;
  bool AddComponent(std::shared_ptr<Product> component);

  const std::shared_ptr<Selection>& selection();

  // A document made by Documents.Add: it has no file and is never written back.
  bool is_new() const { return is_new_; }
  void MarkNew() { is_new_ = true; }
  // Whether a window shows the document: those opened as files and those made by
  // Documents.Add have one; documents that their structures reach have none, and their
  // selection's search finds nothing.
  bool has_window() const { return has_window_; }
  void OpenWindow() { has_window_ = true; }
  // Whether the document's content is loaded; in cache mode, placed documents start
  // unloaded and their products answer little until a work mode loads them.
  bool loaded() const { return loaded_; }
  void SetLoaded(bool loaded) { loaded_ = loaded; }

  bool changed() const { return changed_; }
  void MarkChanged() { changed_ = true; }
  void MarkSaved() { changed_ = false; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  DocumentType type_;
  std::filesystem::path file_;
  std::weak_ptr<Application> application_;
  std::shared_ptr<Product> product_;
  std::shared_ptr<Part> part_;
  std::vector<std::shared_ptr<Product>> components_;
  NameIndex components_by_part_number_;
  std::shared_ptr<Selection> selection_;
  bool changed_ = false;
  bool is_new_ = false;
  bool has_window_ = false;
  bool loaded_ = true;
};

using DocumentPtr = std::shared_ptr<Document>;

}  // namespace kelvort::standin
