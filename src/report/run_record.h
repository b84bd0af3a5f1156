// The record of one run for its report: the nodes of the structure in the order of the walk,
// what was added to each, what was already there and every failure, tied to its node.
// In a dry run it also remembers what would have been added, so that the walk's later
// look-ups find it as they would find the real thing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvort {

enum class ItemKind { kParameter, kUserProperty, kFormula };

// A parameter, user property or formula that the run added (or, dry, would add).
struct RecordedItem {
  ItemKind kind = ItemKind::kParameter;
  std::string name;
  std::string type;   // "String", "Integer", "Boolean", "Formula"
  std::string value;  // a formula's body
  std::vector<std::string> permitted;
  bool took_user_value = false;  // a parameter created holding its user property's value
};

// A definition whose formula was not made because it would change or break what the user
// has: what stood in the way ("driven by MyMat", "values differ: ...", "types differ: ...").
struct RecordedClash {
  std::string name;
  std::string finding;
};

struct RecordedFailure {
  std::string procedure;
  int32_t number = 0;
  std::string description;
  std::string definition;  // the parameter definition in hand, empty when none was
};

// A product or part that the walk reached.
struct RecordedNode {
  int depth = 0;              // 0 for the active document's root
  std::string instance_path;  // instance names from the root, joined by "/"
  std::string document;
  std::string part_number;
  std::string document_key;  // the document's full name: tells documents apart
  std::vector<RecordedItem> added;
  std::vector<std::pair<ItemKind, std::string>> existing;
  std::vector<RecordedFailure> failures;
  std::vector<RecordedClash> clashes;
  // A later placement of a definition handled before: the instance path of that node.
  std::string same_definition_as;
};

// nodes counts the placements reached, definitions the distinct documents and components
// among them.
struct RecordTotals {
  int nodes = 0, definitions = 0, parameters = 0, user_properties = 0, formulas = 0, existing = 0,
      failures = 0, clashes = 0;
  int added() const { return parameters + user_properties + formulas; }
};

class RunRecorder {
 public:
  explicit RunRecorder(bool dry_run) : dry_run_(dry_run) {}

  bool dry_run() const { return dry_run_; }

  // The walk: a node is entered below the current one and left when its subtree is done.
  // A node left because a failure unwinds through it keeps that failure.
  void EnterNode(std::string_view instance_name);
  void DescribeNode(std::string document, std::string document_key, std::string part_number);
  void LeaveNode(bool unwinding);

  // Records an item added to the current node. The answer finds it again, for the steps
  // that complete it (permitted values, a value set after the creation).
  struct ItemRef {
    size_t node = 0, item = 0;
  };
  ItemRef Added(RecordedItem item);
  RecordedItem& Item(ItemRef ref) { return nodes_[ref.node].added[ref.item]; }
  void Existing(ItemKind kind, std::string name);
  // The item added last to the current node took the value its user property had.
  void TookUserValue();
  void Clash(std::string name, std::string finding);
  // Dry run: whether the current node (for formulas, its document) would already hold the
  // item named by the look-up key ("Name", or a prefixed "Parent\Name").
  bool WouldHold(ItemKind kind, std::string_view key) const;
  // Dry run: the names of the user properties the current node would have gained.
  std::vector<std::string> WouldBeUserProperties() const;
  // The part number and the instance path of the node being visited; empty outside the walk.
  std::string CurrentPartNumber() const;
  std::string CurrentPath() const;
  // The node being visited is a placement of the definition handled at first_path.
  void SameDefinitionAs(std::string first_path);

  // The parameter definition the walk works on (empty: none); a failure names it.
  void DefinitionInHand(std::string name) { definition_in_hand_ = std::move(name); }

  // A failure reported under a procedure: tied to the node where it happened, or to the
  // run as a whole outside the walk, and to the definition in hand, which it clears.
  void Failure(std::string procedure, int32_t number, std::string description);

  // The run put the assembly in design mode before the walk, loading what a session that
  // works with a cache had not loaded.
  void AssemblyLoaded() { assembly_loaded_ = true; }
  bool assembly_loaded() const { return assembly_loaded_; }

  // How the run ended: with its closing message, or early.
  void Ended(bool completed) { completed_ = completed; }
  bool completed() const { return completed_; }
  // Whether the run reached the walk: only such a run is on record as the last one.
  void WalkBegins() { walked_ = true; }
  bool walked() const { return walked_; }
  // The walk stopped at the user's request before every node was reached.
  void Stopped() { stopped_ = true; }
  bool stopped() const { return stopped_; }

  const std::vector<RecordedNode>& nodes() const { return nodes_; }
  const std::vector<RecordedFailure>& run_failures() const { return run_failures_; }
  RecordTotals Totals() const;

 private:
  RecordedNode& Current();
  std::string RegistryKey(ItemKind kind) const;

  bool dry_run_;
  bool completed_ = false;
  bool assembly_loaded_ = false;
  bool walked_ = false;
  bool stopped_ = false;
  std::string definition_in_hand_;
  std::vector<RecordedNode> nodes_;
  std::vector<size_t> open_;  // the nodes entered and not yet left, innermost last
  std::optional<size_t> unwound_from_;
  std::vector<RecordedFailure> run_failures_;
  // Dry run: the names each collection would hold, by collection.
  std::map<std::string, std::vector<std::string>> would_hold_;
};

}  // namespace kelvort
