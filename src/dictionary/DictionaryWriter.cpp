#include "dictionary/DictionaryWriter.h"

#include <cstring>
#include <string>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/FileReplace.h"
#include "dictionary/LargeBuffer.h"

namespace lexor {
namespace {

// The whole file in one block of exactly its size, which is filled once: a
// zero-filled buffer would have its fresh pages written twice.
struct Layout {
    ByteBlock bytes;
    std::size_t size = 0;

    explicit Layout(const WordList& words)
    {
        const std::string count = std::to_string(words.ListCount());
        size = kDictionaryHeader.size() + 2 + count.size() + 2;
        for (WordList::size_type i = 0; i < words.ListCount(); ++i)
            size += words.List(i).size() + 2;
        bytes = ByteBlock(size);
        char* at = bytes.data();
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
    }
};

} // namespace

void WriteDictionary(std::ostream& out, const WordList& words)
{
    const Layout layout(words);
    out.write(layout.bytes.data(), static_cast<std::streamsize>(layout.size));
}

WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words)
{
    const Layout layout(words);
    return ReplaceFileContents(path, {layout.bytes.data(), layout.size});
}

} // namespace lexor
