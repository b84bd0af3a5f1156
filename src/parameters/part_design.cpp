// Part design entered for a part placed in an assembly only once the run creates something
// in it.
#include "parameters/part_design.h"

#include <utility>

#include "host/late_binding.h"
#include "parameters/recording.h"

namespace kelvort {

struct PartDesignOnDemand::Shared {
  RunState& state;
  DispatchPtr part;
  DispatchPtr selection;
  bool entered = false;

  Shared(RunState& run, DispatchPtr design_part, DispatchPtr design_selection)
      : state(run), part(std::move(design_part)), selection(std::move(design_selection)) {}

  // Makes the part the selected object and the workbench part design, as working on a part
  // placed in an assembly needs. Tried once: a failure is the failure of the creation that
  // asked for it, and the later creations go ahead without it.
  void Enter() {
    if (entered) return;
    entered = true;
    Dispatch& chosen = Deref(selection);
    chosen.Call("Clear");
    chosen.Call("Add", {Variant(part)});
    Dispatch& application = Deref(state.CatiaApp);
    if (application.Call("GetWorkbenchId").ToText() != "Assembly") {
      if (MayChange(state)) application.Call("StartWorkbench", {"Assembly"});
    }
    if (MayChange(state)) application.Call("StartWorkbench", {"PrtCfg"});
  }
};

namespace {

// A collection whose create calls enter part design first; everything else passes through.
class GuardedCollection final : public Dispatch {
 public:
  GuardedCollection(std::shared_ptr<PartDesignOnDemand::Shared> shared, DispatchPtr collection)
      : shared_(std::move(shared)), collection_(std::move(collection)) {}

  std::string TypeName() override { return collection_->TypeName(); }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    if (kind == InvokeKind::kMethod && member.starts_with("Create")) shared_->Enter();
    return collection_->Invoke(kind, member, args);
  }

 private:
  std::shared_ptr<PartDesignOnDemand::Shared> shared_;
  DispatchPtr collection_;
};

DispatchPtr Guard(const std::shared_ptr<PartDesignOnDemand::Shared>& shared,
                  const DispatchPtr& collection) {
  if (!collection) return collection;
  return std::make_shared<GuardedCollection>(shared, collection);
}

// The part, answering its parameter and formula collections guarded.
class GuardedPart final : public Dispatch {
 public:
  explicit GuardedPart(std::shared_ptr<PartDesignOnDemand::Shared> shared)
      : shared_(std::move(shared)) {}

  std::string TypeName() override { return shared_->part->TypeName(); }
  Variant Invoke(InvokeKind kind, std::string_view member, std::span<const Variant> args) override {
    const Variant answer = shared_->part->Invoke(kind, member, args);
    const bool collection = kind == InvokeKind::kPropertyGet &&
                            (member == "Parameters" || member == "Relations") && answer.IsObject();
    return collection ? Variant(Guard(shared_, answer.ToObject())) : answer;
  }

 private:
  std::shared_ptr<PartDesignOnDemand::Shared> shared_;
};

}  // namespace

PartDesignOnDemand::PartDesignOnDemand(RunState& state, DispatchPtr part, DispatchPtr selection)
    : shared_(std::make_shared<Shared>(state, std::move(part), std::move(selection))) {}

DispatchPtr PartDesignOnDemand::part() const {
  return std::make_shared<GuardedPart>(shared_);
}

DispatchPtr PartDesignOnDemand::Guarded(const DispatchPtr& collection) const {
  return Guard(shared_, collection);
}

bool PartDesignOnDemand::entered() const {
  return shared_->entered;
}

}  // namespace kelvort
