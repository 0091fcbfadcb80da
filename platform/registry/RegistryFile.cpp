#include "platform/registry/detail/RegistryFile.h"

#include <algorithm>

namespace win {

using namespace detail;

namespace {

constexpr std::string_view kHeader = "RIVUVE REGISTRY 1";
constexpr char kHexDigits[] = "0123456789abcdef";

// ---- writing ----

void AppendHexByte(std::string& out, unsigned char byte)
{
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0f];
}

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c > 0x7e || c == '"' || c == '\\' || c == '[' || c == ']';
}

void AppendEscaped(std::string& out, std::string_view bytes, bool keyLevel)
{
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (NeedsEscape(c) || (keyLevel && i == 0 && c == 'x')) {
            out += "\\x";
            AppendHexByte(out, c);
        } else {
            out += static_cast<char>(c);
        }
    }
}

void AppendValue(std::string& out, const RegistryValue& value)
{
    out += '"';
    AppendEscaped(out, value.name, false);
    out += "\"=";
    switch (value.type) {
    case RegistryValueType::String:
        out += "sz:\"";
        AppendEscaped(out, value.data, false);
        out += '"';
        break;
    case RegistryValueType::DWord:
        out += "dword:";
        for (size_t i = 4; i-- > 0;)
            AppendHexByte(out, i < value.data.size() ? static_cast<unsigned char>(value.data[i]) : 0);
        break;
    case RegistryValueType::Binary:
        out += "hex:";
        for (size_t i = 0; i < value.data.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendHexByte(out, static_cast<unsigned char>(value.data[i]));
        }
        break;
    }
    out += '\n';
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& keyLine)
{
    out += '\n';
    out += '[';
    out += keyLine;
    out += "]\n";
    for (const RegistryValue& value : key.values)
        AppendValue(out, value);
    for (const RegistryKey& subkey : key.subkeys) {
        std::string subkeyLine = keyLine + '\\';
        AppendEscaped(subkeyLine, subkey.name, true);
        AppendKey(out, subkey, subkeyLine);
    }
}

// ---- reading ----

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Reads "\xNN" at pos into byte; false when there is no escape there.
bool ReadEscape(std::string_view line, size_t pos, char& byte)
{
    if (pos + 3 >= line.size() || line[pos] != '\\' || line[pos + 1] != 'x')
        return false;
    const int high = HexValue(line[pos + 2]);
    const int low = HexValue(line[pos + 3]);
    if (high < 0 || low < 0)
        return false;
    byte = static_cast<char>(high * 16 + low);
    return true;
}

bool ReadHexByte(std::string_view text, size_t pos, char& byte)
{
    if (pos + 2 > text.size())
        return false;
    const int high = HexValue(text[pos]);
    const int low = HexValue(text[pos + 1]);
    if (high < 0 || low < 0)
        return false;
    byte = static_cast<char>(high * 16 + low);
    return true;
}

// Reads a quoted, escaped text starting at pos (at its opening quote); pos ends after the closing quote.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& text)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    ++pos;
    text.clear();
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        char byte;
        if (c == '\\') {
            if (!ReadEscape(line, pos, byte))
                return false;
            text += byte;
            pos += 4;
        } else if (NeedsEscape(static_cast<unsigned char>(c))) {
            return false;
        } else {
            text += c;
            ++pos;
        }
    }
    return false;
}

// "[ROOT\level\level]" into root and path.
bool ReadKeyLine(std::string_view line, RegistryRoot& root, RegistryPath& path)
{
    if (line.size() < 2 || line.front() != '[' || line.back() != ']')
        return false;
    const std::string_view inner = line.substr(1, line.size() - 2);
    const size_t rootEnd = std::min(inner.find('\\'), inner.size());
    const std::string_view rootName = inner.substr(0, rootEnd);
    if (rootName == RegistryRootName(RegistryRoot::CurrentUser))
        root = RegistryRoot::CurrentUser;
    else if (rootName == RegistryRootName(RegistryRoot::LocalMachine))
        root = RegistryRoot::LocalMachine;
    else
        return false;

    path.clear();
    size_t pos = rootEnd;
    while (pos < inner.size()) {
        // Here stands a separator: a "\" that does not begin an escape.
        ++pos;
        std::string name;
        while (pos < inner.size()) {
            char byte;
            if (ReadEscape(inner, pos, byte)) {
                name += byte;
                pos += 4;
            } else if (inner[pos] == '\\') {
                break;
            } else if (NeedsEscape(static_cast<unsigned char>(inner[pos]))) {
                return false;
            } else {
                name += inner[pos++];
            }
        }
        if (name.empty())
            return false;
        path.push_back(std::move(name));
    }
    return true;
}

bool ReadValueData(std::string_view rest, RegistryValue& value)
{
    if (rest.starts_with("sz:")) {
        size_t pos = 3;
        value.type = RegistryValueType::String;
        return ReadQuoted(rest, pos, value.data) && pos == rest.size();
    }
    if (rest.starts_with("dword:")) {
        const std::string_view digits = rest.substr(6);
        if (digits.size() != 8)
            return false;
        value.type = RegistryValueType::DWord;
        value.data.assign(4, '\0');
        for (size_t i = 0; i < 4; ++i)
            if (!ReadHexByte(digits, 2 * i, value.data[3 - i]))
                return false;
        return true;
    }
    if (rest.starts_with("hex:")) {
        const std::string_view bytes = rest.substr(4);
        value.type = RegistryValueType::Binary;
        value.data.clear();
        for (size_t pos = 0; pos < bytes.size(); pos += 3) {
            char byte;
            if (!ReadHexByte(bytes, pos, byte) || (pos + 2 < bytes.size() && bytes[pos + 2] != ','))
                return false;
            value.data += byte;
            if (pos + 2 == bytes.size() - 1)
                return false;  // a trailing comma
        }
        return true;
    }
    return false;
}

bool ReadValueLine(std::string_view line, RegistryValue& value)
{
    size_t pos = 0;
    if (!ReadQuoted(line, pos, value.name) || pos >= line.size() || line[pos] != '=')
        return false;
    return ReadValueData(line.substr(pos + 1), value);
}

}  // namespace

std::string detail::FormatRegistryFile(const RegistryTree& tree)
{
    std::string out(kHeader);
    out += '\n';
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine})
        AppendKey(out, tree.Root(root), RegistryRootName(root));
    return out;
}

std::optional<RegistryTree> detail::ParseRegistryFile(std::string_view text)
{
    if (!text.starts_with(kHeader) || text.size() == kHeader.size() || text[kHeader.size()] != '\n' ||
        text.back() != '\n')
        return std::nullopt;

    RegistryTree tree;
    RegistryKey* key = nullptr;
    size_t start = kHeader.size() + 1;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty())
            continue;
        if (line.front() == '[') {
            RegistryRoot root;
            RegistryPath path;
            if (!ReadKeyLine(line, root, path))
                return std::nullopt;
            key = &tree.Create(root, path);
        } else {
            RegistryValue value;
            if (!key || !ReadValueLine(line, value))
                return std::nullopt;
            key->SetValue(value);
        }
    }
    return tree;
}

}  // namespace win
