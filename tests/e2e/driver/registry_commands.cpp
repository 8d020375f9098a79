// reg-dump, reg-set and reg-delete: the registry as the scenarios need it,
// with Japanese and empty values intact (UTF-8 JSON out, REG_SZ in).
//
// reg-dump prints null for a missing key, else
// {"<name>": {"type": "REG_SZ", "data": "<text>"}, ...}; data of types other
// than REG_SZ and REG_EXPAND_SZ is given as hex bytes.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/json_text.h"
#include "tools/common/console_output.h"
#include "tools/common/usage_error.h"

namespace vistrane::vtest {
namespace {

struct KeyPath {
  HKEY root;
  std::wstring subKey;
};

KeyPath ParseKeyPath(const std::wstring& path) {
  const auto slash = path.find(L'\\');
  const std::wstring root = path.substr(0, slash);
  const std::wstring rest = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
  if (rest.empty()) throw tools::UsageError("a registry key below a root is needed");
  if (root == L"HKCU" || root == L"HKEY_CURRENT_USER") return {HKEY_CURRENT_USER, rest};
  if (root == L"HKLM" || root == L"HKEY_LOCAL_MACHINE") return {HKEY_LOCAL_MACHINE, rest};
  throw tools::UsageError("registry keys start with HKCU or HKLM");
}

void Check(LSTATUS status, const std::wstring& operation) {
  if (status != ERROR_SUCCESS) throw Win32Error(static_cast<DWORD>(status), operation);
}

std::wstring TypeName(DWORD type) {
  switch (type) {
    case REG_SZ: return L"REG_SZ";
    case REG_EXPAND_SZ: return L"REG_EXPAND_SZ";
    case REG_MULTI_SZ: return L"REG_MULTI_SZ";
    case REG_DWORD: return L"REG_DWORD";
    case REG_BINARY: return L"REG_BINARY";
    default: return L"type " + std::to_wstring(type);
  }
}

std::wstring DataText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  }
  static const wchar_t kHex[] = L"0123456789abcdef";
  std::wstring hex;
  for (DWORD i = 0; i < size; ++i) {
    hex += kHex[data[i] >> 4];
    hex += kHex[data[i] & 15];
  }
  return hex;
}

}  // namespace

int RegDumpCommand(Arguments& args) {
  const KeyPath path = ParseKeyPath(args.Positional(1)[0]);
  UniqueHkey key;
  const LSTATUS opened = RegOpenKeyExW(path.root, path.subKey.c_str(), 0, KEY_READ, key.put());
  if (opened == ERROR_FILE_NOT_FOUND) {
    tools::WriteOut(L"null\n");
    return kOk;
  }
  Check(opened, L"RegOpenKeyExW " + path.subKey);

  DWORD count = 0;
  DWORD maxName = 0;
  DWORD maxData = 0;
  Check(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &maxName, &maxData, nullptr, nullptr),
        L"RegQueryInfoKeyW");
  std::wstring json = L"{";
  std::vector<wchar_t> name(maxName + 1);
  std::vector<BYTE> data(maxData + sizeof(wchar_t));
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    Check(RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &type, data.data(), &size),
          L"RegEnumValueW");
    if (i != 0) json += L", ";
    json += JsonString(std::wstring(name.data(), nameLength)) + L": {\"type\": " +
            JsonString(TypeName(type)) + L", \"data\": " +
            JsonString(DataText(type, data, size)) + L"}";
  }
  tools::WriteOut(json + L"}\n");
  return kOk;
}

int RegSetCommand(Arguments& args) {
  const auto& positional = args.PositionalAtLeast(2);
  const KeyPath path = ParseKeyPath(positional[0]);
  UniqueHkey key;
  Check(RegCreateKeyExW(path.root, path.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        key.put(), nullptr),
        L"RegCreateKeyExW " + path.subKey);
  for (std::size_t i = 1; i < positional.size(); ++i) {
    const std::wstring& assignment = positional[i];
    const auto equals = assignment.find(L'=');
    if (equals == std::wstring::npos || equals == 0) throw tools::UsageError("values are NAME=VALUE");
    const std::wstring name = assignment.substr(0, equals);
    const std::wstring value = assignment.substr(equals + 1);
    Check(RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
          L"RegSetValueExW " + name);
  }
  return kOk;
}

int RegDeleteCommand(Arguments& args) {
  const KeyPath path = ParseKeyPath(args.Positional(1)[0]);
  const LSTATUS status = RegDeleteTreeW(path.root, path.subKey.c_str());
  if (status != ERROR_FILE_NOT_FOUND) Check(status, L"RegDeleteTreeW " + path.subKey);
  return kOk;
}

}  // namespace vistrane::vtest
