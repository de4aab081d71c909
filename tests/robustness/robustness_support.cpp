#include "robustness/robustness_support.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace sob::testing {

namespace fs = std::filesystem;

std::map<std::string, std::string> snapshotFolder(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).generic_string();
        if (entry.is_directory()) {
            files[name + "/"] = "";
            continue;
        }
        std::ifstream in(entry.path(), std::ios::binary);
        files[name] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

std::vector<std::string> differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : a) {
        const auto it = b.find(name);
        if (it == b.end() || it->second != bytes) names.push_back(name);
    }
    for (const auto& [name, bytes] : b)
        if (!a.contains(name)) names.push_back(name);
    return names;
}

std::vector<std::string> temporaryFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".") && name.find(".tmp-") != std::string::npos) names.push_back(name);
    }
    return names;
}

namespace {

bool capabilities(__user_cap_data_struct (&data)[2], bool set) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

constexpr unsigned kOverrides =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

}  // namespace

PermissionsEnforced::PermissionsEnforced() {
    if (::geteuid() != 0) return;
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false)) {
        enforced_ = false;
        return;
    }
    savedEffective_[0] = data[0].effective;
    savedEffective_[1] = data[1].effective;
    data[0].effective &= ~kOverrides;
    dropped_ = capabilities(data, true);
    enforced_ = dropped_;
}

PermissionsEnforced::~PermissionsEnforced() {
    if (!dropped_) return;
    __user_cap_data_struct data[2]{};
    if (!capabilities(data, false)) return;
    data[0].effective = savedEffective_[0];
    data[1].effective = savedEffective_[1];
    capabilities(data, true);
}

}  // namespace sob::testing
