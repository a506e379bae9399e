#include "PlistJson.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "foundation/PlistBase64.h"
#include "foundation/PlistDate.h"

namespace vorlan {

namespace {

void indent(std::string& out, bool pretty, int depth) {
  if (!pretty) return;
  out += '\n';
  out.append(static_cast<std::size_t>(depth) * 2, ' ');
}

// Stops as soon as the output passes the limit; `out` is then only good for its size.
void render(const host::Plist& value, bool pretty, int depth, std::size_t maxBytes,
            std::string& out) {
  using host::PlistType;
  if (out.size() > maxBytes) return;
  switch (value.type()) {
    case PlistType::None:
      out += "null";
      return;
    case PlistType::Dictionary: {
      if (value.size() == 0) {
        out += "{}";
        return;
      }
      out += '{';
      bool first = true;
      for (const auto& [key, item] : value.entries()) {
        if (!first) out += ',';
        first = false;
        indent(out, pretty, depth + 1);
        out += PlistJson::quote(key);
        out += pretty ? ": " : ":";
        render(item, pretty, depth + 1, maxBytes, out);
      }
      indent(out, pretty, depth);
      out += '}';
      return;
    }
    case PlistType::Array: {
      if (value.size() == 0) {
        out += "[]";
        return;
      }
      out += '[';
      bool first = true;
      for (const auto& item : value.items()) {
        if (!first) out += ',';
        first = false;
        indent(out, pretty, depth + 1);
        render(item, pretty, depth + 1, maxBytes, out);
      }
      indent(out, pretty, depth);
      out += ']';
      return;
    }
    case PlistType::String:
      out += PlistJson::quote(*value.asString());
      return;
    case PlistType::Boolean:
      out += *value.asBoolean() ? "true" : "false";
      return;
    case PlistType::Integer:
      out += value.isLargeUnsigned() ? std::to_string(*value.asUnsignedInteger())
                                     : std::to_string(*value.asInteger());
      return;
    case PlistType::Real: {
      const double real = *value.asReal();
      if (!std::isfinite(real)) {
        out += "null";
        return;
      }
      char buffer[32];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, real);
      out.append(buffer, result.ptr);
      return;
    }
    case PlistType::Data:
      out += pretty ? "{\"$data\": " : "{\"$data\":";
      out += PlistJson::quote(host::PlistBase64::encode(*value.asData()));
      out += '}';
      return;
    case PlistType::Date:
      out += pretty ? "{\"$date\": " : "{\"$date\":";
      out += PlistJson::quote(host::PlistDate::format(*value.asDate()).value_or(""));
      out += '}';
      return;
  }
}

}  // namespace

std::optional<std::string> PlistJson::render(const host::Plist& value, std::string* error,
                                             std::size_t maxBytes, bool pretty) {
  std::string out;
  vorlan::render(value, pretty, 0, maxBytes, out);
  if (out.size() <= maxBytes) return out;
  if (error) *error = "the JSON would exceed " + std::to_string(maxBytes) + " bytes";
  return std::nullopt;
}

std::string PlistJson::quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace vorlan
