#include "resident/capture/capture_output.h"

#include "resident/capture/output_step.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "shared/output_modes.h"
#include "shared/scope_exit.h"
#include "shared/setting_keys.h"

namespace vistrane {
namespace {

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
  const ImageFileFormat format = ImageFileFormatOf(settings);
  CaptureResult result{L"", settings.SaveCont};
  const auto save = [&](bool forMail) {
    result.OutFilePath =
        SaveImageFile(forMail, format, settings, capture, result.SaveCont, clock, store, host);
  };
  if (WritesFile(settings)) RunStep(host, [&] { save(false); });
  // The mail copy is a second file with its own name.
  std::wstring mailCopy;
  if (MailsOn(settings)) {
    RunStep(host, [&] {
      save(true);
      mailCopy = result.OutFilePath;
    });
  }
  if (PrintsOn(settings)) RunStep(host, [&] { host.PrintImage(settings, clock); });
  // A mail copy that was not written is not handed on.
  if (!mailCopy.empty()) {
    RunStep(host, [&] {
      // The mail sender reads tmpfile at its start: write it first.
      store.SaveSetting(keys::tmpfile, mailCopy);
      if (!host.StartMailSender()) throw OutputError(kMailSenderMissingMessage);
    });
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
  RunStep(host, [&] { held = host.HoldScreenCopy(); });
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
