// The stand-in registered as the running "CATIA.Application": the programmatic identifier in
// the registry and the application in the running object table, as CATIA registers itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/windows/com_owners.h"

namespace kelvort::standin {

// The class identifier that "CATIA.Application" names while the stand-in serves.
extern const CLSID kStandInClassId;

// "CATIA.Application" and the class identifier under HKCU\Software\Classes, and under
// HKLM\Software\Classes where the user may (Wine 8 resolves an identifier only from there),
// for the object's life. Construction raises a RunError when neither can be written. At its
// end it deletes the keys it created and gives the values it overwrote back: a registration
// left behind would send a later client to a server that is gone.
class ProgIdRegistration {
 public:
  ProgIdRegistration();
  ~ProgIdRegistration();
  ProgIdRegistration(const ProgIdRegistration&) = delete;
  ProgIdRegistration& operator=(const ProgIdRegistration&) = delete;

 private:
  // One key as it was before the registration wrote its default value.
  struct Change {
    HKEY root;
    std::wstring key;
    // The stand-in's own key: made by it, or left by a stand-in that was killed (it holds the
    // value written now already). Deleted at the end.
    bool own;
    std::optional<std::wstring> previous;  // another's value, given back at the end
  };

  bool RegisterUnder(HKEY root);
  bool WriteDefault(HKEY root, const std::wstring& key, const std::wstring& value);
  void Undo();

  std::vector<Change> changes_;
};

// Whether a stand-in's application is in the running object table.
bool StandInRunning();

// The application in the running object table for the registration's life. It also keeps
// one table-strong marshalling of each interface that clients receive, so that no client's
// release of its last proxy of a kind unregisters that interface while the server runs (a
// deadlock of Wine's RPC runtime).
class RunningObject {
 public:
  // application: the application's IDispatch, entered as class_id; type_info: one of the
  // server's type infos, null for a server without any.
  RunningObject(IDispatch* application, ITypeInfo* type_info,
                const CLSID& class_id = kStandInClassId);
  // Leaves the table and disconnects every client.
  ~RunningObject();
  RunningObject(const RunningObject&) = delete;
  RunningObject& operator=(const RunningObject&) = delete;

 private:
  ComPtr<IDispatch> application_;
  DWORD cookie_ = 0;
  std::vector<ComPtr<IStream>> marshalled_;
};

}  // namespace kelvort::standin
