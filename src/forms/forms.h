// The program's five forms: each is loaded on its first access (its Form_Load runs then)
// and stays loaded until it is unloaded. A Forms is built beside the run state and points
// the state at itself for its lifetime, so that every procedure reaches the forms through
// the state.
#pragma once

#include <array>
#include <memory>

#include "forms/toolkit/form_collection.h"
#include "platform/platform.h"

namespace kelvort {

class FrmMain;
class FrmSettings;
class FrmFileBrowser;
class FrmFolderBrowser;
class FrmAbout;

class Forms final : public FormCollection {
 public:
  // The state must outlive the forms.
  explicit Forms(RunState& state);
  ~Forms() override;
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  FrmMain& frmMain();
  FrmSettings& frmSettings();
  FrmFileBrowser& frmFileBrowser();
  FrmFolderBrowser& frmFolderBrowser();
  FrmAbout& frmAbout();

  Form& Get(FormId id) override;
  bool IsLoaded(FormId id) const override;
  void Unload(FormId id) override;
  void ShowModal(FormId id) override;
  // Shows the form without a modal and returns when it has been hidden or unloaded.
  void ShowUntilClosed(FormId id);
  Renderer& renderer() override { return *renderer_; }
  void SetRenderer(std::unique_ptr<Renderer> renderer) override;

 private:
  template <typename T>
  T& Load(FormId id);

  RunState& state_;
  std::array<std::shared_ptr<Form>, 5> loaded_;
  std::unique_ptr<Renderer> renderer_;
};

// The program's forms that the state points to; run-time error 91 when it has none.
Forms& FormsOf(const RunState& state);

}  // namespace kelvort
