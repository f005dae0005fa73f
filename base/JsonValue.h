#pragma once

#include <nlohmann/json_fwd.hpp>

#include <memory>
#include <string>
#include <string_view>

// JsonValue is the program's small JSON document type: parse a UTF-8 text, look members up by
// name, convert a value to text. It keeps the reading rules the configuration and dictionary
// files were written for: comments are accepted, any value may stand at the top level, text after
// the first complete value is ignored, and a lookup never fails (a missing member reads as null).
//
// A member is a light view that shares ownership of its document, so copies are cheap and reading
// one document from several threads is safe once it has been parsed.
class JsonValue {
public:
    JsonValue() = default;

    // Replaces this value by the document in text. On failure the value becomes null.
    bool Parse(std::string_view text);

    bool IsNull() const;
    bool IsObject() const;
    bool HasMember(std::string_view name) const;

    // The member of that name, or a null value when this is no object or has no such member.
    JsonValue operator[](std::string_view name) const;

    // A text unchanged; numbers, true and false in their JSON form; null, a list or an object as
    // the empty text.
    std::string AsString() const;

private:
    JsonValue(std::shared_ptr<const nlohmann::json> document, const nlohmann::json* node);

    std::shared_ptr<const nlohmann::json> document_;
    const nlohmann::json* node_ = nullptr;  // null for a null or missing value
};
