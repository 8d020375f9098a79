// Times a whole run of VstnMailSend.exe against its anchor, alternating the
// two in each round (tools/bench/run_mail_bench.sh sets up the prefix):
//   mail_bench <bitmap> <mail copy> <VstnMailSend.exe> <empty program> <recorder log> [rounds]
// The sender: the bitmap copied to the mail copy (tmpfile), then the clock
// runs from starting the sender as the resident program does (the shell's
// "open") to its end; the run counts only when the recording mail client
// logged one more send and the mail copy is gone. The anchor: the empty
// program started and waited for the same way, plus the -lh5- packing of the
// same bitmap, already in memory, by the encoder UnLHA32.dll is built from.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "mailsend/unlha32/lzh_member.h"
#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "tools/bench/run_times.h"

namespace vistrane {
namespace {

using UniqueProcess = UniqueHandle<HANDLE, CloseHandle>;

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::size_t SendsLogged(const std::wstring& log) {
  const std::string text = ReadBytes(log);
  std::size_t count = 0;
  for (auto at = text.find("\"MAPISendMailW\""); at != std::string::npos;
       at = text.find("\"MAPISendMailW\"", at + 1)) {
    ++count;
  }
  return count;
}

// Starts the program with the shell's "open" and waits for its end; throws
// when it cannot be started or does not end with 0.
void RunToEnd(const std::wstring& program) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = program.c_str();
  info.lpParameters = L"";
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) ThrowLastError(L"ShellExecuteExW");
  const UniqueProcess process(info.hProcess);
  DWORD code = 0;
  if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process.get(), &code) || code != 0) {
    throw Win32Error(ERROR_GEN_FAILURE, program + L" did not end with 0");
  }
}

void Print(const char* what, const bench::RunTimes& times) {
  std::printf("%-28s min %6.1f ms, median %6.1f ms\n", what, times.Min(), times.Median());
}

int Run(int argc, wchar_t** argv) {
  const std::wstring bitmap = argv[1], mailCopy = argv[2], sender = argv[3], empty = argv[4],
                     log = argv[5];
  const int rounds = bench::RunsArgument(argc, argv, 6, 9);
  const std::string image = ReadBytes(bitmap);
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(image.data()),
                                           image.size());
  bench::RunTimes mail, start, encode, anchor;
  const auto measureMail = [&] {
    if (!CopyFileW(bitmap.c_str(), mailCopy.c_str(), FALSE)) ThrowLastError(L"CopyFileW");
    const std::size_t before = SendsLogged(log);
    mail.Measure([&] { RunToEnd(sender); });
    if (SendsLogged(log) != before + 1 ||
        GetFileAttributesW(mailCopy.c_str()) != INVALID_FILE_ATTRIBUTES) {
      throw Win32Error(ERROR_GEN_FAILURE, L"the sender did not mail and remove the mail copy");
    }
  };
  const auto measureAnchor = [&] {
    anchor.Measure([&] {
      start.Measure([&] { RunToEnd(empty); });
      encode.Measure([&] { PackMember({{}, "bench.bmp"}, data, 0); });
    });
  };
  for (int round = 0; round < rounds; ++round) {
    // Alternating which goes first spreads any drift of the machine evenly.
    if (round % 2 == 0) {
      measureMail();
      measureAnchor();
    } else {
      measureAnchor();
      measureMail();
    }
  }
  std::printf("%d rounds, %zu-byte bitmap\n", rounds, image.size());
  Print("VstnMailSend.exe", mail);
  Print("anchor", anchor);
  Print("  empty program", start);
  Print("  -lh5- packing in memory", encode);
  std::printf("ratio: min %.2f, median %.2f\n", mail.Min() / anchor.Min(),
              mail.Median() / anchor.Median());
  return 0;
}

}  // namespace
}  // namespace vistrane

int wmain(int argc, wchar_t** argv) {
  if (argc < 6) {
    std::fprintf(stderr,
                 "usage: mail_bench <bitmap> <mail copy> <VstnMailSend.exe> <empty program> "
                 "<recorder log> [rounds]\n");
    return 2;
  }
  try {
    return vistrane::Run(argc, argv);
  } catch (const vistrane::Win32Error& e) {
    std::fprintf(stderr, "mail_bench: %s\n", e.what());
    return 1;
  }
}
