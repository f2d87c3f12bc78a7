// Country codes of ISO 3166-1 alpha-2, as JSON Resume writes them, and the English
// country names the address columns hold.
#pragma once

#include <string>
#include <string_view>

namespace store::jsonresume {

// The name of a two-letter code, in any letter case; empty when the code is unknown.
std::string_view countryName(std::string_view code);

// The upper-case code of a country name (its letter case ignored), or of a few other
// names people write ("USA", "Czechia", "Great Britain"); empty when unknown.
std::string_view countryCode(std::string_view name);

// The code export writes for a country column: a known name's code, or two ASCII
// letters as they are (a code that import found no name for); empty otherwise.
std::string codeForCountry(std::string_view country);

} // namespace store::jsonresume
