#pragma once

// Test support for file behaviour: a fresh temporary working folder per test,
// and a guard that takes away root's power to ignore file permissions.

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace sob::test {

// Runs each test in a new empty folder made the working folder, and removes
// it afterwards. Paths given to the helpers are UTF-8 operating-system paths.
class TemporaryWorkingFolder : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern = (std::filesystem::temp_directory_path() / "sob-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::current_path(folder_);
    }

    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ec;
        // Give back the permissions a test took away, so everything can be removed.
        for (auto it = std::filesystem::recursive_directory_iterator(folder_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory() && !it->is_symlink()) {
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ec);
            }
        }
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(folder_, ec);
    }

    const std::filesystem::path& folder() const { return folder_; }

    static void makeFile(const std::filesystem::path& path, std::string_view content) {
        if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        ASSERT_TRUE(out.good()) << path;
    }

    static std::string readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        EXPECT_TRUE(in.good()) << "cannot read " << path;
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The names in a folder, sorted: shows stray temporary files too.
    static std::vector<std::string> listFolder(const std::filesystem::path& path) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static bool readable(const std::filesystem::path& path) {
        return std::ifstream(path, std::ios::binary).good();
    }

    static bool writableFolder(const std::filesystem::path& path) {
        const auto probe = path / ".probe";
        const bool ok = std::ofstream(probe).good();
        std::error_code ec;
        std::filesystem::remove(probe, ec);
        return ok;
    }

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// While alive, the thread runs without the capabilities that let root ignore
// file permissions (tests run as root in CI), so a read-only folder is read-only.
class WithoutFileCapabilities {
public:
    WithoutFileCapabilities() {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        const unsigned mask =
            (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);
        reduced[0].effective &= ~mask;
        active_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~WithoutFileCapabilities() {
        if (active_) ::syscall(SYS_capset, &header_, saved_);
    }
    WithoutFileCapabilities(const WithoutFileCapabilities&) = delete;
    WithoutFileCapabilities& operator=(const WithoutFileCapabilities&) = delete;

private:
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool active_ = false;
};

}  // namespace sob::test
