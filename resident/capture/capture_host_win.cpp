#include "resident/capture/capture_host_win.h"

#include <optional>

#include "platform/file_system.h"
#include "platform/file_writer.h"
#include "platform/message_box.h"
#include "platform/process_launch.h"
#include "platform/screen_metrics.h"
#include "platform/win32_error.h"
#include "platform/working_set.h"
#include "resident/output/jpeg_file_win.h"
#include "resident/output/print_image_win.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

// Runs one step of the capture; a failed Win32 call becomes the step's own
// message with the system's reason, as the file steps report theirs.
template <typename Step>
auto Win32Step(const wchar_t* failed, Step&& step) -> decltype(step()) {
  try {
    return step();
  } catch (const Win32Error& e) {
    throw OutputError(WithReason(failed, Win32ErrorText(e.code())));
  }
}

// How long a capture waits for another program to close the clipboard; the
// form does not answer meanwhile, so it stays short.
constexpr DWORD kClipboardWaitMs = 400;

// The file is made with its first bytes: a format that fails before it has
// any (an encoder that cannot start) leaves a file of that name as it was.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(const std::wstring& path) : path_(path) {}
  void Write(const std::uint8_t* data, std::size_t size) override { File().Write(data, size); }
  void Commit() { File().Commit(); }

 private:
  FileWriter& File() {
    if (!file_) file_.emplace(path_);
    return *file_;
  }

  const std::wstring& path_;
  std::optional<FileWriter> file_;
};

}  // namespace

std::uint64_t ScreenCopy::Bytes() const noexcept {
  return std::uint64_t{sizeof(std::uint32_t)} * static_cast<std::uint64_t>(picture.PixelWidth()) *
         static_cast<std::uint64_t>(picture.PixelHeight());
}

ScreenCopy TakeScreenCopy(HWND form, bool ownerIsZero) {
  ScreenCopy copy;
  copy.ownerIsZero = ownerIsZero;
  copy.screen.screen = PrimaryScreenSize();
  const ScreenRect all = VirtualScreenRect();
  copy.screen.virtualScreen = {all.right - all.left, all.bottom - all.top};
  copy.screen.foreground = ForegroundWindowRect();
  try {
    // Each part has its own message: opening fails when another program
    // keeps the clipboard open, taking when the copy finds no memory.
    std::optional<ClipboardScope> clipboard;
    Win32Step(L"クリップボードが他のプログラムで使用中のため、開けませんでした。",
              [&] { clipboard.emplace(form, kClipboardWaitMs); });
    Win32Step(L"クリップボードから画像を取り出せませんでした。",
              [&] { copy.picture.HoldClipboardBitmap(*clipboard); });
  } catch (...) {
    copy.failure = std::current_exception();
  }
  return copy;
}

std::optional<Picture> WindowsCaptureHost::HoldScreenCopy() {
  if (copy_.failure) std::rethrow_exception(copy_.failure);
  if (!Picture1.Holds()) return std::nullopt;
  return Picture{Picture1.Pixels(), Picture1.PixelWidth(), Picture1.PixelHeight()};
}

void WindowsCaptureHost::frmExec_Show(const ExecRows& rows) {
  Win32Step(L"進行状況の画面を表示できませんでした。",
            [&] { frmExec.frmExec_Show(rows, Picture1); });
}

void WindowsCaptureHost::PrintImage(const SettingsRecord& settings, const Clock& clock) {
  vistrane::PrintImage(settings, Picture1, printer_, clock);
}

bool WindowsCaptureHost::StartMailSender() {
  return OpenWithShell(form_, ProgramFilePath(L"VstnMailSend.exe"));
}

void WindowsCaptureHost::ShowError(const std::wstring& text) { ShowErrorMessage(form_, text); }

void WindowsCaptureHost::TrimWorkingSet() noexcept { vistrane::TrimWorkingSet(); }

bool WindowsCaptureHost::FileExists(const std::wstring& path) const { return PathExists(path); }

void WindowsCaptureHost::WriteFile(const std::wstring& path, const FileContent& write) {
  try {
    FileSink file(path);
    write(file);
    file.Commit();
  } catch (const Win32Error& e) {
    throw OutputError(ImageFileWriteFailedMessage(path, Win32ErrorText(e.code())));
  }
}

void WindowsCaptureHost::EncodeJpeg(const Picture& picture, const std::wstring& path,
                                    ByteSink& sink) {
  WriteJpeg(picture, path, sink);
}

}  // namespace vistrane
