// Times what writing the draft e-mail file adds to a mail run, as the mail
// sender does it when no mail client takes the message: the attachment read,
// the message built (headers, note, base64), and the file written under a
// temporary name and renamed. The draft goes beside the image, ".eml".
//   draft_bench <image file (Windows path)> [runs]
// Prints the minimum and the median of the runs in milliseconds.
#include <cstdio>
#include <string>

#include "mailsend/draft_message.h"
#include "mailsend/mail_sender_host_win.h"
#include "mailsend/vstn_mail_cmn.h"
#include "platform/text_encoding.h"
#include "shared/errors.h"
#include "tools/bench/run_times.h"

int wmain(int argc, wchar_t* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: draft_bench <image file> [runs]\n");
    return 2;
  }
  const int runs = vistrane::bench::RunsArgument(argc, argv, 2, 30);
  const std::wstring image = argv[1];
  const std::wstring draft = vistrane::WithImageExtension(image, L".eml");
  vistrane::MailSenderHostWin host;
  vistrane::bench::RunTimes times;
  std::size_t draftSize = 0;
  try {
    for (int i = 0; i < runs; ++i) {
      times.Measure([&] {
        const std::vector<unsigned char> bytes = host.ReadWholeFile(image);
        const std::string message = vistrane::DraftMessage(
            {L"taro@example.jp", L"画面のコピー", L"添付の画像をご覧ください。",
             vistrane::FileNameOf(image), bytes},
            host.Stamp());
        host.WriteFileWhole(draft, message);
        draftSize = message.size();
      });
    }
  } catch (const vistrane::UserFacingError& e) {
    std::fprintf(stderr, "draft_bench: %s\n", vistrane::WideToUtf8(e.message()).c_str());
    return 1;
  }
  std::printf("draft of %s (%zu bytes): min %.2f ms, median %.2f ms (%d runs)\n",
              vistrane::WideToUtf8(image).c_str(), draftSize, times.Min(), times.Median(), runs);
  return 0;
}
