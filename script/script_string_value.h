#pragma once

// The C++ side of a script "string" value, for host functions that take or
// give one.

#include <cstdint>
#include <cstring>
#include <string>

namespace vek {

// A script string: its text lives in a std::string on the heap, and the
// value itself is only the pointer to it, kept as bytes. The engine places
// value-type variables in its script stack at 4-byte boundaries, where a
// std::string (or a plain pointer) would be misaligned; an array of bytes
// may live anywhere. Copies copy the text, so each value owns its own.
//
// The engine can also hand a host function the memory of a variable that
// it has not constructed yet: a script may use a local string in its own
// initialiser (string s = s + "x";), which the compiler lets through. So
// the pointer is kept with a seal derived from it, and constructed() tells a
// value from memory that never held one (or no longer does).
class ScriptStringValue {
 public:
  ScriptStringValue() : ScriptStringValue(std::string()) {}
  explicit ScriptStringValue(std::string text) { hold(new std::string(std::move(text))); }
  ScriptStringValue(const ScriptStringValue& other) : ScriptStringValue(other.text()) {}
  ScriptStringValue& operator=(const ScriptStringValue& other) {
    text() = other.text();
    return *this;
  }
  ~ScriptStringValue() {
    delete &text();
    std::memset(pointerBytes_, 0, sizeof pointerBytes_);
    std::memset(sealBytes_, 0, sizeof sealBytes_);
  }

  // True when this memory holds a value that was constructed and not yet
  // destroyed; stray bytes pass only with a chance of one in 2^64.
  bool constructed() const {
    std::uintptr_t held = pointerBits();
    std::uintptr_t seal;
    std::memcpy(&seal, sealBytes_, sizeof seal);
    return held != 0 && (held ^ kSealKey) == seal;
  }

  // The text; only for a constructed value.
  std::string& text() const { return *reinterpret_cast<std::string*>(pointerBits()); }

 private:
  static constexpr std::uintptr_t kSealKey = static_cast<std::uintptr_t>(0x9E3779B97F4A7C15u);

  std::uintptr_t pointerBits() const {
    std::uintptr_t held;
    std::memcpy(&held, pointerBytes_, sizeof held);
    return held;
  }

  void hold(std::string* text) {
    std::uintptr_t held = reinterpret_cast<std::uintptr_t>(text);
    std::uintptr_t seal = held ^ kSealKey;
    std::memcpy(pointerBytes_, &held, sizeof held);
    std::memcpy(sealBytes_, &seal, sizeof seal);
  }

  unsigned char pointerBytes_[sizeof(std::uintptr_t)];
  unsigned char sealBytes_[sizeof(std::uintptr_t)];
};

}  // namespace vek
