// The run's hooks into its record.
#include "parameters/recording.h"

#include <exception>
#include <optional>
#include <utility>

#include "host/late_binding.h"
#include "log/procedure.h"
#include "parameters/defined_value.h"

namespace kelvort {
namespace {

// The name a look-up key stands for: the text after a parent's prefix.
std::string ShortName(const std::string& key) {
  const size_t last = key.rfind('\\');
  return last == std::string::npos ? key : key.substr(last + 1);
}

// A parameter or formula as the run holds it after creating it: the real one, whose
// completing steps are recorded once the host has taken them, or, in a dry run, none.
// A dry run's stand-in answers only what the procedures ask of a new item.
class RecordedItemObject final : public Dispatch {
 public:
  RecordedItemObject(RunRecorder& recorder, std::optional<RunRecorder::ItemRef> item,
                     DispatchPtr real, std::string name)
      : recorder_(recorder), item_(item), real_(std::move(real)), name_(std::move(name)) {}

  std::string TypeName() override { return real_ ? real_->TypeName() : "Parameter"; }

  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (!real_ && kind == InvokeKind::kPropertyGet && member == "Name") return name_;
    Variant result;
    if (real_) {
      result = real_->Invoke(kind, member, args);
    } else if (member != "SetEnumerateValues" && member != "Value") {
      Raise(errors::kMemberNotSupported);
    }
    if (item_ && !args.empty()) {
      RecordedItem& item = recorder_.Item(*item_);
      if (kind == InvokeKind::kMethod && member == "SetEnumerateValues") {
        item.permitted.clear();
        for (const Variant& value : args[0].ToArray()) item.permitted.push_back(value.ToText());
      } else if (kind == InvokeKind::kPropertyPut && member == "Value") {
        item.value = ValueWord(args.back());
      }
    }
    return result;
  }

 private:
  RunRecorder& recorder_;
  std::optional<RunRecorder::ItemRef> item_;
  DispatchPtr real_;
  std::string name_;
};

// A parameter, user-property or formula collection whose creations and finds are recorded.
class RecordingCollection final : public Dispatch {
 public:
  RecordingCollection(RunRecorder& recorder, DispatchPtr collection, ItemKind kind)
      : recorder_(recorder), collection_(std::move(collection)), kind_(kind) {}

  std::string TypeName() override { return collection_->TypeName(); }

  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    const bool method = kind == InvokeKind::kMethod;
    if (method && member.starts_with("Create") && !args.empty()) return Create(member, args);
    if (method && member == "Item" && args.size() == 1) {
      if (args[0].kind() == Variant::Kind::kText) return Find(args);
      if (WithWouldBeProperties()) return ItemAt(args[0].ToLong());
    }
    if (kind == InvokeKind::kPropertyGet && member == "Count" && WithWouldBeProperties()) {
      return static_cast<int32_t>(collection_->Get("Count").ToLong() +
                                  recorder_.WouldBeUserProperties().size());
    }
    return collection_->Invoke(kind, member, args);
  }

 private:
  // A dry run lists the user properties it would have created after the real ones, named
  // as the host names a product's user properties, so that their formulas are found.
  bool WithWouldBeProperties() const {
    return recorder_.dry_run() && kind_ == ItemKind::kUserProperty;
  }

  Variant ItemAt(int32_t position) {
    const int32_t held = collection_->Get("Count").ToLong();
    if (position <= held) return collection_->Call("Item", {position});
    const std::vector<std::string> would_be = recorder_.WouldBeUserProperties();
    const auto index = static_cast<size_t>(position - held - 1);
    if (index >= would_be.size()) Raise(errors::kSubscriptOutOfRange);
    return WouldBeItem(recorder_.CurrentPartNumber() + "\\Properties\\" + would_be[index]);
  }

  Variant WouldBeItem(std::string name) {
    return Variant(DispatchPtr(
        std::make_shared<RecordedItemObject>(recorder_, std::nullopt, nullptr, std::move(name))));
  }

  Variant Create(std::string_view member, std::span<const Variant> args) {
    RecordedItem item;
    item.kind = kind_;
    item.name = args[0].ToText();
    if (kind_ == ItemKind::kFormula) {
      item.type = "Formula";
      if (args.size() >= 4) item.value = args[3].ToText();
    } else {
      item.type = std::string(member.substr(6));  // CreateString gives String
      if (args.size() >= 2) item.value = ValueWord(args[1]);
    }
    if (recorder_.dry_run()) {
      std::string name = item.name;
      const auto added = recorder_.Added(std::move(item));
      return Variant(DispatchPtr(
          std::make_shared<RecordedItemObject>(recorder_, added, nullptr, std::move(name))));
    }
    Variant created = collection_->Invoke(InvokeKind::kMethod, member, args);
    std::string name = item.name;
    const auto added = recorder_.Added(std::move(item));
    if (!created.IsObject()) return created;
    return Variant(DispatchPtr(std::make_shared<RecordedItemObject>(
        recorder_, added, created.ToObject(), std::move(name))));
  }

  Variant Find(std::span<const Variant> args) {
    const std::string key = args[0].ToText();
    Variant found;
    std::exception_ptr failure;
    try {
      found = collection_->Invoke(InvokeKind::kMethod, "Item", args);
    } catch (const RunError&) {
      failure = std::current_exception();
    }
    if (!failure && found.IsObject()) {
      recorder_.Existing(kind_, ShortName(key));
      return found;
    }
    if (recorder_.dry_run() && recorder_.WouldHold(kind_, key)) {
      recorder_.Existing(kind_, ShortName(key));
      return WouldBeItem(key);
    }
    // Not found: answered as the host answered.
    if (failure) std::rethrow_exception(failure);
    return found;
  }

  RunRecorder& recorder_;
  DispatchPtr collection_;
  ItemKind kind_;
};

}  // namespace

bool MayChange(const RunState& state) {
  return state.recorder == nullptr || !state.recorder->dry_run();
}

DispatchPtr Recorded(RunState& state, const DispatchPtr& collection, ItemKind kind) {
  if (state.recorder == nullptr || !collection) return collection;
  return std::make_shared<RecordingCollection>(*state.recorder, collection, kind);
}

bool KnownFormula(RunState& state, bool found_by_host, const std::string& formula_name) {
  RunRecorder* recorder = state.recorder;
  if (recorder == nullptr) return found_by_host;
  const bool known = found_by_host ||
                     (recorder->dry_run() && recorder->WouldHold(ItemKind::kFormula, formula_name));
  if (known) recorder->Existing(ItemKind::kFormula, formula_name);
  return known;
}

void RecordValueTaken(RunState& state) {
  if (state.recorder != nullptr) state.recorder->TookUserValue();
}

void RecordClash(RunState& state, std::string name, std::string finding) {
  ++state.UnlinkedDefinitions;
  if (state.recorder != nullptr) state.recorder->Clash(std::move(name), std::move(finding));
}

std::string RecordedPath(const RunState& state) {
  return state.recorder ? state.recorder->CurrentPath() : std::string();
}

void RecordSameDefinition(RunState& state, std::string first_path) {
  if (state.recorder) state.recorder->SameDefinitionAs(std::move(first_path));
}

void DefinitionInHand(RunState& state, const std::string& name) {
  if (state.recorder != nullptr) state.recorder->DefinitionInHand(name);
}

RecordedVisit::RecordedVisit(RunState& state, const DispatchPtr& product, const DispatchPtr& part)
    : recorder_(state.recorder) {
  if (recorder_ == nullptr) return;
  // The description costs a few reads of its own; one that fails leaves its text empty
  // and does not disturb the run.
  std::string instance, part_number, document_name, document_key;
  IgnoringErrors([&] {
    const DispatchPtr described =
        product ? product : ObjectMember(ObjectMember(part, "Parent"), "Product");
    instance = TextMember(described, "Name");
    part_number = TextMember(described, "PartNumber");
    const DispatchPtr document =
        product ? ObjectMember(ObjectMember(product, "ReferenceProduct"), "Parent")
                : ObjectMember(part, "Parent");
    document_name = TextMember(document, "Name");
    document_key = TextMember(document, "FullName");
  });
  recorder_->EnterNode(instance);
  recorder_->DescribeNode(std::move(document_name), std::move(document_key),
                          std::move(part_number));
}

RecordedVisit::~RecordedVisit() {
  if (recorder_ != nullptr) recorder_->LeaveNode(std::uncaught_exceptions() > exceptions_);
}

}  // namespace kelvort
