#include "format/DictionaryWriter.h"

#include <cstring>
#include <string>
#include <vector>

#include "files/FileReplace.h"
#include "format/DictionaryFormat.h"
#include "words/LargeMemory.h"
#include "words/Parallel.h"

namespace lexor {
namespace {

// The whole file in one block of exactly its size, which is filled once: a
// zero-filled buffer would have its fresh pages written twice. Large lists
// are laid out in parts side by side (see Parallel.h).
struct Layout {
    ByteBlock bytes;
    std::size_t size = 0;

    explicit Layout(const WordList& words)
    {
        const std::string count = std::to_string(words.ListCount());
        const unsigned parts = PartsFor(words.ListCount());
        // Where each part's lines begin.
        std::vector<std::size_t> starts(parts + 1, 0);
        ForEachPart(words.ListCount(), parts, [&words, &starts](unsigned part, std::size_t first, std::size_t last) {
            std::size_t bytes = 0;
            for (std::size_t i = first; i < last; ++i)
                bytes += words.List(i).size() + 2;
            starts[part + 1] = bytes;
        });
        starts[0] = kDictionaryHeader.size() + 2 + count.size() + 2;
        for (unsigned part = 0; part < parts; ++part)
            starts[part + 1] += starts[part];
        size = starts[parts];
        bytes = ByteBlock(size);
        char* at = bytes.data();
        Put(at, kDictionaryHeader);
        Put(at, count);
        ForEachPart(words.ListCount(), parts,
                    [this, &words, &starts](unsigned part, std::size_t first, std::size_t last) {
                        char* at = bytes.data() + starts[part];
                        for (std::size_t i = first; i < last; ++i) {
                            words.Prefetch(i + WordList::kPrefetchAhead);
                            Put(at, words.List(i));
                        }
                    });
    }

    static void Put(char*& at, std::string_view line) noexcept
    {
        // An empty word's view may hold no pointer at all.
        if (!line.empty())
            std::memcpy(at, line.data(), line.size());
        at += line.size();
        *at++ = '\r';
        *at++ = '\n';
    }
};

} // namespace

WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words, const ReplaceOptions& options)
{
    const Layout layout(words);
    return ReplaceFileContents(path, {layout.bytes.data(), layout.size}, options);
}

} // namespace lexor
