#include "resident/capture/capture_output.h"

#include <utility>

#include "resident/capture/output_step.h"
#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "shared/output_modes.h"
#include "shared/scope_exit.h"
#include "shared/setting_keys.h"

namespace vistrane {
namespace {

// The outputs in the order they run. The mail copy is a second file with its
// own name; the hand-off gives it to the mail sender.
enum class Output { File, MailCopy, Print, MailHandOff };

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
  const std::pair<Output, bool> outputs[] = {{Output::File, WritesFile(settings)},
                                             {Output::MailCopy, MailsOn(settings)},
                                             {Output::Print, PrintsOn(settings)},
                                             {Output::MailHandOff, MailsOn(settings)}};
  CaptureResult result{L"", settings.SaveCont};
  std::wstring mailCopy;
  for (const auto& [output, on] : outputs) {
    // A mail copy that was not written is not handed on.
    if (!on || (output == Output::MailHandOff && mailCopy.empty())) continue;
    RunStep(host, [&] {
      switch (output) {
        case Output::File:
        case Output::MailCopy:
          result.OutFilePath = SaveImageFile(output == Output::MailCopy, format, settings, capture,
                                             result.SaveCont, clock, store, host);
          if (output == Output::MailCopy) mailCopy = result.OutFilePath;
          break;
        case Output::Print:
          host.PrintImage(settings, clock);
          break;
        case Output::MailHandOff:
          // The mail sender reads tmpfile at its start: write it first.
          store.SaveSetting(keys::tmpfile, mailCopy);
          if (!host.StartMailSender()) throw OutputError(kMailSenderMissingMessage);
          break;
      }
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
