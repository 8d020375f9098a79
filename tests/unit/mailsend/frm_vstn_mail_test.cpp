#include "mailsend/frm_vstn_mail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/errors.h"

namespace vistrane {
namespace {

using Log = std::vector<std::wstring>;

// Every fake writes into one log, so a test sees the order across all of
// them. A fake calls `failure` at the member (the store: at the key) named in
// failAt: the mail client's refusal unless a test sets another.
struct World {
  Log log;
  std::wstring failAt;
  std::function<void()> failure = [] { throw MailClientRefused("refused", false); };

  void Call(const std::wstring& entry, const std::wstring& member) {
    log.push_back(entry);
    if (member == failAt) failure();
  }
};

class FakeStore final : public SettingsStore {
 public:
  FakeStore(World& world, std::map<std::wstring, std::wstring, std::less<>> values)
      : world_(world), values_(std::move(values)) {}
  std::optional<std::wstring> ReadSetting(std::wstring_view key) const override {
    world_.Call(L"read " + std::wstring(key), std::wstring(key));
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  void SaveSetting(std::wstring_view key, std::wstring_view) override {
    ADD_FAILURE() << "the mail sender writes no setting, but wrote "
                  << testing::PrintToString(std::wstring(key));
  }

 private:
  World& world_;
  std::map<std::wstring, std::wstring, std::less<>> values_;
};

class FakeHost final : public MailSenderHost {
 public:
  explicit FakeHost(World& world) : world_(world) {}
  std::vector<std::wstring> failingRemovals;
  std::vector<std::wstring> existing;
  std::vector<std::wstring> errors;

  void TrimWorkingSet() noexcept override { world_.log.push_back(L"trim"); }
  void RunBeside(const std::function<void()>& aside, const std::function<void()>& here) override {
    aside();
    here();
  }
  bool FileExists(const std::wstring& path) override {
    return std::find(existing.begin(), existing.end(), path) != existing.end();
  }
  void RemoveFile(const std::wstring& path) override {
    world_.log.push_back(L"remove " + path);
    for (const auto& failing : failingRemovals) {
      if (failing == path) throw std::runtime_error("in use");
    }
  }
  void ShowError(const std::wstring& text) override {
    world_.log.push_back(L"error");
    errors.push_back(text);
  }
  std::vector<unsigned char> ReadWholeFile(const std::wstring& path) override {
    world_.log.push_back(L"load " + path);
    return {1, 2, 3};
  }
  void WriteFileWhole(const std::wstring& path, std::string_view bytes) override {
    world_.log.push_back(L"write " + path);
    if (writeFails) throw UserFacingError(L"ディスクがいっぱいです。");
    written[path] = bytes;
  }
  MessageStamp Stamp() override { return {{2026, 12, 8, 9, 4, 1}, 540, "1"}; }
  bool OpenWithAssociatedProgram(const std::wstring& path) override {
    world_.log.push_back(L"open " + path);
    return associated;
  }
  void ShowInFolder(const std::wstring& path) noexcept override {
    world_.log.push_back(L"show " + path);
  }
  bool associated = true;
  bool writeFails = false;
  std::map<std::wstring, std::string> written;

 private:
  World& world_;
};

class FakeArchiver final : public Archiver {
 public:
  enum class Behaviour { Works, Missing, Fails, Breaks };
  explicit FakeArchiver(World& world) : world_(world) {}
  Behaviour behaviour = Behaviour::Works;
  std::wstring reason;

  void Unlha(const std::wstring& commandLine) override {
    world_.log.push_back(L"Unlha " + commandLine);
    if (behaviour == Behaviour::Missing) throw ArchiverMissing();
    if (behaviour == Behaviour::Fails) throw ArchiveFailed(reason);
    if (behaviour == Behaviour::Breaks) throw std::bad_alloc();
  }

 private:
  World& world_;
};

class FakeMail final : public MailClient {
 public:
  explicit FakeMail(World& world) : world_(world) {}
  void SignOn() override { world_.Call(L"SignOn", L"SignOn"); }
  void Send(const MailDraft& d) override {
    std::wstring entry = L"Send to " + d.recipName + L" <" + d.recipAddress + L"> subject " +
                         d.subject + L" note " + d.note;
    for (const auto& path : d.attachments) entry += L" attaching " + path;
    world_.Call(entry, L"Send");
  }
  void SignOff() override { world_.Call(L"SignOff", L"SignOff"); }

 private:
  World& world_;
};

constexpr wchar_t kBitmap[] = L"C:\\VstrnTmp\\VstrnML-090507.bmp";
constexpr wchar_t kArchive[] = L"C:\\VstrnTmp\\VstrnML-090507.lzh";
constexpr wchar_t kZip[] = L"C:\\VstrnTmp\\VstrnML-090507.zip";
constexpr wchar_t kDraft[] = L"C:\\VstrnTmp\\VstrnML-090507.eml";
constexpr wchar_t kCommandLine[] =
    L"Unlha u -a1 -r2 -x1 -o2 C:\\VstrnTmp\\VstrnML-090507.lzh C:\\VstrnTmp\\ "
    L"C:\\VstrnTmp\\VstrnML-090507.bmp";

const Log kReads = {L"read MailAdd", L"read MailKenmei", L"read MailNote", L"read MailComp",
                    L"read tmpfile", L"read OutputFileMode"};

class FrmVstnMailTest : public ::testing::Test {
 protected:
  std::map<std::wstring, std::wstring, std::less<>> settings = {
      {L"MailAdd", L"taro@example.jp"}, {L"MailKenmei", L"画面"},
      {L"MailNote", L"添付します"},     {L"MailComp", L"1"},
      {L"tmpfile", kBitmap},            {L"OutputFileMode", L"1"},
  };
  World world;
  FakeHost host{world};
  FakeArchiver archiver{world};
  FakeMail mail{world};

  // The run; returns the log without the reads, which the first test checks.
  Log Run() {
    FakeStore store(world, settings);
    FrmVstnMail(store, host, archiver, mail).Form_Load();
    Log rest;
    for (const auto& entry : world.log) {
      if (entry.rfind(L"read ", 0) != 0) rest.push_back(entry);
    }
    return rest;
  }

  // Sign-on and the send of a message to `recipient` with this attachment.
  static Log Messaging(const std::wstring& recipient, const std::wstring& subject,
                       const std::wstring& note, const std::wstring& attachment) {
    return {L"SignOn", L"Send to " + recipient + L" <" + recipient + L"> subject " + subject +
                           L" note " + note + L" attaching " + attachment};
  }
};

Log Concat(std::initializer_list<Log> parts) {
  Log all;
  for (const Log& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST_F(FrmVstnMailTest, TrimsThenReadsEverySettingInOrderBeforeActing) {
  Run();
  ASSERT_GE(world.log.size(), 1 + kReads.size());
  EXPECT_EQ(world.log.front(), L"trim");
  EXPECT_EQ(Log(world.log.begin() + 1, world.log.begin() + 1 + kReads.size()), kReads);
}

TEST_F(FrmVstnMailTest, PacksABitmapMailsTheArchiveAndDeletesBoth) {
  EXPECT_EQ(Run(), Concat({{L"trim", kCommandLine},
                           Messaging(L"taro@example.jp", L"画面", L"添付します", kArchive),
                           {L"SignOff", std::wstring(L"remove ") + kBitmap,
                            std::wstring(L"remove ") + kArchive}}));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(FrmVstnMailTest, EmptyRecipientBecomesAtSignAndEmptyNoteOneSpace) {
  settings[L"MailAdd"] = L"";
  settings[L"MailKenmei"] = L"";
  settings[L"MailNote"] = L"";
  settings[L"MailComp"] = L"0";
  EXPECT_EQ(Run(), Concat({{L"trim"},
                           Messaging(L"@", L"", L" ", kBitmap),
                           {L"SignOff", std::wstring(L"remove ") + kBitmap}}));
}

TEST_F(FrmVstnMailTest, CompressesOnlyBitmapsWithCompressionOn) {
  const Log lha = {kCommandLine};
  const Log zip = {std::wstring(L"load ") + kBitmap, std::wstring(L"write ") + kZip};
  struct Case {
    const wchar_t* outputFileMode;
    const wchar_t* mailComp;
    const wchar_t* tmpFile;
    Log packing;
    std::wstring archive;  // empty: the image itself is attached
  };
  const Case cases[] = {
      {L"1", L"1", kBitmap, lha, kArchive},
      {L"1", L"2", kBitmap, zip, kZip},
      {L"1", L"0", kBitmap, {}, L""},
      {L"1", L"3", kBitmap, {}, L""},
      {L"2", L"1", L"C:\\VstrnTmp\\VstrnML-090507.jpg", {}, L""},  // JPEG, compression on
      {L"3", L"2", L"C:\\VstrnTmp\\VstrnML-090507.png", {}, L""},  // PNG, compression on
      {L"0", L"1", kBitmap, {}, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "OutputFileMode " << c.outputFileMode << ", MailComp "
                                    << c.mailComp);
    world.log.clear();
    settings[L"OutputFileMode"] = c.outputFileMode;
    settings[L"MailComp"] = c.mailComp;
    settings[L"tmpfile"] = c.tmpFile;
    Log expected = Concat({{L"trim"},
                           c.packing,
                           Messaging(L"taro@example.jp", L"画面", L"添付します",
                                     c.archive.empty() ? c.tmpFile : c.archive),
                           {L"SignOff", std::wstring(L"remove ") + c.tmpFile}});
    if (!c.archive.empty()) expected.push_back(L"remove " + c.archive);
    EXPECT_EQ(Run(), expected);
  }
}

// Only a missing archiver is reported as not installed; every other failure
// says what failed. Either way the bitmap is mailed as it is.
TEST_F(FrmVstnMailTest, AFailedCompressionIsReportedWithItsReasonAndTheBitmapMailed) {
  using Behaviour = FakeArchiver::Behaviour;
  struct Case {
    const char* name;
    Behaviour behaviour;
    const wchar_t* tmpFile;
    bool archiverCalled;
    bool archiveRemoved;
    const wchar_t* message;   // the first line
    std::wstring reasonPart;  // found after it; empty: nothing follows
    bool archiveThere = false;  // a file of the archive's name before the run
    bool zip = false;           // MailComp 2, the archive written by the run
  };
  const Case cases[] = {
      {"archiver missing", Behaviour::Missing, kBitmap, true, false, kArchiverMissingMessage, L""},
      {"archiver's own reason", Behaviour::Fails, kBitmap, true, true, kArchiveFailedMessage,
       L"ディスクがいっぱいです"},
      {"a failure without a text of its own", Behaviour::Breaks, kBitmap, true, true,
       kArchiveFailedMessage, L"予期しないエラー"},
      {"image path too short for an archive name", Behaviour::Works, L"a.b", false, false,
       kArchiveFailedMessage, L"「a.b」"},
      {"image path without a folder", Behaviour::Works, L"a.bmp", false, false,
       kArchiveFailedMessage, L"「a.bmp」"},
      // Damaged or not, a file of the archive's name is not this run's: it is
      // neither packed into nor removed.
      {"an archive of that name already there", Behaviour::Works, kBitmap, false, false,
       kArchiveFailedMessage, kArchive, true},
      {"a ZIP archive that cannot be written", Behaviour::Works, kBitmap, false, false,
       kZipFailedMessage, L"ディスクがいっぱいです。", false, true},
      {"a ZIP archive of that name already there", Behaviour::Works, kBitmap, false, false,
       kZipFailedMessage, kZip, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world.log.clear();
    host.errors.clear();
    archiver.behaviour = c.behaviour;
    archiver.reason = L"ディスクがいっぱいです";
    settings[L"tmpfile"] = c.tmpFile;
    settings[L"MailComp"] = c.zip ? L"2" : L"1";
    host.writeFails = c.zip;
    host.existing = {c.archiveThere ? (c.zip ? kZip : kArchive) : L""};
    Log expected = {L"trim"};
    if (c.archiverCalled) expected.push_back(kCommandLine);
    if (c.zip && !c.archiveThere) {
      expected.push_back(std::wstring(L"load ") + kBitmap);
      expected.push_back(std::wstring(L"write ") + kZip);
    }
    expected.push_back(L"error");  // before the session opens
    if (c.archiveRemoved) expected.push_back(std::wstring(L"remove ") + kArchive);
    expected = Concat({expected,
                       Messaging(L"taro@example.jp", L"画面", L"添付します", c.tmpFile),
                       {L"SignOff", std::wstring(L"remove ") + c.tmpFile}});
    EXPECT_EQ(Run(), expected);
    ASSERT_EQ(host.errors.size(), 1u);
    const std::wstring first(c.message);
    EXPECT_EQ(host.errors[0].substr(0, first.size()), first);
    if (c.reasonPart.empty()) {
      EXPECT_EQ(host.errors[0], first);
    } else {
      EXPECT_NE(host.errors[0].find(c.reasonPart, first.size()), std::wstring::npos)
          << host.errors[0];
    }
  }
}

// The user's cancel ends the run with nothing sent, written or said. Where no
// client takes the message it is written as a draft beside the image and
// opened, and the image and archive go as after a send; only a draft that
// cannot be written, or a failure of the run itself, keeps the image and says
// where it is.
TEST_F(FrmVstnMailTest, WithoutAClientTheMessageBecomesADraftFile) {
  const std::function<void()> refusal = world.failure;
  const auto cancel = [] { throw MailClientRefused("cancelled", true); };
  const auto noClient = [] { throw NoMailClient("none registered"); };
  const Log draftOpened = {std::wstring(L"load ") + kArchive, std::wstring(L"write ") + kDraft,
                           std::wstring(L"open ") + kDraft};
  const Log draftShown = Concat({draftOpened, {std::wstring(L"show ") + kDraft}});
  const Log draftFailed = {std::wstring(L"load ") + kArchive, std::wstring(L"write ") + kDraft};
  struct Case {
    const char* name;
    const wchar_t* failAt;
    std::function<void()> failure;
    std::size_t mailCallsMade;
    Log draftSteps;
    std::wstring error;  // the message's first line; empty: no message
    std::wstring errorEnd;
    bool associated = true;
    bool writeFails = false;
  };
  const std::wstring kept = std::wstring(L"\n画像ファイルは次の場所に残してあります。\n") + kBitmap;
  const Case cases[] = {
      {"the user's cancel at the logon", L"SignOn", cancel, 1, {}, L"", L""},
      {"the user's cancel at the send", L"Send", cancel, 2, {}, L"", L""},
      {"a failed logon", L"SignOn", refusal, 1, draftOpened, L"", L""},
      {"a failed send", L"Send", refusal, 2, draftOpened, L"", L""},
      {"no mail client", L"SignOn", noClient, 1, draftOpened, L"", L""},
      {"no program for drafts", L"SignOn", noClient, 1, draftShown, kDraftSavedMessage, kDraft,
       false},
      {"a draft that cannot be written", L"Send", noClient, 2, draftFailed, kDraftFailedMessage,
       kept, true, true},
      {"a failure without a text of its own",
       L"SignOn",
       [] { throw std::bad_alloc(); },
       1,
       {},
       kMailFailedMessage,
       kept},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    world.log.clear();
    host.errors.clear();
    world.failAt = c.failAt;
    world.failure = c.failure;
    host.associated = c.associated;
    host.writeFails = c.writeFails;
    const Log messaging = Messaging(L"taro@example.jp", L"画面", L"添付します", kArchive);
    Log expected = Concat({{L"trim", kCommandLine},
                           Log(messaging.begin(), messaging.begin() + c.mailCallsMade),
                           c.draftSteps});
    const bool imageKept = c.errorEnd == kept;
    if (!c.error.empty()) expected.push_back(L"error");
    expected.push_back(L"SignOff");
    if (!imageKept) expected.push_back(std::wstring(L"remove ") + kBitmap);
    expected.push_back(std::wstring(L"remove ") + kArchive);
    EXPECT_EQ(Run(), expected);
    if (c.error.empty()) {
      EXPECT_TRUE(host.errors.empty());
      continue;
    }
    ASSERT_EQ(host.errors.size(), 1u);
    const std::wstring& text = host.errors[0];
    EXPECT_EQ(text.rfind(c.error, 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), c.errorEnd.size())), c.errorEnd)
        << text;
  }
}

// The draft carries the stored texts, not the stand-ins the mail client gets
// for empty ones ("@", " "), and the attachment's bytes.
TEST_F(FrmVstnMailTest, TheDraftHoldsTheStoredTexts) {
  world.failAt = L"SignOn";
  settings[L"MailAdd"] = L"";
  settings[L"MailNote"] = L"";
  Run();
  const std::string& draft = host.written[kDraft];
  EXPECT_EQ(draft.find("\r\nTo:"), std::string::npos) << draft;
  EXPECT_NE(draft.find("base64\r\n\r\n--"), std::string::npos) << "an empty note";
  EXPECT_NE(draft.find("\r\n\r\nAQID\r\n--"), std::string::npos) << "the attachment's bytes";
}

TEST_F(FrmVstnMailTest, EachClosingStepRunsWhateverHappenedToTheOthers) {
  world.failAt = L"SignOff";
  host.failingRemovals = {kBitmap};
  EXPECT_EQ(Run(), Concat({{L"trim", kCommandLine},
                           Messaging(L"taro@example.jp", L"画面", L"添付します", kArchive),
                           {L"SignOff", std::wstring(L"remove ") + kBitmap, L"error",
                            std::wstring(L"remove ") + kArchive}}));
  EXPECT_EQ(host.errors,
            std::vector<std::wstring>{std::wstring(kRemoveFailedMessage) + L"\n" + kBitmap});
}

TEST_F(FrmVstnMailTest, ASettingTheStoreCannotReadFailsTheRun) {
  world.failAt = L"OutputFileMode";
  world.failure = [] { throw StoreError(L"設定「OutputFileMode」を読み込めませんでした。"); };
  EXPECT_EQ(Run(), (Log{L"trim", L"error", L"SignOff"})) << "the image is kept";
  EXPECT_EQ(host.errors,
            std::vector<std::wstring>{std::wstring(kMailFailedMessage) +
                                      L"\n\n設定「OutputFileMode」を読み込めませんでした。"
                                      L"\n画像ファイルは次の場所に残してあります。\n" +
                                      kBitmap});
}

TEST_F(FrmVstnMailTest, UnusableSettingsAreReportedAndTheImageKept) {
  struct Case {
    const wchar_t* key;
    const wchar_t* value;
    std::wstring message;
  };
  const std::wstring kept = std::wstring(L"」が正しくないので、メールは送信されません。\n"
                                         L"画像ファイルは次の場所に残してあります。\n") + kBitmap;
  const Case cases[] = {
      {L"MailComp", L"", L"設定「MailComp」の値「" + kept},
      {L"MailComp", L"abc", L"設定「MailComp」の値「abc" + kept},
      {L"OutputFileMode", L"1.5", L"設定「OutputFileMode」の値「1.5" + kept},
      {L"OutputFileMode", L"99999", L"設定「OutputFileMode」の値「99999" + kept},
      {L"tmpfile", L"", kNoImageMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(c.key)) << " = "
                                    << testing::PrintToString(std::wstring(c.value)));
    world.log.clear();
    host.errors.clear();
    auto saved = settings;
    settings[c.key] = c.value;
    EXPECT_EQ(Run(), (Log{L"trim", L"error", L"SignOff"}));
    EXPECT_EQ(host.errors, std::vector<std::wstring>{c.message});
    settings = saved;
  }
}

}  // namespace
}  // namespace vistrane
