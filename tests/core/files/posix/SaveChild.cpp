// A save in a process of its own, for tests that run it as another user,
// kill it on the way or make its system calls fail:
//   lexor_save_child save TARGET WORD...   writes the words as a dictionary
//   lexor_save_child copy SOURCE TARGET    copies SOURCE over TARGET
//   lexor_save_child keep NAME SOURCE TARGET   the same, keeping the old
//                                          TARGET in the trash as NAME
// Exits 0 when the save reports success; otherwise prints the error as
// "category:value" and exits 1.
#include <cstdio>
#include <string>

#include "files/FileReplace.h"
#include "format/DictionaryWriter.h"

int main(int argc, char** argv)
{
    using namespace lexor;
    const std::string command = argc > 2 ? argv[1] : "";
    WriteResult result;
    if (command == "save") {
        WordList words;
        for (int i = 3; i < argc; ++i)
            words.AddItem(argv[i]);
        result = SaveDictionary(argv[2], words);
    } else if (command == "copy" && argc == 4) {
        result = ReplaceFileWithCopy(argv[2], argv[3]);
    } else if (command == "keep" && argc == 5) {
        result = ReplaceFileWithCopy(argv[3], argv[4], {argv[2]});
    } else {
        std::fprintf(stderr,
                     "usage: lexor_save_child save TARGET WORD... | copy SOURCE TARGET | keep NAME SOURCE TARGET\n");
        return 2;
    }
    if (result)
        return 0;
    std::printf("%s:%d", result.error.category().name(), result.error.value());
    return 1;
}
