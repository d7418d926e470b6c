// A list of callbacks that views subscribe to and unsubscribe from while
// being told; each is told with the list as it was when the news began.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace host {

template <class... A>
class TListeners {
public:
  using TListener = std::function<void(A...)>;

  // Returns the id Remove takes.
  int Add(TListener Listener) {
    FItems.push_back({++FLastId, std::move(Listener)});
    return FLastId;
  }
  void Remove(int Id) {
    std::erase_if(FItems, [Id](const auto& Item) { return Item.first == Id; });
  }
  void Notify(A... Args) const {
    const auto items = FItems;
    for (const auto& [id, listener] : items) {
      // One removed by an earlier listener is not told any more.
      const bool present =
          std::any_of(FItems.begin(), FItems.end(), [id = id](const auto& Item) { return Item.first == id; });
      if (present) listener(Args...);
    }
  }

private:
  std::vector<std::pair<int, TListener>> FItems;
  int FLastId = 0;
};

}  // namespace host
