#include "platform/registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace platform::registry {

namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Registry names ignore case.
struct NameLess {
    bool operator()(const std::string &a, const std::string &b) const {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return lowerAscii(x) < lowerAscii(y); });
    }
};

struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

struct Key {
    std::map<std::string, std::unique_ptr<Key>, NameLess> subKeys;
    std::map<std::string, Value, NameLess> values;
};

using Path = std::vector<std::string>;

// An open handle names its key by path, so a key removed meanwhile is noticed on use.
struct OpenKey {
    KeyHandle root = 0;
    Path path;
    std::uint32_t access = 0;
};

struct Registry {
    std::map<KeyHandle, Key> roots;
    std::map<KeyHandle, OpenKey> open;
    KeyHandle nextHandle = 0x100;
};

Registry &registry() {
    static Registry instance;
    return instance;
}

bool isPredefined(KeyHandle handle) {
    return handle == kClassesRoot || handle == kCurrentUser || handle == kLocalMachine ||
           handle == kUsers || handle == kCurrentConfig;
}

// Splits a backslash-separated path; empty parts (doubled or trailing backslashes) are skipped.
Path splitPath(std::string_view text) {
    Path parts;
    while (!text.empty()) {
        const std::size_t cut = text.find('\\');
        const std::string_view part = text.substr(0, cut);
        if (!part.empty())
            parts.emplace_back(part);
        if (cut == std::string_view::npos)
            break;
        text.remove_prefix(cut + 1);
    }
    return parts;
}

Key *findKey(KeyHandle root, const Path &path) {
    Key *key = &registry().roots[root];
    for (const std::string &part : path) {
        const auto found = key->subKeys.find(part);
        if (found == key->subKeys.end())
            return nullptr;
        key = found->second.get();
    }
    return key;
}

Key &makeKey(KeyHandle root, const Path &path) {
    Key *key = &registry().roots[root];
    for (const std::string &part : path) {
        std::unique_ptr<Key> &child = key->subKeys[part];
        if (!child)
            child = std::make_unique<Key>();
        key = child.get();
    }
    return *key;
}

// Where a handle points: a predefined root, or the root and path of an open key.
const OpenKey *resolve(KeyHandle handle, OpenKey &scratch) {
    if (isPredefined(handle)) {
        scratch = OpenKey{handle, {}, kAllAccess};
        return &scratch;
    }
    const auto found = registry().open.find(handle);
    return found == registry().open.end() ? nullptr : &found->second;
}

} // namespace

Status openKey(KeyHandle root, std::string_view subKey, std::uint32_t reserved,
               std::uint32_t access, KeyHandle *result) {
    if (!result)
        return kInvalidParameter;
    *result = 0;
    if (reserved != 0)
        return kInvalidParameter;
    OpenKey scratch;
    const OpenKey *parent = resolve(root, scratch);
    if (!parent)
        return kInvalidHandle;
    OpenKey opened{parent->root, parent->path, access};
    for (std::string &part : splitPath(subKey))
        opened.path.push_back(std::move(part));
    if (!findKey(opened.root, opened.path))
        return kFileNotFound;
    Registry &reg = registry();
    const KeyHandle handle = reg.nextHandle;
    reg.nextHandle += 4;
    reg.open.emplace(handle, std::move(opened));
    *result = handle;
    return kSuccess;
}

Status queryValue(KeyHandle key, std::string_view valueName, std::uint32_t *reserved,
                  std::uint32_t *type, std::uint8_t *data, std::uint32_t *dataSize) {
    if (reserved || (data && !dataSize))
        return kInvalidParameter;
    OpenKey scratch;
    const OpenKey *opened = resolve(key, scratch);
    if (!opened)
        return kInvalidHandle;
    if ((opened->access & kQueryValue) == 0)
        return kAccessDenied;
    const Key *node = findKey(opened->root, opened->path);
    if (!node)
        return kKeyDeleted;
    const auto found = node->values.find(std::string(valueName));
    if (found == node->values.end())
        return kFileNotFound;
    const Value &value = found->second;
    const auto size = static_cast<std::uint32_t>(value.data.size());
    if (type)
        *type = value.type;
    if (data && *dataSize < size) {
        *dataSize = size;
        return kMoreData;
    }
    if (data && size > 0)
        std::memcpy(data, value.data.data(), size);
    if (dataSize)
        *dataSize = size;
    return kSuccess;
}

Status closeKey(KeyHandle key) {
    if (isPredefined(key))
        return kSuccess;
    return registry().open.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

namespace store {

void writeValue(KeyHandle root, std::string_view keyPath, std::string_view valueName,
                std::uint32_t type, std::vector<std::uint8_t> data) {
    if (!isPredefined(root))
        return;
    makeKey(root, splitPath(keyPath)).values[std::string(valueName)] = Value{type, std::move(data)};
}

void writeText(KeyHandle root, std::string_view keyPath, std::string_view valueName,
               std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    writeValue(root, keyPath, valueName, kTypeText, std::move(bytes));
}

void writeNumber32(KeyHandle root, std::string_view keyPath, std::string_view valueName,
                   std::uint32_t number) {
    // Stored little-endian, as the Win32 registry keeps its 32-bit numbers.
    std::vector<std::uint8_t> bytes(4);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(number >> (8 * i));
    writeValue(root, keyPath, valueName, kTypeNumber32, std::move(bytes));
}

void removeKey(KeyHandle root, std::string_view keyPath) {
    if (!isPredefined(root))
        return;
    Path path = splitPath(keyPath);
    if (path.empty()) {
        registry().roots.erase(root);
        return;
    }
    const std::string last = path.back();
    path.pop_back();
    if (Key *parent = findKey(root, path))
        parent->subKeys.erase(last);
}

void clear() {
    // Handles keep counting up, so a handle from before never names a key opened after.
    const KeyHandle next = registry().nextHandle;
    registry() = Registry{};
    registry().nextHandle = next;
}

std::size_t openHandleCount() {
    return registry().open.size();
}

} // namespace store

} // namespace platform::registry
