#include "fuzz/fuzz_support.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace sob::fuzz {

namespace {

std::string& scratchFolder() {
    static std::string folder;
    return folder;
}

void removeScratchFolder() {
    std::error_code ignored;
    if (!scratchFolder().empty()) std::filesystem::remove_all(scratchFolder(), ignored);
}

}  // namespace

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

void enterScratchFolder(int* argc, char*** argv) {
    // libFuzzer reads its arguments after this: paths relative to the
    // starting folder must keep naming the same places.
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    const std::filesystem::path start = std::filesystem::current_path();
    bool artifactPrefix = false;
    for (int i = 0; i < *argc; ++i) {
        std::string arg = (*argv)[i];
        if (i > 0 && !arg.empty() && arg[0] != '-') arg = (start / arg).lexically_normal().string();
        if (arg.rfind("-artifact_prefix=", 0) == 0 || arg.rfind("-exact_artifact_path=", 0) == 0)
            artifactPrefix = true;
        arguments.push_back(std::move(arg));
    }
    if (!artifactPrefix) arguments.push_back("-artifact_prefix=" + start.string() + "/");
    for (std::string& arg : arguments) pointers.push_back(arg.data());
    pointers.push_back(nullptr);
    *argc = static_cast<int>(arguments.size());
    *argv = pointers.data();

    const bool shm = std::filesystem::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0;
    std::string pattern =
        (shm ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
        "sob-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    scratchFolder() = pattern;
    std::filesystem::current_path(pattern);
    std::atexit(removeScratchFolder);
}

}  // namespace sob::fuzz
