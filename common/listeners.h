#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

namespace common {

// Any number of listeners to one kind of event, called in the order they
// were added. One added while an event is being told hears the next one.
template <class... Args>
class Listeners {
 public:
  using Listener = std::function<void(Args...)>;

  void Add(Listener listener) { listeners_.push_back(std::move(listener)); }

  void operator()(Args... args) const {
    for (size_t i = 0, count = listeners_.size(); i < count; ++i) listeners_[i](args...);
  }

 private:
  std::deque<Listener> listeners_;  // keeps each one in place while more are added
};

}  // namespace common
