#include "script_string.h"

#include <angelscript.h>

#include <cstring>
#include <new>
#include <sstream>
#include <string>

#include "script/script_string_value.h"

namespace vek {
namespace {

using Value = ScriptStringValue;

// String constants of a script. Stateless, so one instance serves every
// engine; each constant the compiler asks for is a value of its own that
// the engine hands back when it no longer needs it.
class ConstantFactory final : public asIStringFactory {
 public:
  // A constant holds its bytes up to, not including, the first zero byte:
  // "a\0b" is "a".
  const void* GetStringConstant(const char* data, asUINT length) override {
    try {
      return new Value(std::string(data, strnlen(data, length)));
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }

  int ReleaseStringConstant(const void* constant) override {
    if (!constant) return asERROR;
    delete static_cast<const Value*>(constant);
    return asSUCCESS;
  }

  int GetRawStringData(const void* constant, char* data, asUINT* length) const override {
    if (!constant) return asERROR;
    const std::string& text = static_cast<const Value*>(constant)->text();
    if (length) *length = static_cast<asUINT>(text.size());
    if (data) std::memcpy(data, text.data(), text.size());
    return asSUCCESS;
  }
};

// Default output-stream formatting: decimal integers, and doubles with six
// significant digits in the shorter of fixed and exponent notation (as %g),
// so 1.0 is "1" and 1234567.0 is "1.23457e+06".
template <typename Number>
std::string numberText(Number value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

// Bytes compare as unsigned values (so "Z" < "a" and "\xff" > "a"); a prefix
// sorts before the longer string.
int compareBytes(const std::string& left, const std::string& right) {
  std::size_t common = left.size() < right.size() ? left.size() : right.size();
  int order = common == 0 ? 0 : std::memcmp(left.data(), right.data(), common);
  if (order != 0) return order < 0 ? -1 : 1;
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

// Every operation below first checks the strings the engine hands it (see
// scriptText): on memory that holds no string it raises the script
// exception and does nothing, so the script stops instead of the program.
bool usable(const Value& value) { return scriptText(value) != nullptr; }

// void f()  (default constructor: the empty string)
void constructEmpty(Value* self) { new (self) Value(); }

// void f(const string &in)  (copy constructor). From an unusable string
// nothing is constructed: the engine does not destroy an object whose
// constructor raised an exception, and the zeroed memory tells destruct so.
void constructCopy(const Value& other, Value* self) {
  if (usable(other)) {
    new (self) Value(other);
  } else {
    std::memset(static_cast<void*>(self), 0, sizeof *self);
  }
}

// void f()  (destructor)
void destruct(Value* self) {
  if (self->constructed()) self->~Value();
}

// string &opAssign(const string &in)
Value& assignString(const Value& other, Value& self) {
  if (usable(self) && usable(other)) self = other;
  return self;
}

// string &opAddAssign(const string &in)
Value& appendString(const Value& other, Value& self) {
  if (usable(self) && usable(other)) self.text() += other.text();
  return self;
}

// bool opEquals(const string &in) const
bool equalsString(const Value& other, const Value& self) {
  return usable(self) && usable(other) && self.text() == other.text();
}

// int opCmp(const string &in) const  (gives <, <=, > and >=)
int compareString(const Value& other, const Value& self) {
  if (!usable(self) || !usable(other)) return 0;
  return compareBytes(self.text(), other.text());
}

// string opAdd(const string &in) const
Value joinString(const Value& other, const Value& self) {
  if (!usable(self) || !usable(other)) return Value();
  return Value(self.text() + other.text());
}

// uint length() const
asUINT length(const Value& self) {
  return usable(self) ? static_cast<asUINT>(self.text().size()) : 0;
}

// string &opAssign(double), string &opAssign(int), string &opAssign(uint)
template <typename Number>
Value& assignNumber(Number value, Value& self) {
  if (usable(self)) self.text() = numberText(value);
  return self;
}

// string &opAddAssign(double), string &opAddAssign(int), string &opAddAssign(uint)
template <typename Number>
Value& appendNumber(Number value, Value& self) {
  if (usable(self)) self.text() += numberText(value);
  return self;
}

// string opAdd(double) const, string opAdd(int) const, string opAdd(uint) const
template <typename Number>
Value joinNumberAfter(Number value, const Value& self) {
  if (!usable(self)) return Value();
  return Value(self.text() + numberText(value));
}

// string opAdd_r(double) const, string opAdd_r(int) const, string opAdd_r(uint) const
template <typename Number>
Value joinNumberBefore(Number value, const Value& self) {
  if (!usable(self)) return Value();
  return Value(numberText(value) + self.text());
}

bool registerBehaviour(asIScriptEngine& engine, asEBehaviours behaviour, const char* declaration,
                       const asSFuncPtr& function) {
  return engine.RegisterObjectBehaviour("string", behaviour, declaration, function,
                                        asCALL_CDECL_OBJLAST) >= 0;
}

bool registerMethod(asIScriptEngine& engine, const char* declaration, const asSFuncPtr& function) {
  return engine.RegisterObjectMethod("string", declaration, function, asCALL_CDECL_OBJLAST) >= 0;
}

// The four number operations for one script number type.
template <typename Number>
bool registerNumberOperations(asIScriptEngine& engine, const std::string& type) {
  return registerMethod(engine, ("string &opAssign(" + type + ")").c_str(),
                        asFUNCTION(assignNumber<Number>)) &&
         registerMethod(engine, ("string &opAddAssign(" + type + ")").c_str(),
                        asFUNCTION(appendNumber<Number>)) &&
         registerMethod(engine, ("string opAdd(" + type + ") const").c_str(),
                        asFUNCTION(joinNumberAfter<Number>)) &&
         registerMethod(engine, ("string opAdd_r(" + type + ") const").c_str(),
                        asFUNCTION(joinNumberBefore<Number>));
}

}  // namespace

const std::string* scriptText(const ScriptStringValue& value) {
  if (value.constructed()) return &value.text();
  if (asIScriptContext* context = asGetActiveContext()) {
    context->SetException(kUninitialisedStringException);
  }
  return nullptr;
}

bool registerScriptString(asIScriptEngine& engine) {
  static ConstantFactory constants;
  return engine.RegisterObjectType("string", sizeof(Value),
                                   asOBJ_VALUE | asGetTypeTraits<Value>()) >= 0 &&
         engine.RegisterStringFactory("string", &constants) >= 0 &&
         registerBehaviour(engine, asBEHAVE_CONSTRUCT, "void f()", asFUNCTION(constructEmpty)) &&
         registerBehaviour(engine, asBEHAVE_CONSTRUCT, "void f(const string &in)",
                           asFUNCTION(constructCopy)) &&
         registerBehaviour(engine, asBEHAVE_DESTRUCT, "void f()", asFUNCTION(destruct)) &&
         registerMethod(engine, "string &opAssign(const string &in)", asFUNCTION(assignString)) &&
         registerMethod(engine, "string &opAddAssign(const string &in)",
                        asFUNCTION(appendString)) &&
         registerMethod(engine, "bool opEquals(const string &in) const",
                        asFUNCTION(equalsString)) &&
         registerMethod(engine, "int opCmp(const string &in) const", asFUNCTION(compareString)) &&
         registerMethod(engine, "string opAdd(const string &in) const", asFUNCTION(joinString)) &&
         registerMethod(engine, "uint length() const", asFUNCTION(length)) &&
         registerNumberOperations<double>(engine, "double") &&
         registerNumberOperations<int>(engine, "int") &&
         registerNumberOperations<asUINT>(engine, "uint");
}

}  // namespace vek
