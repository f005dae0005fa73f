#include "JsonValue.h"

#include <nlohmann/json.hpp>

JsonValue::JsonValue(std::shared_ptr<const nlohmann::json> document, const nlohmann::json* node)
    : document_(std::move(document)), node_(node) {}

bool JsonValue::Parse(std::string_view text) {
    auto parsed = std::make_shared<nlohmann::json>();
    // Non-strict SAX parsing stops after the first complete value, so trailing text is ignored
    // as the files' original reader did; comments are skipped.
    nlohmann::detail::json_sax_dom_parser<nlohmann::json> builder(*parsed, false);
    const bool ok = nlohmann::json::sax_parse(text, &builder, nlohmann::json::input_format_t::json,
                                              /*strict=*/false, /*ignore_comments=*/true) &&
                    !builder.is_errored();
    if (ok) {
        node_ = parsed.get();
        document_ = std::move(parsed);
    } else {
        node_ = nullptr;
        document_.reset();
    }
    return ok;
}

bool JsonValue::IsNull() const {
    return node_ == nullptr || node_->is_null();
}

bool JsonValue::IsObject() const {
    return node_ != nullptr && node_->is_object();
}

bool JsonValue::HasMember(std::string_view name) const {
    return IsObject() && node_->find(name) != node_->end();
}

JsonValue JsonValue::operator[](std::string_view name) const {
    if (!IsObject()) {
        return JsonValue();
    }
    const auto found = node_->find(name);
    if (found == node_->end()) {
        return JsonValue();
    }
    return JsonValue(document_, &*found);
}

std::string JsonValue::AsString() const {
    if (node_ == nullptr) {
        return std::string();
    }
    switch (node_->type()) {
        case nlohmann::json::value_t::string:
            return node_->get_ref<const std::string&>();
        case nlohmann::json::value_t::boolean:
        case nlohmann::json::value_t::number_integer:
        case nlohmann::json::value_t::number_unsigned:
        case nlohmann::json::value_t::number_float:
            return node_->dump();
        default:
            return std::string();
    }
}
