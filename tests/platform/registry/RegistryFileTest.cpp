#include "platform/registry/detail/RegistryFile.h"
#include "platform/registry/detail/RegistryTree.h"

#include <gtest/gtest.h>

namespace {

using win::detail::FormatRegistryFile;
using win::detail::ParseRegistryFile;
using win::detail::RegistryRoot;
using win::detail::RegistryTree;
using win::detail::RegistryValue;
using win::detail::RegistryValueType;

std::string AllBytes()
{
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        bytes += static_cast<char>(c);
    return bytes;
}

// The text a tree gives must bring back the same tree, whatever bytes its names and data hold.
TEST(RegistryFile, AwkwardNamesAndDataRoundTrip)
{
    const std::vector<std::string> awkward = {
        "",          "plain",        "  leading and trailing blanks  ",
        "CR\r\nLF",  "\x80\xff\x01", "a=b",
        "[section]", "quote\"back\\slash", "x41",
        "x",         "\\x41",        AllBytes(),
    };
    RegistryTree tree;
    for (size_t i = 0; i < awkward.size(); ++i) {
        const std::string& text = awkward[i];
        // Key names cannot be empty or hold the separator.
        std::string keyName = text.empty() ? "k" : text;
        std::erase(keyName, '\\');
        win::detail::RegistryKey& key = tree.Create(RegistryRoot::CurrentUser, {"Software", keyName, "x" + keyName});
        key.SetValue({text, RegistryValueType::String, text});
        key.SetValue({text + "bin", RegistryValueType::Binary, text});
        key.SetValue({text + "dw", RegistryValueType::DWord, std::string("\x2a\x00\x00\x80", 4)});
    }
    tree.Create(RegistryRoot::LocalMachine, {"Empty key"});

    const std::string text = FormatRegistryFile(tree);
    // Only printable ASCII and line ends reach the file.
    for (char c : text)
        ASSERT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7e)) << int(static_cast<unsigned char>(c));

    const std::optional<RegistryTree> back = ParseRegistryFile(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(FormatRegistryFile(*back), text);
    for (const std::string& name : awkward) {
        std::string keyName = name.empty() ? "k" : name;
        std::erase(keyName, '\\');
        const win::detail::RegistryKey* key = back->Find(RegistryRoot::CurrentUser, {"Software", keyName, "x" + keyName});
        ASSERT_TRUE(key) << name;
        const RegistryValue* value = key->FindValue(name);
        ASSERT_TRUE(value) << name;
        EXPECT_EQ(value->name, name);
        EXPECT_EQ(value->data, name);
        EXPECT_EQ(key->FindValue(name + "bin")->data, name);
        EXPECT_EQ(key->FindValue(name + "dw")->data, std::string("\x2a\x00\x00\x80", 4));
    }
    EXPECT_TRUE(back->Find(RegistryRoot::LocalMachine, {"Empty key"}));
}

TEST(RegistryFile, DocumentedForm)
{
    RegistryTree tree;
    win::detail::RegistryKey& key = tree.Create(RegistryRoot::CurrentUser, {"Software", "Pellawinsbry"});
    key.SetValue({"Caption", RegistryValueType::String, "Main\r\nmenu"});
    key.SetValue({"Version", RegistryValueType::DWord, std::string("\x23\0\0\0", 4)});
    key.SetValue({"Layout", RegistryValueType::Binary, std::string("\x00\xff[", 3)});
    EXPECT_EQ(FormatRegistryFile(tree),
              "RIVUVE REGISTRY 1\n"
              "\n[HKEY_CURRENT_USER]\n"
              "\n[HKEY_CURRENT_USER\\Software]\n"
              "\n[HKEY_CURRENT_USER\\Software\\Pellawinsbry]\n"
              "\"Caption\"=sz:\"Main\\x0d\\x0amenu\"\n"
              "\"Version\"=dword:00000023\n"
              "\"Layout\"=hex:00,ff,5b\n"
              "\n[HKEY_LOCAL_MACHINE]\n");
}

TEST(RegistryFile, DamagedTextIsRefused)
{
    const std::string header = "RIVUVE REGISTRY 1\n";
    const std::string key = "[HKEY_CURRENT_USER\\A]\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty file", ""},
        {"other header", "RIVUVE REGISTRY 2\n" + key},
        {"no final line end", header + key + "\"a\"=sz:\"b\""},
        {"value before any key", header + "\"a\"=sz:\"b\"\n"},
        {"unknown root", header + "[HKEY_CLASSES_ROOT\\A]\n"},
        {"empty level", header + "[HKEY_CURRENT_USER\\\\A]\n"},
        {"trailing separator", header + "[HKEY_CURRENT_USER\\A\\]\n"},
        {"raw control byte", header + key + "\"a\"=sz:\"b\tc\"\n"},
        {"raw high byte", header + key + "\"a\"=sz:\"\xe9\"\n"},
        {"bad escape", header + key + "\"a\"=sz:\"\\x4g\"\n"},
        {"unknown type", header + key + "\"a\"=expand:\"b\"\n"},
        {"short dword", header + key + "\"a\"=dword:2a\n"},
        {"upper-case dword", header + key + "\"a\"=dword:0000002A\n"},
        {"odd hex", header + key + "\"a\"=hex:0,ff\n"},
        {"trailing comma", header + key + "\"a\"=hex:00,\n"},
        {"text after value", header + key + "\"a\"=sz:\"b\" \n"},
        {"carriage return", header + key + "\"a\"=sz:\"b\"\r\n"},
        {"stray line", header + key + "a=b\n"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ParseRegistryFile(c.text)) << c.what;

    EXPECT_TRUE(ParseRegistryFile(header + key + "\n\"a\"=hex:\n"));
}

}  // namespace
