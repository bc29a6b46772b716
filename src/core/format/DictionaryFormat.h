#pragma once

#include <string_view>

namespace lexor {

// The first line of every dictionary and word-list file.
inline constexpr std::string_view kDictionaryHeader = "Lexor Dictionary Volume";

// Names of the files kept in the application folder.
inline constexpr std::string_view kDictionariesFolder = "Dizionari";
inline constexpr std::string_view kActiveDictionary = "LEXOR.lexor";
inline constexpr std::string_view kAddedWordsFile = "Aggiunte.ldv";
inline constexpr std::string_view kMissingWordsFile = "Mancanti.ldv";

} // namespace lexor
