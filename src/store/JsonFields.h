// A JSON object being read, with its place in the file. Every reader checks the
// member's type and names the member by its path when it is wrong
// ("work[2].startDate must be a string"), so an import refuses a file at its first
// fault, before anything is written.
#pragma once

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace store::jsonresume {

class Fields {
public:
    // `object` must outlive the reader; `path` is "" for the whole file.
    Fields(const nlohmann::json& object, std::string path)
        : m_object(object), m_path(std::move(path)) {}

    // The path of a member: "basics.location.city".
    std::string path(std::string_view key) const;
    // A member that is there and not null; null otherwise.
    const nlohmann::json* member(std::string_view key) const;

    // Each reader gives nothing (or empty text) for a member that is absent or null and
    // throws EJsonResumeError for one of the wrong type.
    std::optional<std::string> optionalText(std::string_view key) const;
    std::string text(std::string_view key) const { return optionalText(key).value_or(""); }
    std::optional<bool> flag(std::string_view key) const;
    std::optional<Fields> object(std::string_view key) const;
    // An array member, or null.
    const nlohmann::json* array(std::string_view key) const;
    // The items of an array of objects, each with its path ("work[0]").
    std::vector<Fields> objects(std::string_view key) const;
    std::vector<std::string> texts(std::string_view key) const;
    // A date as stored: a partial date is the first day of its year or month; empty
    // text is no date. Throws for text that is no ISO 8601 date.
    std::string date(std::string_view key) const;
    // A whole number, or text, as a column's text.
    std::string number(std::string_view key) const;
    // The member "x-vitacraft", an object.
    std::optional<Fields> extension() const;

private:
    const nlohmann::json& m_object;
    std::string m_path;
};

} // namespace store::jsonresume
