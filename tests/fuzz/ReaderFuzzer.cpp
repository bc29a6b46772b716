// Feeds arbitrary bytes to the dictionary reader, as the loaders and as the
// activation read them, and checks what must hold for any input: the counts
// add up, no word holds a line end, the list is in order, and what is
// written back reads back the same, in the game's form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "format/DictionaryReader.h"
#include "format/DictionaryWriter.h"
#include "words/Collation.h"

namespace {

using lexor::ReadResult;
using lexor::WordList;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Scratch files in memory where the system has a folder for that, so the
// saves' flushes cost nothing.
std::filesystem::path Scratch(const char* name)
{
    static const std::filesystem::path folder = [] {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        const auto base =
            std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
        const auto made = base / ("lexor-fuzz-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder / name;
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
    {
        std::ofstream out(Scratch("in.lexor"), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    WordList list;
    const ReadResult read = lexor::ReadDictionary(Scratch("in.lexor"), list);
    CheckResult(read, list);

    // As the activation reads: the file's order, the header in any case.
    WordList inOrder(false);
    const ReadResult activated = lexor::ReadDictionary(Scratch("in.lexor"), inOrder, {true});
    Check(activated.wordsRead == inOrder.ListCount());

    if (list.ListCount() > 0) {
        Check(lexor::SaveDictionary(Scratch("out.lexor"), list).ok);
        WordList again;
        const ReadResult reread = lexor::ReadDictionary(Scratch("out.lexor"), again);
        // Unless the words happen to make valid UTF-8 text, which is read as
        // such (a Windows-1252 dictionary practically never does).
        Check(reread.form.encoding == lexor::TextEncoding::Utf8 ||
              (reread.status == ReadResult::Status::Loaded && reread.InGamesForm() && again == list));
    }
    return 0;
}
