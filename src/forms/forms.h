// The program's five forms as the run state holds them: each is loaded on its first access
// (its Form_Load runs then) and stays loaded until it is unloaded.
#pragma once

#include <array>
#include <memory>

#include "platform/platform.h"

namespace kelvort {

struct RunState;
class Form;
class FrmMain;
class FrmSettings;
class FrmFileBrowser;
class FrmFolderBrowser;
class FrmAbout;
class Renderer;

enum class FormId { kMain, kSettings, kFileBrowser, kFolderBrowser, kAbout };

class Forms {
 public:
  explicit Forms(RunState& state);
  ~Forms();
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;

  // Each access loads its form when it is not loaded. A reference stays valid until the
  // form is unloaded; the next access then loads a fresh form.
  FrmMain& frmMain();
  FrmSettings& frmSettings();
  FrmFileBrowser& frmFileBrowser();
  FrmFolderBrowser& frmFolderBrowser();
  FrmAbout& frmAbout();
  Form& Get(FormId id);

  bool IsLoaded(FormId id) const;
  // Runs the form's Form_Unload and drops it. A form that is not loaded is not touched.
  void Unload(FormId id);
  // Shows the form modally through the renderer (loading it first when needed); returns
  // when the form has been hidden or unloaded.
  void ShowModal(FormId id);

  Renderer& renderer() { return *renderer_; }
  // Puts another renderer in place (the headless one is the default).
  void SetRenderer(std::unique_ptr<Renderer> renderer);

 private:
  template <typename T>
  T& Load(FormId id);

  RunState& state_;
  std::array<std::shared_ptr<Form>, 5> loaded_;
  std::unique_ptr<Renderer> renderer_;
  WindowHandle next_handle_ = 1;
};

}  // namespace kelvort
