#include "host/stream/EventNames.h"

#include <algorithm>
#include <unordered_map>

#include "host/core/CaseFold.h"

namespace host {
namespace {

using TNames = std::vector<std::pair<std::string, std::string>>;

// Hears of the destruction of every component that has names, so that an
// entry never outlives its component (a new component at the same address
// must not inherit stale names).
class TEventNameWatcher : public TComponent {
public:
  TEventNameWatcher() : TComponent(nullptr) {}
  std::unordered_map<const TComponent*, TNames> Table;

  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) Table.erase(AComponent);
  }
};

TEventNameWatcher& Watcher() {
  // Never destroyed: components still alive at exit must not be notified by
  // a watcher that is going away.
  static TEventNameWatcher* watcher = new TEventNameWatcher();
  return *watcher;
}

}  // namespace

void SetEventHandlerName(TComponent* Component, std::string_view Event, const std::string& Handler) {
  if (!Component) return;
  TEventNameWatcher& w = Watcher();
  auto it = w.Table.find(Component);
  if (Handler.empty()) {
    if (it == w.Table.end()) return;
    TNames& names = it->second;
    names.erase(std::remove_if(names.begin(), names.end(), [&](const auto& p) { return SameText(p.first, Event); }),
                names.end());
    if (names.empty()) {
      w.Table.erase(it);
      Component->RemoveFreeNotification(&w);
    }
    return;
  }
  if (it == w.Table.end()) {
    it = w.Table.emplace(Component, TNames{}).first;
    Component->FreeNotification(&w);
  }
  for (auto& p : it->second)
    if (SameText(p.first, Event)) {
      p.second = Handler;
      return;
    }
  it->second.emplace_back(std::string(Event), Handler);
}

std::string GetEventHandlerName(const TComponent* Component, std::string_view Event) {
  const TEventNameWatcher& w = Watcher();
  auto it = w.Table.find(Component);
  if (it == w.Table.end()) return {};
  for (const auto& p : it->second)
    if (SameText(p.first, Event)) return p.second;
  return {};
}

std::vector<std::pair<std::string, std::string>> GetEventHandlerNames(const TComponent* Component) {
  const TEventNameWatcher& w = Watcher();
  auto it = w.Table.find(Component);
  return it == w.Table.end() ? TNames{} : it->second;
}

std::size_t EventHandlerTableSize() { return Watcher().Table.size(); }

}  // namespace host
