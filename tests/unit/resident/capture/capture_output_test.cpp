#include "resident/capture/capture_output.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "shared/errors.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

// What a written file is: its format and depth in bits per pixel, or for the
// fake JPEG the blue of the picture's first pixel.
std::wstring Kind(const std::vector<std::uint8_t>& file) {
  switch (file.at(0)) {
    case 'B':
      return L"bmp " + std::to_wstring(file.at(28));
    case 0x89:
      return L"png " + std::to_wstring(file.at(24) * (file.at(25) == 2 ? 3 : 1));
    default:
      return L"jpeg " + std::to_wstring(file.at(1));
  }
}

// Records every step the pipeline takes, in order, and fails on request.
class RecordingHost final : public CaptureHost {
 public:
  std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(1024 * 768, 0x336699);
  PixelSize image{1024, 768};
  ImageCheckInput facts{{}, true, {1024, 768}, {1024, 768}, ScreenRect{100, 100, 400, 300}};
  bool clipboardHasBitmap = true;
  bool mailSenderStarts = true;
  bool printFails = false;
  bool showFails = false;
  bool errorBoxFails = false;
  bool quitDuringErrorBox = false;
  bool quit = false;
  bool held = false;
  std::vector<ExecRows> shown;
  std::vector<std::wstring> failingPaths;
  std::vector<std::wstring> calls;
  std::vector<std::wstring> errors;

  std::optional<Picture> HoldScreenCopy() override {
    calls.push_back(L"hold");
    held = clipboardHasBitmap;
    if (!held) return std::nullopt;
    return Picture{pixels.data(), image.width, image.height};
  }
  void ReleasePicture() noexcept override {
    calls.push_back(L"release");
    held = false;
  }
  ImageCheckInput ScreenFacts() const override { return facts; }
  void frmExec_Show(const ExecRows& rows) override {
    if (showFails) throw OutputError(L"表示できません");
    calls.push_back(L"show");
    shown.push_back(rows);
  }
  void PrintImage(const SettingsRecord&, const Clock&) override {
    calls.push_back(L"print");
    if (printFails) throw OutputError(L"印刷できません");
  }
  bool StartMailSender() override {
    calls.push_back(L"mailsender");
    return mailSenderStarts;
  }
  void ShowError(const std::wstring& text) override {
    calls.push_back(L"error");
    errors.push_back(text);
    if (errorBoxFails) throw std::runtime_error("no message box");
    quit = quitDuringErrorBox;
  }
  bool QuitRequested() const override { return quit; }
  void TrimWorkingSet() noexcept override { calls.push_back(L"trim"); }
  bool FileExists(const std::wstring&) const override { return false; }
  void WriteFile(const std::wstring& path, const FileContent& write) override {
    VectorSink file;
    write(file);
    calls.push_back(L"write " + path + L" " + Kind(file.bytes));
    for (const auto& failing : failingPaths) {
      if (failing == path) throw OutputError(L"書けません: " + path);
    }
  }
  void EncodeJpeg(const Picture& picture, const std::wstring&, ByteSink& sink) override {
    const std::uint8_t jpeg[] = {'J', static_cast<std::uint8_t>(picture.pixels[0])};
    sink.Write(jpeg, sizeof jpeg);
  }
};

class CaptureOutputTest : public ::testing::Test {
 protected:
  CaptureOutputTest() {
    settings.DirName = L"C:\\VstrnTmp";
    settings.Filename = L"Vstrn";
    settings.FileOutMode = 1;
    settings.OutputFileMode = 1;
    settings.ColorMode = 1;
    settings.FileOutputMode = 1;
  }
  CaptureResult Capture(bool ownerIsZero = true) {
    host.calls.clear();
    const CaptureResult result = TakeCapture(ownerIsZero, settings, host, store, clock);
    EXPECT_FALSE(host.held) << "the picture is released on every way out";
    settings.SaveCont = result.SaveCont;
    return result;
  }

  RecordingHost host;
  SettingsRecord settings;
  MemorySettingsStore store;
  FixedClock clock{{2026, 12, 4, 9, 5, 7}};
};

using Calls = std::vector<std::wstring>;
// A full-colour 1024 x 768 bitmap file, and the mail copy of it.
const std::wstring kFile = L"write C:\\VstrnTmp\\Vstrn1204-001.bmp bmp 24";
const std::wstring kMailCopy = L"write C:\\VstrnTmp\\VstrnML-090507.bmp bmp 24";

TEST_F(CaptureOutputTest, OutputsRunInOrderAndOnlyWhenSwitchedOnWith1) {
  struct Case {
    const char* what;
    std::int16_t printer, file, mail;
    Calls expected;
  };
  const Case cases[] = {
      {"file", 0, 1, 0, {L"hold", L"show", kFile, L"release", L"trim"}},
      {"mail only: one file, the mail copy",
       0,
       0,
       1,
       {L"hold", L"show", kMailCopy, L"mailsender", L"release", L"trim"}},
      {"print after both files, before the mail sender",
       1,
       1,
       1,
       {L"hold", L"show", kFile, kMailCopy, L"print", L"mailsender", L"release", L"trim"}},
      {"values other than 1 are off", 2, -1, 2, {L"hold", L"show", L"release", L"trim"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    settings.SaveCont = 0;
    settings.PrtOutputMode = c.printer;
    settings.FileOutputMode = c.file;
    settings.MailSendMode = c.mail;
    store.SaveSetting(L"tmpfile", L"earlier");
    const CaptureResult result = Capture();
    EXPECT_EQ(host.calls, c.expected);
    EXPECT_EQ(host.shown.back(), ExecRowLayout(c.printer, c.file, c.mail));
    EXPECT_EQ(result.SaveCont, c.file == 1 ? 1 : 0) << "the mail copy does not use the counter";
    EXPECT_EQ(ReadSettingText(store, L"tmpfile"),
              c.mail == 1 ? L"C:\\VstrnTmp\\VstrnML-090507.bmp" : L"earlier");
    EXPECT_EQ(result.OutFilePath, c.mail == 1   ? L"C:\\VstrnTmp\\VstrnML-090507.bmp"
                                  : c.file == 1 ? L"C:\\VstrnTmp\\Vstrn1204-001.bmp"
                                                : L"");
  }
}

TEST_F(CaptureOutputTest, ImageCheckDecidesWhetherAnythingIsShownOrWritten) {
  struct Case {
    const char* name;
    bool ownerIsZero;
    PixelSize image;
    bool clipboardHasBitmap;
    bool written;
  };
  const Case cases[] = {
      {"whole screen", true, {1024, 768}, true, true},
      {"foreground window", true, {300, 200}, true, true},
      {"neither screen nor window", true, {123, 45}, true, false},
      {"desktop-owned, any size", false, {123, 45}, true, true},
      {"no bitmap on the clipboard any more", true, {1024, 768}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.image = c.image;
    host.clipboardHasBitmap = c.clipboardHasBitmap;
    Capture(c.ownerIsZero);
    EXPECT_EQ(host.calls.size(), c.written ? 5u : 3u);
    EXPECT_EQ(c.written, host.calls.at(1) == L"show");
    EXPECT_TRUE(host.errors.empty());
  }
}

TEST_F(CaptureOutputTest, ReductionComesBeforeTheDisplayAndChoosesTheFileFormat) {
  struct Case {
    std::int16_t colorMode, outputFileMode;
    const wchar_t* file;
  };
  host.pixels[1] = 0xFFFFFF;
  const Case cases[] = {
      {1, 1, L"Vstrn1204-001.bmp bmp 24"}, {1, 2, L"Vstrn1204-001.jpg jpeg 152"},
      {1, 3, L"Vstrn1204-001.png png 24"}, {2, 1, L"Vstrn1204-001.bmp bmp 8"},
      {3, 1, L"Vstrn1204-001.bmp bmp 4"},  {4, 1, L"Vstrn1204-001.bmp bmp 1"},
      {7, 1, L"Vstrn1204-001.bmp bmp 1"},  {4, 5, L"Vstrn1204-001.jpg jpeg 153"},
      {2, 3, L"Vstrn1204-001.png png 8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "ColorMode " << c.colorMode << ", OutputFileMode " << c.outputFileMode);
    settings.SaveCont = 0;
    settings.ColorMode = c.colorMode;
    settings.OutputFileMode = c.outputFileMode;
    // The JPEG is made from the picture, which the reduction redraws: the
    // first pixel takes the table colour of the flat area.
    host.pixels[0] = 0x336698;
    Capture();
    EXPECT_EQ(host.calls, (Calls{L"hold", L"show", L"write C:\\VstrnTmp\\" + std::wstring(c.file),
                                 L"release", L"trim"}));
    EXPECT_TRUE(host.errors.empty());
  }
}

TEST_F(CaptureOutputTest, FailedStepsAreReportedAndTheOthersStand) {
  struct Case {
    const char* what;
    void (*arrange)(RecordingHost&, SettingsRecord&, MemorySettingsStore&);
    Calls expected;
    const wchar_t* tmpfile;
  };
  const Case cases[] = {
      {"progress window",
       [](RecordingHost& h, SettingsRecord&, MemorySettingsStore&) { h.showFails = true; },
       {L"hold", L"error", kFile, L"release", L"trim"},
       L""},
      {"print",
       [](RecordingHost& h, SettingsRecord& s, MemorySettingsStore&) {
         h.printFails = true;
         s.PrtOutputMode = s.MailSendMode = 1;
       },
       {L"hold", L"show", kFile, kMailCopy, L"print", L"error", L"mailsender", L"release", L"trim"},
       L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {"quit during a message runs no further step",
       [](RecordingHost& h, SettingsRecord& s, MemorySettingsStore&) {
         h.printFails = h.quitDuringErrorBox = true;
         s.PrtOutputMode = s.MailSendMode = 1;
       },
       {L"hold", L"show", kFile, kMailCopy, L"print", L"error", L"release", L"trim"},
       L""},
      {"mail sender missing",
       [](RecordingHost& h, SettingsRecord& s, MemorySettingsStore&) {
         h.mailSenderStarts = false;
         s.MailSendMode = 1;
       },
       {L"hold", L"show", kFile, kMailCopy, L"mailsender", L"error", L"release", L"trim"},
       L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {"mail copy not written is not handed on",
       [](RecordingHost& h, SettingsRecord& s, MemorySettingsStore&) {
         h.failingPaths = {L"C:\\VstrnTmp\\VstrnML-090507.bmp"};
         s.MailSendMode = 1;
       },
       {L"hold", L"show", kFile, kMailCopy, L"error", L"release", L"trim"},
       L""},
      {"counter at its limit: the mail copy is still made and sent",
       [](RecordingHost&, SettingsRecord& s, MemorySettingsStore&) {
         s.SaveCont = 32767;
         s.MailSendMode = 1;
       },
       {L"hold", L"show", L"error", kMailCopy, L"mailsender", L"release", L"trim"},
       L"C:\\VstrnTmp\\VstrnML-090507.bmp"},
      {"refused tmpfile keeps the mail sender from starting",
       [](RecordingHost&, SettingsRecord& s, MemorySettingsStore& refusing) {
         s.FileOutputMode = 0;
         s.MailSendMode = 1;
         refusing.set_fail_writes(true);
       },
       {L"hold", L"show", kMailCopy, L"error", L"release", L"trim"},
       L""},
      {"failed reduction makes no outputs",
       [](RecordingHost& h, SettingsRecord& s, MemorySettingsStore&) {
         h.image = {0, 768};  // no pixels: nothing to reduce
         h.facts.foreground.reset();
         s.ColorMode = 2;
         s.MailSendMode = 1;
       },
       {L"hold", L"error", L"release", L"trim"},
       L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host = RecordingHost();
    settings.SaveCont = 0;
    settings.PrtOutputMode = settings.MailSendMode = 0;
    settings.ColorMode = 1;
    MemorySettingsStore fresh;
    c.arrange(host, settings, fresh);
    host.calls.clear();
    TakeCapture(true, settings, host, fresh, clock);
    EXPECT_EQ(host.calls, c.expected);
    EXPECT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(ReadSettingText(fresh, L"tmpfile"), c.tmpfile);
  }
}

TEST_F(CaptureOutputTest, FailedFileIsNamedAndTheNextCaptureTakesTheNextNumber) {
  host.failingPaths = {L"C:\\VstrnTmp\\Vstrn1204-001.bmp"};
  Capture();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(L"Vstrn1204-001.bmp"), std::wstring::npos);
  host.failingPaths.clear();
  Capture();
  EXPECT_EQ(host.calls.at(2), L"write C:\\VstrnTmp\\Vstrn1204-002.bmp bmp 24");
}

TEST_F(CaptureOutputTest, AnExceptionLeavingTheCaptureStillReleasesEverything) {
  settings.ColorMode = 3;
  host.failingPaths = {L"C:\\VstrnTmp\\Vstrn1204-001.bmp"};
  host.errorBoxFails = true;
  EXPECT_THROW(TakeCapture(true, settings, host, store, clock), std::runtime_error);
  EXPECT_EQ(host.calls, (Calls{L"hold", L"show", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp bmp 4",
                               L"error", L"release", L"trim"}));
}

}  // namespace
}  // namespace vistrane
