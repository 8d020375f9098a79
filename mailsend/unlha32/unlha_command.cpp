#include "mailsend/unlha32/unlha_command.h"

#include <algorithm>
#include <new>
#include <utility>
#include <vector>

#include "mailsend/unlha32/archived_file.h"
#include "mailsend/unlha32/lzh_archive_reader.h"
#include "mailsend/unlha32/lzh_member.h"
#include "mailsend/unlha32/unlha_command_line.h"

namespace vistrane {
namespace {

struct NewMember {
  std::string key;
  std::vector<std::uint8_t> bytes;
  bool placed = false;
};

NewMember PackFile(const std::wstring& baseFolder, const std::wstring& file,
                   ArchiveFileAccess& files) {
  const ArchivedFile archived = ResolveArchivedFile(baseFolder, file);
  StoredName name;
  for (std::size_t i = 0; i < archived.storedParts.size(); ++i) {
    std::string bytes = files.StoredNameBytes(archived.storedParts[i]);
    if (i + 1 < archived.storedParts.size())
      name.folders.push_back(std::move(bytes));
    else
      name.file = std::move(bytes);
  }
  const SourceFile source = files.ReadSource(archived.path);
  return {MemberKey(name), PackMember(name, source.contents, source.modifiedUnixTime)};
}

// The old members in their order, each replaced by the new member of the
// same name; then the remaining new members in command-line order; then the
// end mark. The pieces point into `oldArchive` and the members: an archive
// of a screen-sized image is not copied once more on its way to the file.
std::vector<std::span<const std::uint8_t>> MergeArchive(std::span<const std::uint8_t> oldArchive,
                                                        std::vector<NewMember>& members) {
  static constexpr std::uint8_t kEndOfArchive[] = {0};
  std::vector<std::span<const std::uint8_t>> pieces;
  auto take = [&](NewMember& member) {
    pieces.emplace_back(member.bytes);
    member.placed = true;
  };
  for (const ArchiveMemberSpan& old : ListArchiveMembers(oldArchive)) {
    const auto replacement =
        std::find_if(members.begin(), members.end(),
                     [&](const NewMember& member) { return member.key == old.key; });
    if (replacement == members.end()) {
      pieces.push_back(oldArchive.subspan(old.offset, old.size));
    } else if (!replacement->placed) {
      take(*replacement);
    }
  }
  for (NewMember& member : members)
    if (!member.placed) take(member);
  pieces.emplace_back(kEndOfArchive);
  return pieces;
}

}  // namespace

UnlhaOutcome RunUnlha(std::wstring_view commandLine, ArchiveFileAccess& files) noexcept {
  try {
    const UnlhaCommand command = ParseUnlhaCommandLine(commandLine);
    std::vector<NewMember> members;
    for (const std::wstring& file : command.files) {
      NewMember member = PackFile(command.baseFolder, file, files);
      // A file named twice is stored once.
      const auto same = std::find_if(members.begin(), members.end(), [&](const NewMember& earlier) {
        return earlier.key == member.key;
      });
      if (same == members.end())
        members.push_back(std::move(member));
      else
        *same = std::move(member);
    }
    const std::vector<std::uint8_t> oldArchive =
        files.ReadArchive(command.archive).value_or(std::vector<std::uint8_t>{});
    files.WriteArchive(command.archive, MergeArchive(oldArchive, members));
    return {UnlhaStatus::kOk, L"書庫「" + command.archive + L"」に " +
                                  std::to_wstring(members.size()) +
                                  L" 個のファイルを格納しました。"};
  } catch (const ArchiveError& error) {
    return {error.status(), error.reason()};
  } catch (const std::bad_alloc&) {
    return {UnlhaStatus::kInternal, L"メモリが足りません。"};
  } catch (...) {
    return {UnlhaStatus::kInternal, L"予期しないエラーが発生しました。"};
  }
}

}  // namespace vistrane
