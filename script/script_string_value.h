#pragma once

// The C++ side of a script "string" value, for host functions that take or
// give one.

#include <cstring>
#include <string>

namespace vek {

// A script string: its text lives in a std::string on the heap, and the
// value itself is only the pointer to it, kept as bytes. The engine places
// value-type variables in its script stack at 4-byte boundaries, where a
// std::string (or a plain pointer) would be misaligned; an array of bytes
// may live anywhere. Copies copy the text, so each value owns its own.
class ScriptStringValue {
 public:
  ScriptStringValue() : ScriptStringValue(std::string()) {}
  explicit ScriptStringValue(std::string text) { hold(new std::string(std::move(text))); }
  ScriptStringValue(const ScriptStringValue& other) : ScriptStringValue(other.text()) {}
  ScriptStringValue& operator=(const ScriptStringValue& other) {
    text() = other.text();
    return *this;
  }
  ~ScriptStringValue() { delete &text(); }

  std::string& text() const {
    std::string* held;
    std::memcpy(&held, pointerBytes_, sizeof held);
    return *held;
  }

 private:
  void hold(std::string* text) { std::memcpy(pointerBytes_, &text, sizeof text); }

  unsigned char pointerBytes_[sizeof(std::string*)];
};

}  // namespace vek
