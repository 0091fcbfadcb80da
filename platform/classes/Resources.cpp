#include "platform/classes/Resources.h"

#include "platform/classes/TextForm.h"
#include "platform/rtl/StringUtils.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>

namespace classes {

namespace {

namespace fs = std::filesystem;

constexpr char kTranslationClass[] = "TtrLingua";
constexpr char kTranslationProperty[] = "TranslationData";

std::atomic<const TTranslationSourceCompiler*> theTranslationCompiler{nullptr};

const TTranslationSourceCompiler& TranslationCompiler(const std::string& shown)
{
    const TTranslationSourceCompiler* compiler = theTranslationCompiler.load();
    if (!compiler)
        throw EParserError(shown + ": translation sources need the translation library, which is not started");
    return *compiler;
}

struct ResourceRegistry {
    std::mutex lock;
    std::vector<std::pair<const TResourceEntry*, std::size_t>> tables;
    // Folders read through RIVUVE_RESOURCES; kept for the program's life, as found bytes are.
    std::map<std::string, std::unique_ptr<std::vector<TCompiledResource>>> folders;
};

ResourceRegistry& TheRegistry()
{
    static ResourceRegistry registry;
    return registry;
}

bool Matches(int id, const char* name, const TResId& key)
{
    return key.IsId() ? !name && id == key.Id() : name && key.Name() == name;
}

// The name or id a file stands for: digits only are an id.
TResId IdFromStem(const std::string& stem)
{
    bool digits = !stem.empty() && stem.size() <= 5
        && std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits)
        return TResId(std::stoi(stem));
    return TResId(stem);
}

TResId TypeOfFolder(const std::string& folder)
{
    static const std::pair<const char*, int> standard[] = {
        {"CURSOR", RT_CURSOR}, {"BITMAP", RT_BITMAP}, {"ICON", RT_ICON}, {"STRING", RT_STRING}, {"RCDATA", RT_RCDATA}};
    std::string upper = rtl::UpperCase(folder);
    for (const auto& [name, id] : standard)
        if (upper == name)
            return TResId(id);
    return IdFromStem(upper);
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    if (file)
        content << file.rdbuf();
    if (!file || file.bad())
        throw rtl::EFOpenError("Cannot open file \"" + path.string() + "\". " + std::strerror(errno));
    return content.str();
}

// Runs a compile step with the source's name in front of its message.
template <class F>
auto Named(const std::string& source, F step)
{
    try {
        return step();
    } catch (const EParserError& e) {
        throw EParserError(source + ": " + e.what());
    } catch (const rtl::EStreamError& e) {
        throw rtl::EReadError(source + ": " + e.what());
    }
}

std::string CompileForm(const fs::path& form, const fs::path& strings, const std::string& shown)
{
    std::optional<std::string> block;
    if (fs::exists(strings)) {
        std::string shownStrings = shown.substr(0, shown.size() - 4) + "strings";
        const TTranslationSourceCompiler& compiler = TranslationCompiler(shownStrings);
        std::string source = ReadFile(strings);
        block = Named(shownStrings, [&] { return compiler.windowBlock(source); });
    }
    std::string text = ReadFile(form);
    int components = 0;
    std::string binary = Named(shown, [&] {
        return ObjectTextToBinary(text, [&](const std::string& className, const std::string&, TBinaryWriter& writer) {
            if (!block || className != kTranslationClass)
                return;
            ++components;
            writer.WriteStr(kTranslationProperty);
            writer.WriteBinary(*block);
        });
    });
    if (block && components != 1)
        throw EParserError(shown + ": the string table needs exactly one " + kTranslationClass + " component, found "
                           + std::to_string(components));
    return binary;
}

void CompileStringTable(const std::string& source, const std::string& shown, std::vector<TCompiledResource>& out)
{
    const TTranslationSourceCompiler& compiler = TranslationCompiler(shown);
    for (auto& [number, text] : Named(shown, [&] { return compiler.stringTable(source); }))
        out.push_back({TResId(RT_STRING), TResId(number), std::move(text)});
}

std::vector<fs::path> SortedEntries(const fs::path& folder)
{
    std::vector<fs::path> entries;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string()[0] != '.')
            entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

void CompileFolder(const fs::path& root, std::vector<TCompiledResource>& out)
{
    for (const fs::path& typeFolder : SortedEntries(root)) {
        std::string typeName = typeFolder.filename().string();
        if (!fs::is_directory(typeFolder))
            throw rtl::EReadError(typeName + ": resources belong in a folder named after their type");
        for (const fs::path& file : SortedEntries(typeFolder)) {
            std::string shown = typeName + "/" + file.filename().string();
            std::string stem = file.stem().string();
            std::string extension = rtl::LowerCase(file.extension().string());
            if (typeName == "forms") {
                if (extension == ".strings") {
                    if (!fs::exists(fs::path(file).replace_extension(".form")))
                        throw EParserError(shown + ": no form " + stem + ".form for this string table");
                    continue;
                }
                if (extension != ".form")
                    throw EParserError(shown + ": forms/ holds .form and .strings files only");
                out.push_back({TResId(RT_RCDATA), TResId(rtl::UpperCase(stem)),
                               CompileForm(file, fs::path(file).replace_extension(".strings"), shown)});
            } else if (typeName == "stringtables") {
                CompileStringTable(ReadFile(file), shown, out);
            } else {
                out.push_back({TypeOfFolder(typeName), IdFromStem(rtl::UpperCase(stem)), ReadFile(file)});
            }
        }
    }
}

std::vector<TCompiledResource>& CachedFolder(ResourceRegistry& registry, const std::string& folder)
{
    auto& cached = registry.folders[folder];
    if (!cached)
        cached = std::make_unique<std::vector<TCompiledResource>>(CompileResourceFolder(folder));
    return *cached;
}

}  // namespace

TResId::TResId(std::string_view name)
{
    if (name.size() > 1 && name[0] == '#') {
        id_ = std::atoi(std::string(name.substr(1)).c_str());
        return;
    }
    name_ = rtl::UpperCase(name);
}

std::string TResId::Text() const
{
    return IsId() ? "#" + std::to_string(id_) : name_;
}

void RegisterResources(const TResourceEntry* entries, std::size_t count)
{
    ResourceRegistry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.tables.emplace_back(entries, count);
}

void UnregisterResources(const TResourceEntry* entries)
{
    ResourceRegistry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    std::erase_if(registry.tables, [&](const auto& table) { return table.first == entries; });
}

std::optional<std::string_view> FindResource(const TResId& name, const TResId& type)
{
    ResourceRegistry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    if (const char* folder = std::getenv("RIVUVE_RESOURCES"); folder && *folder) {
        for (const TCompiledResource& resource : CachedFolder(registry, folder))
            if (resource.type == type && resource.name == name)
                return std::string_view(resource.data);
        return std::nullopt;
    }
    for (auto table = registry.tables.rbegin(); table != registry.tables.rend(); ++table)
        for (std::size_t i = 0; i < table->second; ++i) {
            const TResourceEntry& entry = table->first[i];
            if (Matches(entry.typeId, entry.typeName, type) && Matches(entry.nameId, entry.name, name))
                return std::string_view(entry.data, entry.size);
        }
    return std::nullopt;
}

const TTranslationSourceCompiler* SetTranslationSourceCompiler(const TTranslationSourceCompiler* compiler)
{
    return theTranslationCompiler.exchange(compiler);
}

std::vector<TCompiledResource> CompileResourceFolder(const std::string& folder)
{
    std::vector<TCompiledResource> resources;
    try {
        if (!fs::is_directory(folder))
            throw rtl::EFOpenError("Cannot open resource folder \"" + folder + "\"");
        CompileFolder(folder, resources);
    } catch (const fs::filesystem_error& e) {
        throw rtl::EFOpenError("Cannot read resource folder \"" + folder + "\". " + e.code().message());
    }
    for (std::size_t i = 0; i < resources.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (resources[i].type == resources[j].type && resources[i].name == resources[j].name)
                throw rtl::EReadError("Duplicate resource " + resources[i].name.Text() + " of type "
                                      + resources[i].type.Text() + " in \"" + folder + "\"");
    return resources;
}

TResourceStream::TResourceStream(const TResId& name, const TResId& type)
{
    std::optional<std::string_view> found = FindResource(name, type);
    if (!found)
        throw EResNotFound(rtl::Format(LoadResString(SResNotFound), {name.Text()}));
    data_ = *found;
}

std::int64_t TResourceStream::Read(void* buffer, std::int64_t count)
{
    std::int64_t available = std::max<std::int64_t>(std::int64_t(data_.size()) - position_, 0);
    count = std::clamp<std::int64_t>(count, 0, available);
    if (count > 0)
        std::memcpy(buffer, data_.data() + position_, std::size_t(count));
    position_ += count;
    return count;
}

std::int64_t TResourceStream::Write(const void*, std::int64_t)
{
    throw rtl::EStreamError(LoadResString(SCantWriteResourceStream));
}

std::int64_t TResourceStream::Seek(std::int64_t offset, rtl::SeekOrigin origin)
{
    std::int64_t base = origin == rtl::SeekOrigin::Beginning ? 0
                        : origin == rtl::SeekOrigin::Current ? position_ : std::int64_t(data_.size());
    if (offset < -base || offset > INT64_MAX - base)
        return -1;
    position_ = base + offset;
    return position_;
}

}  // namespace classes
