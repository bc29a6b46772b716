#include "support/WordLists.h"

#include "format/DictionaryFormat.h"
#include "words/Collation.h"

namespace lexor::test {

bool CollateLess(std::string_view a, std::string_view b) noexcept
{
    return Collate(a, b) < 0;
}

WordList ListOf(const Words& words)
{
    WordList list;
    for (const auto& word : words)
        list.AddItem(word);
    return list;
}

Words Items(const WordList& list)
{
    Words words;
    for (WordList::size_type i = 0; i < list.ListCount(); ++i)
        words.emplace_back(list.List(i));
    return words;
}

std::string Dictionary(const Words& words, int count)
{
    std::string bytes = std::string(kDictionaryHeader) + "\r\n" +
                        std::to_string(count < 0 ? static_cast<int>(words.size()) : count) + "\r\n";
    for (const auto& word : words)
        bytes += word + "\r\n";
    return bytes;
}

WordList Numbered(int count)
{
    WordList list;
    for (int i = 0; i < count; ++i)
        list.AddItem("parola" + std::to_string(i));
    return list;
}

} // namespace lexor::test
