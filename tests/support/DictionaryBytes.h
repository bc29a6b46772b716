#pragma once

#include <string>
#include <string_view>

#include "format/DictionaryReader.h"
#include "words/WordList.h"

namespace lexor::test {

// What the reader makes of these bytes, read from a file that holds them.
ReadResult ReadDictionaryBytes(std::string_view bytes, WordList& target, const ReadOptions& options = {});

// The bytes the writer saves for words.
std::string WrittenDictionary(const WordList& words);

} // namespace lexor::test
