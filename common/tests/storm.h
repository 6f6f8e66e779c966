#pragma once

#include <cstdint>
#include <cstdlib>

namespace common {

// Length and seed of an event storm: STORM_EVENTS and STORM_SEED, with a
// fixed seed by default so that CI runs are repeatable.
struct Storm {
  uint64_t seed;
  uint64_t events;
};

inline Storm StormFromEnvironment() {
  auto number = [](const char* name, uint64_t fallback) -> uint64_t {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
  };
  return {number("STORM_SEED", 20261207), number("STORM_EVENTS", 20000)};
}

}  // namespace common
