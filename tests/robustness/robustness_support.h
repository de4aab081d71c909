#pragma once

#include <map>
#include <string>
#include <vector>

namespace sob::testing {

// Every file under the folder (recursively, relative path with '/') and its
// bytes: a picture of a phrase base to compare before and after.
std::map<std::string, std::string> snapshotFolder(const std::string& folder);

// The names whose entries differ between two pictures (present in one only,
// or with other bytes), for short failure messages.
std::vector<std::string> differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b);

// The temporary files an interrupted atomic write can leave in the folder
// (".<name>.tmp-<pid>-<n>").
std::vector<std::string> temporaryFiles(const std::string& folder);

// While it lives, the process is held to the file permissions even when it
// runs as root: the capabilities that override them are taken out of the
// effective set (and put back at the end). Without root nothing changes.
class PermissionsEnforced {
public:
    PermissionsEnforced();
    ~PermissionsEnforced();
    PermissionsEnforced(const PermissionsEnforced&) = delete;
    PermissionsEnforced& operator=(const PermissionsEnforced&) = delete;

    // Whether permissions now bind this process (false when root could not
    // give up its overrides).
    bool enforced() const { return enforced_; }

private:
    bool dropped_ = false;
    bool enforced_ = true;
    unsigned savedEffective_[2] = {0, 0};
};

}  // namespace sob::testing
