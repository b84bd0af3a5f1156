// The stand-in CATIA's application: its documents, the active one, the current workbench
// and the system service.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "document.h"
#include "name_index.h"

namespace kelvort::standin {

class Application;
using ApplicationPtr = std::shared_ptr<Application>;

// The open documents, in the order they were opened.
class Documents : public HostObject {
 public:
  Documents(HostPtr host, std::weak_ptr<Application> application);
  std::string_view Type() const override { return "Documents"; }
  std::string Name() const override { return "Documents"; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Application> application_;
};

// The host's system services: its environment.
class SystemService : public HostObject {
 public:
  SystemService(HostPtr host, std::weak_ptr<Application> application);
  std::string_view Type() const override { return "SystemService"; }
  std::string Name() const override { return "SystemService"; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::weak_ptr<Application> application_;
};

class Application : public HostObject {
  struct Passkey {};

 public:
  static ApplicationPtr Create(HostPtr host);
  Application(Passkey, HostPtr host);

  std::string_view Type() const override { return "Application"; }
  std::string Name() const override { return "CNEXT"; }

  const std::vector<DocumentPtr>& documents() const { return documents_; }
  DocumentPtr FindDocument(std::string_view name) const;
  // Adds an open document; false when one of the same file name is open already, which
  // the host does not allow.
  bool AddDocument(DocumentPtr document);
  // The active document; null when no document is open.
  const DocumentPtr& active() const { return active_; }
  // Makes a document active; the workbench follows its type.
  void Activate(DocumentPtr document);
  // Documents.Add: a new, empty document of the type ("Part" or "Product") named as CATIA
  // names them (Part1.CATPart, Product1.CATProduct, the first number not open), made active.
  // It has no file and is never written back.
  DocumentPtr AddNewDocument(const std::string& type);
  // Document.Close: the document is no longer open; when it was active, the last opened of
  // the others becomes active.
  void CloseDocument(const DocumentPtr& document);

  const std::string& workbench() const { return workbench_; }
  // Starts a known workbench ("Assembly", "PrtCfg", "Drw") while a document is open.
  void StartWorkbench(const std::string& id);
  bool display_file_alerts() const { return display_file_alerts_; }

 protected:
  Variant Serve(InvokeKind kind, std::string_view member, Args args) override;

 private:
  std::vector<DocumentPtr> documents_;
  NameIndex documents_by_name_;
  DocumentPtr active_;
  std::shared_ptr<Documents> documents_object_;
  std::shared_ptr<SystemService> system_service_;
  std::string workbench_;
  bool display_file_alerts_ = true;
  bool refresh_display_ = true;  // a real CATIA redraws after every call while it is set
  // The status bar's text, as CATIA shows it when no command runs.
  std::string status_bar_ = "Select an object or a command";
};

}  // namespace kelvort::standin
