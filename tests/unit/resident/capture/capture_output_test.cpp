#include "resident/capture/capture_output.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_settings_store.h"

namespace vistrane {
namespace {

// Records every call the pipeline makes, in order, and fails on request.
class RecordingHost final : public CaptureHost {
 public:
  PixelSize image{1024, 768};
  ImageCheckInput facts{{}, true, {1024, 768}, {1024, 768}, ScreenRect{100, 100, 400, 300}};
  bool clipboardHasBitmap = true;
  bool mailSenderStarts = true;
  bool reductionFails = false;
  bool printFails = false;
  bool showFails = false;
  bool errorBoxFails = false;
  std::vector<ExecRows> shown;
  std::size_t callsBeforeShow = 0;
  std::vector<std::wstring> failingPaths;
  std::vector<std::wstring> calls;
  std::vector<std::wstring> errors;

  bool HoldClipboardBitmap() override {
    calls.push_back(L"hold");
    return clipboardHasBitmap;
  }
  PixelSize PictureSize() const override { return image; }
  void ReduceColors(Common& common) override {
    calls.push_back(L"reduce");
    if (reductionFails) throw OutputError(L"減色できません");
    const std::uint32_t pixels[] = {0x000000, 0xFFFFFF};
    vistrane::ReduceColors(pixels, 2, 1, common);
  }
  ImageCheckInput ScreenFacts() const override { return facts; }
  void frmExec_Show(const ExecRows& rows) override {
    if (showFails) throw OutputError(L"表示できません");
    shown.push_back(rows);
    callsBeforeShow = calls.size();
  }
  void PrintImage(const Common&, const Clock&) override {
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
  bool quitDuringErrorBox = false;
  bool quit = false;
  void ResetPicture() noexcept override { calls.push_back(L"reset"); }
  void TrimWorkingSet() noexcept override { calls.push_back(L"trim"); }
  void WriteFullColourBitmap(const std::wstring& path) override { Write(L"write ", path); }
  void WriteReducedColourBitmap(const std::wstring& path, const std::vector<std::uint8_t>& headers,
                                const std::vector<std::uint8_t>& pixelRows) override {
    Write(L"write reduced ", path);
    reducedFileBytes = headers.size() + pixelRows.size();
  }
  void WriteJpeg(const std::wstring& path) override { Write(L"write jpeg ", path); }
  void WritePng(const std::wstring& path) override { Write(L"write png ", path); }
  void WriteReducedPng(const std::wstring& path, const Common& common) override {
    Write(L"write reduced png ", path);
    reducedFileBytes = common.DibBits.size();
  }
  bool FileExists(const std::wstring&) const override { return false; }

  std::size_t reducedFileBytes = 0;

 private:
  void Write(const std::wstring& kind, const std::wstring& path) {
    calls.push_back(kind + path);
    for (const auto& failing : failingPaths) {
      if (failing == path) throw OutputError(L"書けません: " + path);
    }
  }
};

class CaptureOutputTest : public ::testing::Test {
 protected:
  CaptureOutputTest() {
    common.DirName = L"C:\\VstrnTmp";
    common.Filename = L"Vstrn";
    common.FileOutMode = 1;
    common.OutputFileMode = 1;
    common.ColorMode = 1;
    common.FileOutputMode = 1;
    common.MailSendMode = 0;
  }
  void Capture(bool ownerIsZero = true) { CaptureOutput(ownerIsZero, host, common, store, clock); }

  RecordingHost host;
  Common common;
  MemorySettingsStore store;
  FixedClock clock{{2026, 12, 4, 9, 5, 7}};
};

using Calls = std::vector<std::wstring>;

TEST_F(CaptureOutputTest, ScreenCopyWritesTheFileThenReleasesThePicture) {
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"}));
  EXPECT_EQ(common.OutFilePath, L"C:\\VstrnTmp\\Vstrn1204-001.bmp");
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), L"");
}

TEST_F(CaptureOutputTest, ImageCheckDecidesWhetherAnythingIsWritten) {
  struct Case {
    const char* name;
    bool ownerIsZero;
    PixelSize image;
    bool written;
  };
  const Case cases[] = {
      {"whole screen", true, {1024, 768}, true},
      {"foreground window", true, {300, 200}, true},
      {"neither screen nor window", true, {123, 45}, false},
      {"desktop-owned, any size", false, {123, 45}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.calls.clear();
    host.image = c.image;
    Capture(c.ownerIsZero);
    const Calls expected = c.written ? Calls{L"hold", host.calls[1], L"reset", L"trim"}
                                     : Calls{L"hold", L"reset", L"trim"};
    EXPECT_EQ(host.calls, expected);
    EXPECT_EQ(c.written, host.calls.size() == 4 && host.calls[1].rfind(L"write ", 0) == 0);
  }
}

TEST_F(CaptureOutputTest, NothingOnTheClipboardAnyMoreOutputsNothing) {
  host.clipboardHasBitmap = false;
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"reset", L"trim"}));
  EXPECT_TRUE(host.errors.empty());
}

TEST_F(CaptureOutputTest, MailCopyIsWrittenAfterTheFileAndHandedOn) {
  common.MailSendMode = 1;
  Capture();
  const std::wstring mailCopy = L"C:\\VstrnTmp\\VstrnML-090507.bmp";
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp", L"write " + mailCopy,
                               L"mailsender", L"reset", L"trim"}));
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), mailCopy);
  EXPECT_EQ(common.OutFilePath, mailCopy);
}

TEST_F(CaptureOutputTest, MailOnlyWritesOneFileTheMailCopy) {
  common.MailSendMode = 1;
  common.FileOutputMode = 0;
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\VstrnML-090507.bmp", L"mailsender",
                               L"reset", L"trim"}));
  EXPECT_EQ(common.SaveCont, 0) << "the mail copy does not use the counter";
}

TEST_F(CaptureOutputTest, ProgressWindowShowsTheEnabledRowsBeforeTheFirstOutput) {
  struct Case {
    const char* what;
    std::int16_t printer, file, mail;
  };
  const Case cases[] = {{"file", 0, 1, 0}, {"file and mail", 0, 1, 1}, {"mail", 0, 0, 1},
                        {"none", 0, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host.shown.clear();
    host.calls.clear();
    common.PrtOutputMode = c.printer;
    common.FileOutputMode = c.file;
    common.MailSendMode = c.mail;
    Capture();
    ASSERT_EQ(host.shown.size(), 1u);
    EXPECT_EQ(host.shown[0], ExecRowLayout(c.printer, c.file, c.mail));
    EXPECT_EQ(host.callsBeforeShow, 1u) << "shown right after the picture was taken";
  }
}

TEST_F(CaptureOutputTest, RejectedCopyShowsNoProgressWindow) {
  host.image = {123, 45};
  Capture();
  EXPECT_TRUE(host.shown.empty());
}

TEST_F(CaptureOutputTest, ProgressWindowThatCannotShowKeepsNoOutputBack) {
  host.showFails = true;
  Capture();
  EXPECT_EQ(host.errors, (std::vector<std::wstring>{L"表示できません"}));
  EXPECT_EQ(host.calls, (Calls{L"hold", L"error", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp",
                               L"reset", L"trim"}));
}

TEST_F(CaptureOutputTest, QuitDuringAMessageRunsNoFurtherStep) {
  common.PrtOutputMode = 1;
  common.MailSendMode = 1;
  host.printFails = true;
  host.quitDuringErrorBox = true;
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp",
                               L"write C:\\VstrnTmp\\VstrnML-090507.bmp", L"print", L"error",
                               L"reset", L"trim"}));
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), L"") << "the mail copy is not handed on";
}

TEST_F(CaptureOutputTest, MissingMailSenderIsReportedAfterTheFiles) {
  common.MailSendMode = 1;
  host.mailSenderStarts = false;
  Capture();
  ASSERT_EQ(host.errors, (std::vector<std::wstring>{kMailSenderMissingMessage}));
  EXPECT_EQ(host.calls.at(host.calls.size() - 4), L"mailsender");
  EXPECT_EQ(host.calls.at(host.calls.size() - 3), L"error");
  EXPECT_EQ(host.calls.back(), L"trim");
}

TEST_F(CaptureOutputTest, FailedFileIsReportedAndTheCaptureStillEndsCleanly) {
  host.failingPaths = {L"C:\\VstrnTmp\\Vstrn1204-001.bmp"};
  Capture();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(L"Vstrn1204-001.bmp"), std::wstring::npos);
  EXPECT_EQ(host.calls.back(), L"trim");
  EXPECT_EQ(host.calls.at(host.calls.size() - 2), L"reset");

  // The next capture works again and takes the next number.
  host.failingPaths.clear();
  host.calls.clear();
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-002.bmp", L"reset", L"trim"}));
}

TEST_F(CaptureOutputTest, MailCopyThatWasNotWrittenIsNotHandedOn) {
  common.MailSendMode = 1;
  host.failingPaths = {L"C:\\VstrnTmp\\VstrnML-090507.bmp"};
  store.SaveSetting(L"tmpfile", L"C:\\VstrnTmp\\earlier.bmp");
  Capture();
  EXPECT_EQ(host.errors.size(), 1u);
  for (const auto& call : host.calls) EXPECT_NE(call, L"mailsender");
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), L"C:\\VstrnTmp\\earlier.bmp");
}

TEST_F(CaptureOutputTest, CounterAtItsLimitIsReportedAndNothingIsWritten) {
  common.SaveCont = 32767;
  common.MailSendMode = 1;
  Capture();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(L"32767"), std::wstring::npos);
  // The mail copy does not depend on the counter and is still made and sent.
  EXPECT_EQ(host.calls, (Calls{L"hold", L"error", L"write C:\\VstrnTmp\\VstrnML-090507.bmp",
                               L"mailsender", L"reset", L"trim"}));
}

TEST_F(CaptureOutputTest, RefusedTmpfileWriteKeepsTheMailSenderFromStarting) {
  common.MailSendMode = 1;
  common.FileOutputMode = 0;
  store.set_fail_writes(true);
  Capture();
  EXPECT_EQ(host.errors.size(), 1u);
  for (const auto& call : host.calls) EXPECT_NE(call, L"mailsender");
  EXPECT_EQ(host.calls.back(), L"trim");
}

TEST_F(CaptureOutputTest, ReductionComesBeforeTheDisplayAndChoosesTheFileFormat) {
  struct Case {
    std::int16_t colorMode, outputFileMode;
    Calls expected;
    std::size_t reducedFileBytes;
  };
  const Case cases[] = {
      {1, 1, {L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"}, 0},
      {1, 2, {L"hold", L"write jpeg C:\\VstrnTmp\\Vstrn1204-001.jpg", L"reset", L"trim"}, 0},
      {2, 1, {L"hold", L"reduce", L"write reduced C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"},
       1078 + 4},
      {3, 1, {L"hold", L"reduce", L"write reduced C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"},
       118 + 4},
      {4, 1, {L"hold", L"reduce", L"write reduced C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"},
       62 + 4},
      {7, 1, {L"hold", L"reduce", L"write reduced C:\\VstrnTmp\\Vstrn1204-001.bmp", L"reset", L"trim"},
       62 + 4},
      {4, 5, {L"hold", L"reduce", L"write jpeg C:\\VstrnTmp\\Vstrn1204-001.jpg", L"reset", L"trim"}, 0},
      {1, 3, {L"hold", L"write png C:\\VstrnTmp\\Vstrn1204-001.png", L"reset", L"trim"}, 0},
      {2, 3,
       {L"hold", L"reduce", L"write reduced png C:\\VstrnTmp\\Vstrn1204-001.png", L"reset", L"trim"},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "ColorMode " << c.colorMode << ", OutputFileMode "
                                    << c.outputFileMode);
    host.calls.clear();
    host.reducedFileBytes = 0;
    common.SaveCont = 0;
    common.ColorMode = c.colorMode;
    common.OutputFileMode = c.outputFileMode;
    Capture();
    EXPECT_EQ(host.calls, c.expected);
    EXPECT_EQ(host.reducedFileBytes, c.reducedFileBytes);
    EXPECT_TRUE(host.errors.empty());
    // The progress display shows the reduced picture.
    EXPECT_EQ(host.callsBeforeShow, c.colorMode == 1 ? 1u : 2u);
  }
}

TEST_F(CaptureOutputTest, FailedReductionMakesNoOutputsAndStillResets) {
  common.ColorMode = 2;
  common.MailSendMode = 1;
  host.reductionFails = true;
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"reduce", L"error", L"reset", L"trim"}));
  EXPECT_EQ(common.SaveCont, 0);
  EXPECT_TRUE(store.writes().empty());
}

TEST_F(CaptureOutputTest, ReducedRowsAreGivenBackAfterTheCapture) {
  common.ColorMode = 3;
  Capture();
  EXPECT_TRUE(common.DibBits.empty());
  EXPECT_EQ(common.DibBits.capacity(), 0u);
  EXPECT_EQ(common.DibSize, 0);
  EXPECT_EQ(common.DibInfo16.bmiHeader.biBitCount, 4) << "the records keep their contents";
}

TEST_F(CaptureOutputTest, AnExceptionLeavingTheCaptureStillReleasesEverything) {
  common.ColorMode = 3;
  host.failingPaths = {L"C:\\VstrnTmp\\Vstrn1204-001.bmp"};
  host.errorBoxFails = true;
  EXPECT_THROW(Capture(), std::runtime_error);
  EXPECT_EQ(host.calls, (Calls{L"hold", L"reduce", L"write reduced C:\\VstrnTmp\\Vstrn1204-001.bmp",
                               L"error", L"reset", L"trim"}));
  EXPECT_EQ(common.DibBits.capacity(), 0u);
}

TEST_F(CaptureOutputTest, PrintsOnlyWhenPrtOutputModeIs1) {
  struct Case {
    std::int16_t mode;
    bool printed;
  };
  const Case cases[] = {{1, true}, {0, false}, {2, false}, {-1, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    host.calls.clear();
    common.SaveCont = 0;
    common.PrtOutputMode = c.mode;
    Capture();
    const std::wstring file = L"write C:\\VstrnTmp\\Vstrn1204-001.bmp";
    const Calls expected = c.printed ? Calls{L"hold", file, L"print", L"reset", L"trim"}
                                     : Calls{L"hold", file, L"reset", L"trim"};
    EXPECT_EQ(host.calls, expected);
  }
}

TEST_F(CaptureOutputTest, PrintComesAfterBothFilesAndBeforeTheMailSender) {
  common.PrtOutputMode = 1;
  common.MailSendMode = 1;
  Capture();
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp",
                               L"write C:\\VstrnTmp\\VstrnML-090507.bmp", L"print", L"mailsender",
                               L"reset", L"trim"}));
}

TEST_F(CaptureOutputTest, FailedPrintIsReportedAndTheOtherOutputsStand) {
  common.PrtOutputMode = 1;
  common.MailSendMode = 1;
  host.printFails = true;
  Capture();
  EXPECT_EQ(host.errors, (std::vector<std::wstring>{L"印刷できません"}));
  const std::wstring mailCopy = L"C:\\VstrnTmp\\VstrnML-090507.bmp";
  EXPECT_EQ(host.calls, (Calls{L"hold", L"write C:\\VstrnTmp\\Vstrn1204-001.bmp",
                               L"write " + mailCopy, L"print", L"error", L"mailsender", L"reset",
                               L"trim"}));
  EXPECT_EQ(ReadSettingText(store, L"tmpfile"), mailCopy);
}

}  // namespace
}  // namespace vistrane
