// Prints the entries of a phrase-base list file (RTF or plain text, as the
// program reads it) one per line in UTF-8, for the end-to-end test.
// Usage: sob_list_dump PROGRAM_PATH   (relative to the current folder)

#include <cstdio>
#include <exception>

#include "platform/cp1251.h"
#include "platform/phrase_list.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sob_list_dump PATH\n");
        return 2;
    }
    try {
        sob::PhraseList list;
        list.LoadFromFile(argv[1]);
        for (const std::string& entry : list.entries())
            std::printf("%s\n", sob::toUtf8(entry).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "sob_list_dump: %s\n", error.what());
        return 1;
    }
    return 0;
}
