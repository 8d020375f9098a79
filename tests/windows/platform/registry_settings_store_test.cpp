#include "platform/registry_settings_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/unique_handle.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// Each run works under its own scratch key of HKEY_CURRENT_USER and removes
// it again, so the user's real settings are never touched.
class RegistrySettingsStoreTest : public testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str()); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str()); }

  // Writes a raw value the way another program might have left it.
  void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    UniqueHkey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
  }

  const std::wstring scratch_ =
      L"Software\\Vistrane windows tests " + std::to_wstring(GetCurrentProcessId());
  RegistrySettingsStore store_{scratch_};
};

TEST_F(RegistrySettingsStoreTest, DefaultAddressIsWhereEarlierVersionsKeptTheSettings) {
  EXPECT_EQ(RegistrySettingsStore::DefaultSubkey(),
            L"Software\\VB and VBA Program Settings\\TRV Vistrane\\Propaty");
}

TEST_F(RegistrySettingsStoreTest, MissingKeyOrValueReadsAsNothing) {
  EXPECT_EQ(store_.ReadSetting(L"ColorMode"), std::nullopt);
  HKEY probe = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, KEY_READ, &probe),
            ERROR_FILE_NOT_FOUND)
      << "reading must not create the key";

  store_.SaveSetting(L"Drive", L"C:\\");
  EXPECT_EQ(store_.ReadSetting(L"ColorMode"), std::nullopt);
}

TEST_F(RegistrySettingsStoreTest, WrittenTextReadsBackUnchanged) {
  const struct {
    const wchar_t* key;
    std::wstring value;
  } cases[] = {
      {L"SaveCont", L"0"},
      {L"AutoDelDate", L"-32768"},
      {L"MailNote", L""},
      {L"DirName", L"D:\\VstrnTmp"},
      {L"MailKenmei", L"画面キャプチャ ﾊﾞｰｼﾞｮﾝ情報 終　了"},
      {L"MailAdd", std::wstring(5000, L'x')},  // longer than the first read buffer
      {L"Text with spaces", L"line1\r\nline2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    store_.SaveSetting(c.key, c.value);
    EXPECT_EQ(store_.ReadSetting(c.key), c.value);
  }
}

TEST_F(RegistrySettingsStoreTest, WritingReplacesTheValue) {
  store_.SaveSetting(L"Filename", L"A much longer first name");
  store_.SaveSetting(L"Filename", L"Vstrn");
  EXPECT_EQ(store_.ReadSetting(L"Filename"), L"Vstrn");
}

// Other programs reading the same key expect REG_SZ with its terminator.
TEST_F(RegistrySettingsStoreTest, WriteCreatesTheKeyWithATerminatedRegSz) {
  store_.SaveSetting(L"OutPutMode", L"12");

  UniqueHkey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, KEY_READ, key.put()),
            ERROR_SUCCESS);
  DWORD type = 0;
  wchar_t data[8] = {};
  DWORD bytes = sizeof(data);
  ASSERT_EQ(RegQueryValueExW(key.get(), L"OutPutMode", nullptr, &type,
                             reinterpret_cast<BYTE*>(data), &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, 3 * sizeof(wchar_t));
  EXPECT_EQ(std::wstring(data), L"12");
}

TEST_F(RegistrySettingsStoreTest, ReadsTextValuesOtherProgramsWrote) {
  // Two characters of "42x": the system adds a forgotten terminator only
  // when a NUL follows the counted text.
  const wchar_t unterminated[] = L"42x";
  PutRaw(L"NoTerminator", REG_SZ, unterminated, 2 * sizeof(wchar_t));
  const wchar_t expandable[] = L"%TEMP%\\x";
  PutRaw(L"Expandable", REG_EXPAND_SZ, expandable, sizeof(expandable));
  const wchar_t twoTerminators[] = L"ab\0";
  PutRaw(L"TwoTerminators", REG_SZ, twoTerminators, sizeof(twoTerminators));

  EXPECT_EQ(store_.ReadSetting(L"NoTerminator"), L"42");
  EXPECT_EQ(store_.ReadSetting(L"Expandable"), L"%TEMP%\\x") << "stored text, not expanded";
  EXPECT_EQ(store_.ReadSetting(L"TwoTerminators"), L"ab");
}

TEST_F(RegistrySettingsStoreTest, ValueOfAnotherTypeThrowsStoreError) {
  const DWORD number = 5;
  PutRaw(L"ColorMode", REG_DWORD, &number, sizeof(number));

  EXPECT_THROW(store_.ReadSetting(L"ColorMode"), StoreError);
  // Saving puts a readable value back.
  store_.SaveSetting(L"ColorMode", L"1");
  EXPECT_EQ(store_.ReadSetting(L"ColorMode"), L"1");
}

// A volatile key cannot have a lasting child: the store must say so.
TEST_F(RegistrySettingsStoreTest, RefusedWriteThrowsStoreErrorNamingTheSetting) {
  UniqueHkey parent;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, parent.put(), nullptr),
            ERROR_SUCCESS);
  RegistrySettingsStore child(scratch_ + L"\\Propaty");
  try {
    child.SaveSetting(L"tmpfile", L"C:\\x.bmp");
    FAIL() << "SaveSetting under a volatile key should throw";
  } catch (const StoreError& error) {
    EXPECT_NE(error.message().find(L"tmpfile"), std::wstring::npos) << "the setting's name";
    EXPECT_NE(error.message().find(L"保存できませんでした"), std::wstring::npos);
    EXPECT_NE(error.message().find(scratch_), std::wstring::npos) << "where it was to go";
  }
}

}  // namespace
}  // namespace vistrane
