// What one stand-in CATIA shares among all its objects.
#include "host.h"

#include <cstdlib>

#include "hresult.h"

namespace kelvort::standin {

Host::Host(HostOptions options) : options_(std::move(options)) {}

std::string_view Host::PropertiesWord() const {
  return options_.language == HostLanguage::kGerman ? "Eigenschaften" : "Properties";
}

std::string Host::Environ(std::string_view name) const {
  if (options_.environment) return options_.environment(name);
  const char* value = std::getenv(std::string(name).c_str());
  return value ? value : "";
}

void Host::Serving(std::string_view type_name, InvokeKind kind, std::string_view member,
                   Args args) {
  if (journal_.Active()) {
    journal_.Record(JournalEntry(type_name, kind, member, args));
  }
  if (!faults_.empty() && faults_.Fires(member)) MethodFailed(member, type_name);
}

}  // namespace kelvort::standin
