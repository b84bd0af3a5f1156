// One finding of kelvort --check: where it is, and the lang.xml key of what is wrong with
// the values that fill the key's text ("%1", "%2", ...).
#pragma once

#include <string>
#include <vector>

namespace kelvort {

struct CheckFinding {
  std::string file;  // the file's path as the run uses it, or a name such as "CATIA"
  int line = 0;      // 0 when the finding concerns no one line
  std::string key;
  std::vector<std::string> values;
};

using CheckFindings = std::vector<CheckFinding>;

}  // namespace kelvort
