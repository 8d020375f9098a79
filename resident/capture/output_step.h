#pragma once
// One step of a capture, run so that its failure is reported and the capture
// goes on with the steps that do not need it.
#include <exception>
#include <new>

#include "resident/capture/capture_output.h"
#include "shared/errors.h"

namespace vistrane {

// Runs the step; a failure is shown and reported as false. Once the user
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

}  // namespace vistrane
