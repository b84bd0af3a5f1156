// The stand-in CATIA's application, its document collection and its system service.
#include "application.h"

#include <algorithm>

#include "document.h"
#include "item_key.h"
#include "part.h"
#include "product.h"

namespace kelvort::standin {
namespace {

// The workbench a document of the type opens in.
std::string_view WorkbenchOf(DocumentType type) {
  switch (type) {
    case DocumentType::kProduct:
      return "Assembly";
    case DocumentType::kPart:
      return "PrtCfg";
    case DocumentType::kDrawing:
      return "Drw";
  }
  return {};
}

}  // namespace

Documents::Documents(HostPtr host, std::weak_ptr<Application> application)
    : HostObject(std::move(host)), application_(std::move(application)) {}

Variant Documents::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Documents;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.application_.lock()); }},
      {"Count", 0, 0,
       [](Self& self, Args) -> Variant {
         const auto application = Locked(self.application_, "Count", self.Type());
         return static_cast<int32_t>(application->documents().size());
       }},
      {"Item", 1, 1,
       [](Self& self, Args args) {
         const auto application = Locked(self.application_, "Item", self.Type());
         return Object(ItemByKey(
             application->documents(), args[0],
             [&](const std::string& name) { return application->FindDocument(name); },
             self.Type()));
       }},
      {"Add", 1, 1,
       [](Self& self, Args args) {
         const auto application = Locked(self.application_, "Add", self.Type());
         return Object(application->AddNewDocument(args[0].ToText()));
       }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

SystemService::SystemService(HostPtr host, std::weak_ptr<Application> application)
    : HostObject(std::move(host)), application_(std::move(application)) {}

Variant SystemService::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = SystemService;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.application_.lock()); }},
      {"Environ", 1, 1,
       [](Self& self, Args args) -> Variant { return self.host()->Environ(args[0].ToText()); }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

Application::Application(Passkey, HostPtr host) : HostObject(std::move(host)) {}

ApplicationPtr Application::Create(HostPtr host) {
  auto application = std::make_shared<Application>(Passkey{}, host);
  application->documents_object_ = std::make_shared<Documents>(host, application);
  application->system_service_ = std::make_shared<SystemService>(host, application);
  return application;
}

DocumentPtr Application::FindDocument(std::string_view name) const {
  const auto found = documents_by_name_.find(name);
  return found == documents_by_name_.end() ? nullptr : documents_[found->second];
}

bool Application::AddDocument(DocumentPtr document) {
  if (!documents_by_name_.emplace(document->Name(), documents_.size()).second) return false;
  documents_.push_back(std::move(document));
  return true;
}

void Application::Activate(DocumentPtr document) {
  active_ = std::move(document);
  workbench_ = active_ ? WorkbenchOf(active_->document_type()) : "";
}

DocumentPtr Application::AddNewDocument(const std::string& type) {
  if (type != "Part" && type != "Product") MethodFailed("Add", "Documents");
  const std::string extension = type == "Part" ? ".CATPart" : ".CATProduct";
  std::string name;
  for (int number = 1; name.empty() || FindDocument(name + extension); ++number) {
    name = type + std::to_string(number);
  }
  auto document = std::make_shared<Document>(
      host(), type == "Part" ? DocumentType::kPart : DocumentType::kProduct, name + extension,
      SharedAs<Application>());
  document->SetProduct(Product::CreateReference(host(), name, document));
  if (type == "Part") document->SetPart(Part::Create(host(), document));
  document->MarkNew();
  document->OpenWindow();  // a new document opens in a window of its own
  AddDocument(document);
  Activate(document);
  return document;
}

void Application::CloseDocument(const DocumentPtr& document) {
  const auto found = std::find(documents_.begin(), documents_.end(), document);
  if (found == documents_.end()) MethodFailed("Close", document->Type());
  documents_.erase(found);
  documents_by_name_.clear();
  for (size_t i = 0; i < documents_.size(); ++i) {
    documents_by_name_.emplace(documents_[i]->Name(), i);
  }
  if (active_ == document) Activate(documents_.empty() ? nullptr : documents_.back());
}

void Application::StartWorkbench(const std::string& id) {
  if (!active_ || (id != "Assembly" && id != "PrtCfg" && id != "Drw")) {
    MethodFailed("StartWorkbench", Type());
  }
  workbench_ = id;
}

Variant Application::Serve(InvokeKind kind, std::string_view member, Args args) {
  using Self = Application;
  static const MemberTable<Self> kMembers{
      {"Name", 0, 0, [](Self& self, Args) -> Variant { return self.Name(); }},
      {"Parent", 0, 0, [](Self& self, Args) { return Object(self.SharedAs<Application>()); }},
      {"Documents", 0, 0, [](Self& self, Args) { return Object(self.documents_object_); }},
      {"ActiveDocument", 0, 0,
       [](Self& self, Args) {
         if (!self.active()) MethodFailed("ActiveDocument", self.Type());
         return Object(self.active());
       }},
      {"GetWorkbenchId", 0, 0, [](Self& self, Args) -> Variant { return self.workbench(); }},
      {"StartWorkbench", 1, 1,
       [](Self& self, Args args) -> Variant {
         self.StartWorkbench(args[0].ToText());
         return {};
       }},
      {"SystemService", 0, 0, [](Self& self, Args) { return Object(self.system_service_); }},
      {"Quit", 0, 0,
       [](Self& self, Args) {
         self.host()->Quit();
         return Variant();
       }},
      {"DisplayFileAlerts", 0, 0,
       [](Self& self, Args) -> Variant { return self.display_file_alerts_; },
       [](Self& self, const Variant& value) { self.display_file_alerts_ = value.ToBoolean(); }},
      {"RefreshDisplay", 0, 0, [](Self& self, Args) -> Variant { return self.refresh_display_; },
       [](Self& self, const Variant& value) { self.refresh_display_ = value.ToBoolean(); }},
      {"StatusBar", 0, 0, [](Self& self, Args) -> Variant { return self.status_bar_; },
       [](Self& self, const Variant& value) { self.status_bar_ = value.ToText(); }},
  };
  return kMembers.Serve(*this, kind, member, args);
}

}  // namespace kelvort::standin
