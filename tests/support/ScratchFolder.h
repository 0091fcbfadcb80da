#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace testsupport {

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "rivuve-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a scratch folder");
        folder_ = pattern + "/";
    }
    ~ScratchFolder()
    {
        // A test may have taken the write permission away to provoke a failure.
        std::error_code error;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(folder_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, with a trailing '/'.
    const std::string& Folder() const { return folder_; }
    std::string Path(std::string_view name) const { return folder_ + std::string(name); }
    void WriteFile(std::string_view name, std::string_view content) const { WriteBytes(Path(name), content); }
    std::string ReadFile(std::string_view name) const { return ReadBytes(Path(name)); }
    size_t EntryCount() const
    {
        return size_t(std::distance(std::filesystem::directory_iterator(folder_), {}));
    }

private:
    std::string folder_;
};

}  // namespace testsupport
