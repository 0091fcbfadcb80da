#pragma once
// The program's resources: blocks of bytes found by type and name (or integer id).
//
// The build compiles the resources folder into tables that the program registers at start-up
// (RegisterResources); with RIVUVE_RESOURCES=<folder> set, every look-up reads that folder instead,
// compiled the same way on first use, so a developer sees edited resources without a rebuild.
//
// Folder layout (CompileResourceFolder):
//   forms/<Form>.form         text form -> RCDATA "<FORM>": the binary form
//   forms/<Form>.strings      the window's translation source -> the block, stored as the
//                             "TranslationData" property of the form's one TtrLingua component
//   stringtables/<any>.txt    numbered strings, `41000 = "text"` lines in the translation source syntax
//                             -> RT_STRING 41000: the text's bytes
// The translation sources are compiled by the translation library, which sits above this one and
// installs its compiler at start-up (SetTranslationSourceCompiler).
//   <TYPE>/<NAME>.<ext>       the file as it is (a bitmap, cursor or icon file whole, headers included).
//                             TYPE BITMAP, CURSOR, ICON, RCDATA and STRING are the standard types, any
//                             other folder a type of that name (UXSKINS, UPDHELPER)
// Names are upper-cased; a name of digits only is that integer id.

#include "platform/classes/ResourceStrings.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace classes {

constexpr int RT_CURSOR = 1;
constexpr int RT_BITMAP = 2;
constexpr int RT_ICON = 3;
constexpr int RT_STRING = 6;
constexpr int RT_RCDATA = 10;

inline constexpr TResStringRec SResNotFound{"SResNotFound", "Resource %s not found"};
inline constexpr TResStringRec SCantWriteResourceStream{"SCantWriteResourceStream",
                                                        "Can't write to a read-only resource stream"};

class EResNotFound : public rtl::Exception {
public:
    using rtl::Exception::Exception;
    const char* ClassName() const noexcept override { return "EResNotFound"; }
};

// A resource type or name: an integer id or a name. Names compare without regard to case; the name
// "#123" is the id 123.
class TResId {
public:
    TResId(int id) : id_(id) {}
    TResId(const char* name) : TResId(std::string_view(name)) {}
    TResId(const std::string& name) : TResId(std::string_view(name)) {}
    TResId(std::string_view name);

    bool IsId() const { return name_.empty(); }
    int Id() const { return id_; }
    // Upper-case.
    const std::string& Name() const { return name_; }
    // "#123" or the name, as messages show it.
    std::string Text() const;
    friend bool operator==(const TResId&, const TResId&) = default;

private:
    int id_ = 0;
    std::string name_;
};

// One entry of a compiled table. Type and name are each an id (the name pointer null) or an
// upper-case name.
struct TResourceEntry {
    int typeId;
    const char* typeName;
    int nameId;
    const char* name;
    const char* data;
    std::size_t size;
};

// Tables stay registered until unregistered; the later registration wins where two hold a resource.
void RegisterResources(const TResourceEntry* entries, std::size_t count);
void UnregisterResources(const TResourceEntry* entries);

// The resource's bytes, valid until the program ends; none when there is no such resource.
std::optional<std::string_view> FindResource(const TResId& name, const TResId& type);

// A read-only stream over a resource; EResNotFound "Resource %s not found" when there is none.
class TResourceStream : public rtl::TStream {
public:
    TResourceStream(const TResId& name, const TResId& type);

    const char* Memory() const { return data_.data(); }

    std::int64_t Read(void* buffer, std::int64_t count) override;
    // EStreamError "Can't write to a read-only resource stream".
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, rtl::SeekOrigin origin) override;

private:
    std::string_view data_;
    std::int64_t position_ = 0;
};

struct TCompiledResource {
    TResId type;
    TResId name;
    std::string data;
};

// What the translation library compiles for the folder compiler. Both raise EParserError on a malformed
// source; the folder compiler puts the file's name in front.
struct TTranslationSourceCompiler {
    // A window's translation source -> its "TranslationData" block.
    std::string (*windowBlock)(std::string_view source);
    // A string table source -> its numbered strings in source order.
    std::vector<std::pair<int, std::string>> (*stringTable)(std::string_view source);
};

// Installs the compiler (null removes it) and returns the one it replaces. Without a compiler, a folder
// holding translation sources is refused.
const TTranslationSourceCompiler* SetTranslationSourceCompiler(const TTranslationSourceCompiler* compiler);

// Every resource of a folder laid out as above, in a stable order. A malformed source raises its
// error with the file's name in front ("forms/X.form: Line 3: ..."); EFOpenError when the folder or
// a file cannot be read.
std::vector<TCompiledResource> CompileResourceFolder(const std::string& folder);

}  // namespace classes
