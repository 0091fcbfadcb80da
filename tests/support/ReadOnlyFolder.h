#pragma once
// Makes a folder read-only for the calling thread while the object lives. An ordinary user loses the
// write permission; root, whom permissions do not stop, sees the folder through a read-only bind mount
// in a mount namespace of the thread's own, which the rest of the machine never sees. Made() is false
// where neither works, and the test should skip.

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace testsupport {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string folder) : folder_(std::move(folder))
    {
        if (::geteuid() != 0) {
            made_ = ::chmod(folder_.c_str(), 0555) == 0;
            return;
        }
        mounted_ = ::unshare(CLONE_NEWNS) == 0 &&
                   ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) == 0;
        made_ = mounted_ &&
                ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyFolder()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
        else if (made_)
            ::chmod(folder_.c_str(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Made() const { return made_; }

private:
    std::string folder_;
    bool mounted_ = false;
    bool made_ = false;
};

}  // namespace testsupport
