#include "dictionary/DictionaryWriter.h"

#include <sstream>

#include "dictionary/DictionaryFormat.h"
#include "dictionary/FileReplace.h"

namespace lexor {

void WriteDictionary(std::ostream& out, const WordList& words)
{
    out << kDictionaryHeader << "\r\n" << words.ListCount() << "\r\n";
    for (WordList::size_type i = 0; i < words.ListCount(); ++i)
        out << words.List(i) << "\r\n";
}

WriteResult SaveDictionary(const std::filesystem::path& path, const WordList& words)
{
    std::ostringstream out;
    WriteDictionary(out, words);
    return ReplaceFileContents(path, out.view());
}

} // namespace lexor
