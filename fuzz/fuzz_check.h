#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// A broken property: says which and on what text, then aborts so that
// libFuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const std::string& what, std::string_view text) {
  std::fprintf(stderr, "\nBROKEN: %s\ntext: \"", what.c_str());
  for (const unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      std::fputc(c, stderr);
    } else {
      std::fprintf(stderr, "\\x%02x", c);
    }
  }
  std::fprintf(stderr, "\"\n");
  std::abort();
}

// printf into a std::string, for numbers in messages and for reference texts.
template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return buffer;
}

}  // namespace fuzz
