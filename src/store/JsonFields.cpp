#include "store/JsonFields.h"

#include "store/JsonResumeMapping.h"
#include "store/JsonResumeText.h"
#include "store/StoreError.h"

namespace store::jsonresume {

using json = nlohmann::json;

namespace {

// The one shape of a field's fault: "work[2].startDate must be a string".
[[noreturn]] void raiseField(const std::string& path, const std::string& problem) {
    throw EJsonResumeError(path + " " + problem);
}

std::string itemPath(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

} // namespace

std::string Fields::path(std::string_view key) const {
    return m_path.empty() ? std::string(key) : m_path + "." + std::string(key);
}

const json* Fields::member(std::string_view key) const {
    const auto found = m_object.find(key);
    return found == m_object.end() || found->is_null() ? nullptr : &*found;
}

std::optional<std::string> Fields::optionalText(std::string_view key) const {
    const json* value = member(key);
    if (!value)
        return std::nullopt;
    if (!value->is_string())
        raiseField(path(key), "must be a string");
    return value->get<std::string>();
}

std::optional<bool> Fields::flag(std::string_view key) const {
    const json* value = member(key);
    if (value && !value->is_boolean())
        raiseField(path(key), "must be true or false");
    return value ? std::optional<bool>(value->get<bool>()) : std::nullopt;
}

std::optional<Fields> Fields::object(std::string_view key) const {
    const json* value = member(key);
    if (value && !value->is_object())
        raiseField(path(key), "must be an object");
    return value ? std::optional<Fields>(Fields(*value, path(key))) : std::nullopt;
}

const json* Fields::array(std::string_view key) const {
    const json* value = member(key);
    if (value && !value->is_array())
        raiseField(path(key), "must be an array");
    return value;
}

std::vector<Fields> Fields::objects(std::string_view key) const {
    std::vector<Fields> items;
    if (const json* value = array(key))
        for (size_t i = 0; i < value->size(); ++i) {
            if (!(*value)[i].is_object())
                raiseField(itemPath(path(key), i), "must be an object");
            items.emplace_back((*value)[i], itemPath(path(key), i));
        }
    return items;
}

std::vector<std::string> Fields::texts(std::string_view key) const {
    std::vector<std::string> items;
    if (const json* value = array(key))
        for (size_t i = 0; i < value->size(); ++i) {
            if (!(*value)[i].is_string())
                raiseField(itemPath(path(key), i), "must be a string");
            items.push_back((*value)[i].get<std::string>());
        }
    return items;
}

std::string Fields::date(std::string_view key) const {
    const std::string value = text(key);
    if (value.empty())
        return value;
    if (const std::optional<std::string> stored = storedDate(value))
        return *stored;
    raiseField(path(key), "is not an ISO 8601 date (YYYY, YYYY-MM or YYYY-MM-DD): '" + value + "'");
}

std::string Fields::number(std::string_view key) const {
    const json* value = member(key);
    if (!value)
        return {};
    if (value->is_number_integer())
        return std::to_string(value->get<long long>());
    if (!value->is_string())
        raiseField(path(key), "must be a whole number");
    return value->get<std::string>();
}

std::optional<Fields> Fields::extension() const {
    return object(kExtensionKey);
}

} // namespace store::jsonresume
