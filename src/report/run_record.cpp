// The record of one run for its report.
#include "report/run_record.h"

#include <algorithm>

namespace kelvort {
namespace {

// Whether a look-up key names the item: the name itself, or the name behind a parent's
// prefix as a product document's parameters are looked up.
bool KeyNames(std::string_view key, std::string_view name) {
  if (key == name) return true;
  return key.size() > name.size() && key.ends_with(name) &&
         key[key.size() - name.size() - 1] == '\\';
}

}  // namespace

void RunRecorder::EnterNode(std::string_view instance_name) {
  RecordedNode node;
  node.depth = static_cast<int>(open_.size());
  node.instance_path = open_.empty()
                           ? std::string(instance_name)
                           : nodes_[open_.back()].instance_path + "/" + std::string(instance_name);
  unwound_from_.reset();
  open_.push_back(nodes_.size());
  nodes_.push_back(std::move(node));
}

void RunRecorder::DescribeNode(std::string document, std::string document_key,
                               std::string part_number) {
  RecordedNode& node = Current();
  node.document = std::move(document);
  node.document_key = std::move(document_key);
  node.part_number = std::move(part_number);
}

void RunRecorder::LeaveNode(bool unwinding) {
  if (open_.empty()) return;
  if (unwinding && !unwound_from_) unwound_from_ = open_.back();
  open_.pop_back();
}

RecordedNode& RunRecorder::Current() {
  if (open_.empty()) EnterNode("");
  return nodes_[open_.back()];
}

RunRecorder::ItemRef RunRecorder::Added(RecordedItem item) {
  RecordedNode& node = Current();
  if (dry_run_) would_hold_[RegistryKey(item.kind)].push_back(item.name);
  node.added.push_back(std::move(item));
  return {open_.back(), node.added.size() - 1};
}

void RunRecorder::Existing(ItemKind kind, std::string name) {
  Current().existing.emplace_back(kind, std::move(name));
}

void RunRecorder::TookUserValue() {
  RecordedNode& node = Current();
  if (!node.added.empty()) node.added.back().took_user_value = true;
}

void RunRecorder::Clash(std::string name, std::string finding) {
  Current().clashes.push_back({std::move(name), std::move(finding)});
}

std::string RunRecorder::RegistryKey(ItemKind kind) const {
  if (open_.empty()) return {};
  const RecordedNode& node = nodes_[open_.back()];
  // Formulas are found by a search over the whole document, parameters and user
  // properties in the collection of one product or part.
  if (kind == ItemKind::kFormula) return node.document_key + "\n";
  return node.document_key + "\n" + node.part_number + "\n" +
         std::to_string(static_cast<int>(kind));
}

bool RunRecorder::WouldHold(ItemKind kind, std::string_view key) const {
  const auto found = would_hold_.find(RegistryKey(kind));
  if (found == would_hold_.end()) return false;
  return std::any_of(found->second.begin(), found->second.end(),
                     [&](const std::string& name) { return KeyNames(key, name); });
}

std::vector<std::string> RunRecorder::WouldBeUserProperties() const {
  const auto found = would_hold_.find(RegistryKey(ItemKind::kUserProperty));
  return found == would_hold_.end() ? std::vector<std::string>() : found->second;
}

std::string RunRecorder::CurrentPartNumber() const {
  return open_.empty() ? std::string() : nodes_[open_.back()].part_number;
}

std::string RunRecorder::CurrentPath() const {
  return open_.empty() ? std::string() : nodes_[open_.back()].instance_path;
}

void RunRecorder::SameDefinitionAs(std::string first_path) {
  Current().same_definition_as = std::move(first_path);
}

void RunRecorder::Failure(std::string procedure, int32_t number, std::string description) {
  RecordedFailure failure{std::move(procedure), number, std::move(description),
                          std::move(definition_in_hand_)};
  definition_in_hand_.clear();
  std::optional<size_t> node = unwound_from_;
  if (!node && !open_.empty()) node = open_.back();
  unwound_from_.reset();
  if (node) {
    nodes_[*node].failures.push_back(std::move(failure));
  } else {
    run_failures_.push_back(std::move(failure));
  }
}

RecordTotals RunRecorder::Totals() const {
  RecordTotals totals;
  totals.nodes = static_cast<int>(nodes_.size());
  totals.failures = static_cast<int>(run_failures_.size());
  std::set<std::string> definitions;
  for (const RecordedNode& node : nodes_) {
    // A node whose document could not be read is counted as a definition of its own.
    const bool described = !node.document_key.empty();
    if (!described || definitions.insert(node.document_key + '\n' + node.part_number).second) {
      ++totals.definitions;
    }
    for (const RecordedItem& item : node.added) {
      switch (item.kind) {
        case ItemKind::kParameter:
          ++totals.parameters;
          break;
        case ItemKind::kUserProperty:
          ++totals.user_properties;
          break;
        case ItemKind::kFormula:
          ++totals.formulas;
          break;
      }
    }
    totals.existing += static_cast<int>(node.existing.size());
    totals.failures += static_cast<int>(node.failures.size());
    totals.clashes += static_cast<int>(node.clashes.size());
  }
  return totals;
}

}  // namespace kelvort
