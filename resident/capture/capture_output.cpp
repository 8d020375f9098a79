#include "resident/capture/capture_output.h"

#include <exception>
#include <new>

#include "resident/output/reduce_colors.h"
#include "shared/errors.h"
#include "shared/scope_exit.h"
#include "shared/setting_keys.h"

namespace vistrane {
namespace {

// Runs one output step; a failure is shown and reported as false, so the
// capture goes on with the steps that do not need this one. Once the user
// chose to quit, no step runs and each reports false.
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

bool Accepted(bool ownerIsZero, CaptureHost& host) {
  if (!ownerIsZero) return true;
  ImageCheckInput input = host.ScreenFacts();
  input.image = host.PictureSize();
  input.ownerIsZero = true;
  return CheckCapturedImage(input) == ImageVerdict::Accept;
}

void RunOutputs(CaptureHost& host, Common& common, SettingsStore& store, const Clock& clock) {
  // Only a display: the outputs run also when it cannot be shown.
  RunStep(host, [&] {
    host.frmExec_Show(
        ExecRowLayout(common.PrtOutputMode, common.FileOutputMode, common.MailSendMode));
  });
  if (common.FileOutputMode == 1) {
    RunStep(host, [&] { SaveImageFile(false, common, clock, store, host); });
  }
  bool mailCopyWritten = false;
  if (common.MailSendMode == 1) {
    mailCopyWritten = RunStep(host, [&] { SaveImageFile(true, common, clock, store, host); });
  }
  if (common.PrtOutputMode == 1) RunStep(host, [&] { host.PrintImage(common, clock); });
  // The mail sender reads tmpfile at its start: write it first.
  if (mailCopyWritten &&
      RunStep(host, [&] { store.SaveSetting(keys::tmpfile, common.OutFilePath); })) {
    if (!host.StartMailSender()) host.ShowError(kMailSenderMissingMessage);
  }
}

}  // namespace

void CaptureOutput(bool ownerIsZero, CaptureHost& host, Common& common, SettingsStore& store,
                   const Clock& clock) {
  const ScopeExit release([&] {
    host.ResetPicture();
    EraseDibBits(common);
    host.TrimWorkingSet();
  });
  bool held = false;
  RunStep(host, [&] { held = host.HoldClipboardBitmap(); });
  if (held && Accepted(ownerIsZero, host) &&
      (common.ColorMode == 1 || RunStep(host, [&] { host.ReduceColors(common); }))) {
    RunOutputs(host, common, store, clock);
  }
}

}  // namespace vistrane
