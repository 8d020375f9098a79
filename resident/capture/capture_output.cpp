#include "resident/capture/capture_output.h"

#include <exception>
#include <new>

#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "shared/output_modes.h"
#include "shared/scope_exit.h"
#include "shared/setting_keys.h"

namespace vistrane {
namespace {

// Runs one step; a failure is shown and reported as false, so the capture
// goes on with the steps that do not need this one. Once the user chose to
// quit, no step runs and each reports false.
template <typename Step>
bool RunStep(CaptureHost& host, Step&& step) {
  if (host.QuitRequested()) return false;
  try {
    step();
    return true;
  } catch (const UserFacingError& e) {
    host.ShowError(e.message());
  } catch (const std::bad_alloc&) {
    host.ShowError(L"メモリが不足しているため、画像を出力できませんでした。");
  } catch (const std::exception&) {
    host.ShowError(L"画像の出力中に予期しないエラーが発生しました。");
  }
  return false;
}

bool Accepted(bool ownerIsZero, const Picture& picture, const CaptureHost& host) {
  if (!ownerIsZero) return true;
  ImageCheckInput input = host.ScreenFacts();
  input.image = {picture.width, picture.height};
  input.ownerIsZero = true;
  return CheckCapturedImage(input) == ImageVerdict::Accept;
}

}  // namespace

CaptureResult CaptureOutput(const SettingsRecord& settings, const Capture& capture,
                            CaptureHost& host, SettingsStore& store, const Clock& clock) {
  CaptureResult result{L"", settings.SaveCont};
  std::wstring mailCopy;
  // The normal file, then the mail copy: a second file with its own name.
  for (const bool ForMail : {false, true}) {
    if (!(ForMail ? MailsOn(settings) : WritesFile(settings))) continue;
    RunStep(host, [&] {
      result.OutFilePath =
          SaveImageFile(ForMail, settings, capture, result.SaveCont, clock, store, host);
      if (ForMail) mailCopy = result.OutFilePath;
    });
  }
  if (PrintsOn(settings)) RunStep(host, [&] { host.PrintImage(settings, clock); });
  // The mail sender reads tmpfile at its start: write it first.
  if (!mailCopy.empty() && RunStep(host, [&] { store.SaveSetting(keys::tmpfile, mailCopy); })) {
    if (!host.StartMailSender()) host.ShowError(kMailSenderMissingMessage);
  }
  return result;
}

CaptureResult TakeCapture(bool ownerIsZero, const SettingsRecord& settings, CaptureHost& host,
                          SettingsStore& store, const Clock& clock) {
  const ScopeExit release([&] {
    host.ReleasePicture();
    host.TrimWorkingSet();
  });
  std::optional<Picture> held;
  RunStep(host, [&] { held = host.HoldClipboardBitmap(); });
  if (!held || !Accepted(ownerIsZero, *held, host)) return {L"", settings.SaveCont};
  Capture capture{*held, std::nullopt};
  if (!IsFullColour(settings) && !RunStep(host, [&] {
        capture.reduced = ReduceColors(capture.picture, settings.ColorMode);
        DrawReducedColours(*capture.reduced, capture.picture);
      })) {
    return {L"", settings.SaveCont};
  }
  // Only a display: the outputs run also when it cannot be shown.
  RunStep(host, [&] {
    host.frmExec_Show(
        ExecRowLayout(settings.PrtOutputMode, settings.FileOutputMode, settings.MailSendMode));
  });
  return CaptureOutput(settings, capture, host, store, clock);
}

}  // namespace vistrane
