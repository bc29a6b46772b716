#include "dictionary/DictionaryWriter.h"

#include <cstring>
#include <string>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/FileReplace.h"
#include "dictionary/LargeBuffer.h"

namespace lexor {
namespace {

using Bytes = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

// The whole file in one buffer of exactly its size.
Bytes Layout(const WordList& words)
{
    const std::string count = std::to_string(words.ListCount());
    std::size_t size = kDictionaryHeader.size() + 2 + count.size() + 2;
    for (WordList::size_type i = 0; i < words.ListCount(); ++i)
        size += words.List(i).size() + 2;
    Bytes out;
    out.resize(size);
    char* at = out.data();
    auto put = [&at](std::string_view line) {
        // An empty word's view may hold no pointer at all.
        if (!line.empty())
            std::memcpy(at, line.data(), line.size());
        at += line.size();
        *at++ = '\r';
        *at++ = '\n';
    };
    put(kDictionaryHeader);
    put(count);
    for (WordList::size_type i = 0; i < words.ListCount(); ++i) {
        words.Prefetch(i + WordList::kPrefetchAhead);
        put(words.List(i));
    }
    return out;
}

} // namespace

void WriteDictionary(std::ostream& out, const WordList& words)
{
    const Bytes bytes = Layout(words);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words)
{
    const Bytes bytes = Layout(words);
    return ReplaceFileContents(path, {bytes.data(), bytes.size()});
}

} // namespace lexor
