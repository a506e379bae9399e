#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace host {

class Object;
struct Selector;

// The runtime type encoding of a C++ type, as the platform's runtime writes it ("v" for void,
// "B" for a boolean, "@" for an object, ":" for a selector). Host modules that pass other types
// through the runtime (geometry structs, for instance) add a specialisation next to the type.
template <class T, class Enable = void>
struct TypeEncoding;  // no encoding: such a type cannot be used in a registered signature

template <>
struct TypeEncoding<void> {
  static std::string value() { return "v"; }
};
template <>
struct TypeEncoding<bool> {
  static std::string value() { return "B"; }
};
template <>
struct TypeEncoding<char> {
  static std::string value() { return "c"; }
};
template <>
struct TypeEncoding<int> {
  static std::string value() { return "i"; }
};
template <>
struct TypeEncoding<unsigned> {
  static std::string value() { return "I"; }
};
template <>
struct TypeEncoding<long> {
  static std::string value() { return "q"; }
};
template <>
struct TypeEncoding<long long> {
  static std::string value() { return "q"; }
};
template <>
struct TypeEncoding<unsigned long> {
  static std::string value() { return "Q"; }
};
template <>
struct TypeEncoding<unsigned long long> {
  static std::string value() { return "Q"; }
};
template <>
struct TypeEncoding<float> {
  static std::string value() { return "f"; }
};
template <>
struct TypeEncoding<double> {
  static std::string value() { return "d"; }
};
template <>
struct TypeEncoding<Selector> {
  static std::string value() { return ":"; }
};
// Strings are objects (NSString) on the device.
template <>
struct TypeEncoding<std::string> {
  static std::string value() { return "@"; }
};
template <class T>
struct TypeEncoding<std::shared_ptr<T>, std::enable_if_t<std::is_base_of_v<Object, T>>> {
  static std::string value() { return "@"; }
};
template <class T>
struct TypeEncoding<T*, std::enable_if_t<std::is_base_of_v<Object, T>>> {
  static std::string value() { return "@"; }
};
// Blocks.
template <class F>
struct TypeEncoding<std::function<F>> {
  static std::string value() { return "@?"; }
};

// The encoding of a method: result, then the receiver "@" and the selector ":", then arguments.
template <class Sig>
struct MethodEncoding;
template <class R, class... A>
struct MethodEncoding<R(A...)> {
  static std::string value() {
    std::string out = TypeEncoding<R>::value() + "@:";
    ((out += TypeEncoding<A>::value()), ...);
    return out;
  }
};

// Compares two method encodings, ignoring the frame offsets that compilers insert between the
// types ("v24@0:8B16" and "v@:B" are the same signature).
bool sameMethodEncoding(std::string_view a, std::string_view b);

}  // namespace host
