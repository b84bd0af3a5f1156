// What one stand-in CATIA shares among all its objects: its language, its environment, and
// the test support applied to every member call (journal, faults).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "faults.h"
#include "journal.h"
#include "member_table.h"

namespace kelvort::standin {

enum class HostLanguage { kEnglish, kGerman };

struct HostOptions {
  // A German host names user properties <part number>\Eigenschaften\<name>.
  HostLanguage language = HostLanguage::kEnglish;
  // Cache mode: the documents that the opened files place start unloaded.
  bool cache_mode = false;
  // The environment that SystemService.Environ answers from; the process's when unset.
  std::function<std::string(std::string_view)> environment;
};

class Host {
 public:
  explicit Host(HostOptions options = {});

  HostLanguage language() const { return options_.language; }
  bool cache_mode() const { return options_.cache_mode; }
  // The middle word of a user property's name: "Properties" or "Eigenschaften".
  std::string_view PropertiesWord() const;
  // An environment variable's value, empty when it has none.
  std::string Environ(std::string_view name) const;

  Journal& journal() { return journal_; }
  Faults& faults() { return faults_; }

  // What Application.Quit does: the server's face ends serving (writing the documents back)
  // once the call has been answered. Without a handler (in process) Quit does nothing.
  void SetQuitHandler(std::function<void()> handler) { quit_handler_ = std::move(handler); }
  void Quit() const {
    if (quit_handler_) quit_handler_();
  }

  // Applied on entry of every member call: records it and fails it when a fault says so.
  void Serving(std::string_view type_name, InvokeKind kind, std::string_view member, Args args);

 private:
  HostOptions options_;
  Journal journal_;
  Faults faults_;
  std::function<void()> quit_handler_;
};

using HostPtr = std::shared_ptr<Host>;

}  // namespace kelvort::standin
