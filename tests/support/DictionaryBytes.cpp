#include "support/DictionaryBytes.h"

#include "format/DictionaryWriter.h"
#include "support/TempDir.h"

namespace lexor::test {

ReadResult ReadDictionaryBytes(std::string_view bytes, WordList& target, const ReadOptions& options)
{
    const TempDir dir;
    WriteBytes(dir / "d.lexor", bytes);
    return ReadDictionary(dir / "d.lexor", target, options);
}

std::string WrittenDictionary(const WordList& words)
{
    const TempDir dir;
    if (!SaveDictionary(dir / "d.lexor", words))
        return {};
    return ReadBytes(dir / "d.lexor");
}

} // namespace lexor::test
