// Feeds arbitrary bytes to the dictionary reader, from a stream and from a
// file, and checks what must hold for any input: both ways agree, the counts
// add up, no word holds a line end, the list is in order, and what is
// written back reads back the same, in the game's form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>

#include "words/Collation.h"
#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"

namespace {

using lexor::ReadResult;
using lexor::WordList;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

ReadResult FromStream(const std::string& bytes, WordList& list)
{
    std::istringstream in(bytes, std::ios::binary);
    return lexor::ReadDictionary(in, list);
}

const std::filesystem::path& ScratchFile()
{
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("lexor-fuzz-" + std::to_string(std::random_device{}()) + ".lexor");
    return path;
}

void CheckResult(const ReadResult& result, const WordList& list)
{
    using Status = ReadResult::Status;
    Check(result.wordsRead == list.ListCount());
    switch (result.status) {
    case Status::Loaded:
        Check(result.wordsRead == result.declared);
        break;
    case Status::Truncated:
        Check(result.wordsRead < result.declared);
        break;
    case Status::MoreThanDeclared:
        Check(result.wordsRead > result.declared);
        break;
    case Status::Uncounted:
        Check(result.wordsRead > 0 && result.form.count != lexor::FileForm::Count::Number);
        break;
    default:
        Check(list.ListCount() == 0);
    }
    for (WordList::size_type i = 0; i < list.ListCount(); ++i) {
        Check(list.List(i).find_first_of("\r\n") == std::string_view::npos);
        if (i > 0)
            Check(lexor::Collate(list.List(i - 1), list.List(i)) <= 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    WordList fromStream;
    const ReadResult streamed = FromStream(bytes, fromStream);
    CheckResult(streamed, fromStream);

    {
        std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    WordList fromFile;
    const ReadResult filed = lexor::ReadDictionary(ScratchFile(), fromFile);
    Check(filed.status == streamed.status && filed.declared == streamed.declared &&
          filed.wordsRead == streamed.wordsRead && filed.form == streamed.form);
    Check(fromFile == fromStream);

    if (fromStream.ListCount() > 0) {
        std::ostringstream out(std::ios::binary);
        lexor::WriteDictionary(out, fromStream);
        WordList again;
        const ReadResult reread = FromStream(out.str(), again);
        Check(reread.status == ReadResult::Status::Loaded && reread.InGamesForm() && again == fromStream);
    }
    return 0;
}
