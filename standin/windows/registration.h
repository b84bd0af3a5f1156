// The stand-in registered as the running "CATIA.Application": the programmatic identifier in
// the registry and the application in the running object table, as CATIA registers itself.
#pragma once

#include <vector>

#include "platform/windows/com_owners.h"

namespace kelvort::standin {

// The class identifier that "CATIA.Application" names while the stand-in serves.
extern const CLSID kStandInClassId;

// Writes "CATIA.Application" and the class identifier under HKCU\Software\Classes, and
// under HKLM\Software\Classes where the user may (Wine 8 resolves an identifier only from
// there). Raises a RunError when neither can be written.
void RegisterProgId();

// Whether a stand-in's application is in the running object table.
bool StandInRunning();

// The application in the running object table for the registration's life. It also keeps
// one table-strong marshalling of each interface that clients receive, so that no client's
// release of its last proxy of a kind unregisters that interface while the server runs (a
// deadlock of Wine's RPC runtime).
class RunningObject {
 public:
  // application: the application's IDispatch; type_info: one of the server's type infos.
  RunningObject(IDispatch* application, ITypeInfo* type_info);
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
