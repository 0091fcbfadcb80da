#pragma once
// The registry file: the text form of the whole tree, one line per key and per value, every line ending
// in LF.
//
//   RIVUVE REGISTRY 1                          the header, always the first line
//   [HKEY_CURRENT_USER\Software\Pellawinsbry]  a key: its root, then one "\" and a name per level
//   "Caption"=sz:"Main\x0d\x0amenu"            a string value of the key above
//   "Version"=dword:00000023                   a DWORD: eight lower-case hexadecimal digits
//   "Layout"=hex:00,ff,5b                      binary data: two lower-case hexadecimal digits per byte,
//                                              separated by commas; "hex:" alone is no data
//   ""=sz:"text"                               the key's unnamed (default) value
//
// Empty lines may stand between lines. Only the roots HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE appear.
// The writer puts every key in the file, empty ones included, after its parent; values follow their key
// in the order they were first written.
//
// Names and texts keep every byte: a byte below 0x20 or above 0x7e, and each of the grammar's own
// characters '"', '\', '[' and ']', is written as \xNN (two lower-case hexadecimal digits). In a key line
// "\" also separates the levels: "\x" followed by two hexadecimal digits is an escaped byte and any other
// "\" a separator, so the writer escapes a name's leading letter "x" as \x78.
//
// Any other line, a missing header, a value before the first key, an unknown root, an empty level or a
// missing final LF makes the file damaged.

#include "platform/registry/detail/RegistryTree.h"

#include <optional>
#include <string>
#include <string_view>

namespace win::detail {

std::string FormatRegistryFile(const RegistryTree& tree);

// The tree the text describes, or nothing when the text is damaged.
std::optional<RegistryTree> ParseRegistryFile(std::string_view text);

}  // namespace win::detail
