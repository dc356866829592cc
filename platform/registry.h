#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A small registry in the shape of the Win32 one: open a key under a root, query one of its
// values, close the key. On Linux it is backed by an in-memory tree of our own that starts
// empty; the store functions below fill it. Key paths use backslashes and, like value names,
// compare without regard to ASCII case.
namespace platform::registry {

// Key handles. The predefined roots have the fixed Win32 values; opened keys get fresh ones.
using KeyHandle = std::uint32_t;
inline constexpr KeyHandle kClassesRoot = 0x80000000u;
inline constexpr KeyHandle kCurrentUser = 0x80000001u;
inline constexpr KeyHandle kLocalMachine = 0x80000002u;
inline constexpr KeyHandle kUsers = 0x80000003u;
inline constexpr KeyHandle kCurrentConfig = 0x80000005u;

// Value types.
inline constexpr std::uint32_t kTypeText = 1;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeNumber32 = 4;

// Access rights asked for when opening a key; queries need kQueryValue.
inline constexpr std::uint32_t kQueryValue = 0x0001;
inline constexpr std::uint32_t kAllAccess = 0xF003F;

// Results, with the Win32 error numbers.
using Status = long;
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kMoreData = 234;
inline constexpr Status kKeyDeleted = 1018;

// Opens subKey under root (a predefined root or an open key). reserved must be 0. An empty
// subKey opens root itself again. On failure *result is 0.
Status openKey(KeyHandle root, std::string_view subKey, std::uint32_t reserved,
               std::uint32_t access, KeyHandle *result);

// Reads the value valueName (empty: the key's default value). type, data and dataSize may each
// be null, but data needs dataSize. *dataSize gives the buffer's size on entry and the value's
// size on return; a buffer too small gives kMoreData and copies nothing. reserved must be null.
Status queryValue(KeyHandle key, std::string_view valueName, std::uint32_t *reserved,
                  std::uint32_t *type, std::uint8_t *data, std::uint32_t *dataSize);

// Closes an open key. Closing a predefined root succeeds and does nothing.
Status closeKey(KeyHandle key);

// The backing store. Writers create the missing keys on the way; root must be predefined.
namespace store {
void writeValue(KeyHandle root, std::string_view keyPath, std::string_view valueName,
                std::uint32_t type, std::vector<std::uint8_t> data);
// A text value is stored with its terminating zero, as the Win32 writer does.
void writeText(KeyHandle root, std::string_view keyPath, std::string_view valueName,
               std::string_view text);
void writeNumber32(KeyHandle root, std::string_view keyPath, std::string_view valueName,
                   std::uint32_t number);
// Removes a key with everything below it; open handles to it then report kKeyDeleted.
void removeKey(KeyHandle root, std::string_view keyPath);
// Empties every root and closes every open handle.
void clear();
std::size_t openHandleCount();
} // namespace store

} // namespace platform::registry
