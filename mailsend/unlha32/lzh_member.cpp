#include "mailsend/unlha32/lzh_member.h"

#include <algorithm>
#include <limits>

#include "mailsend/unlha32/archive_error.h"
#include "mailsend/unlha32/crc16.h"
#include "mailsend/unlha32/lh5_encoder.h"

namespace vistrane {

std::vector<std::uint8_t> PackMember(const StoredName& name, std::span<const std::uint8_t> data,
                                     std::int64_t modifiedUnixTime) {
  constexpr std::uint32_t kMaxSize = std::numeric_limits<std::uint32_t>::max();
  if (data.size() > kMaxSize)
    throw ArchiveError(UnlhaStatus::kFileError,
                       L"ファイルが LHA の書庫には大きすぎます（4 GiB 以上）。");
  std::vector<std::uint8_t> packed = EncodeLh5(data);
  const bool stored = packed.size() >= data.size();

  LzhHeaderFields fields;
  fields.method = stored ? "-lh0-" : "-lh5-";
  fields.compressedSize = static_cast<std::uint32_t>(stored ? data.size() : packed.size());
  fields.originalSize = static_cast<std::uint32_t>(data.size());
  fields.modifiedUnixTime =
      static_cast<std::uint32_t>(std::clamp<std::int64_t>(modifiedUnixTime, 0, kMaxSize));
  fields.dataCrc = Crc16(data);
  fields.name = name;

  std::vector<std::uint8_t> member = WriteLevel2Header(fields);
  if (stored)
    member.insert(member.end(), data.begin(), data.end());
  else
    member.insert(member.end(), packed.begin(), packed.end());
  return member;
}

std::string MemberKey(const StoredName& name) {
  std::string key;
  for (const std::string& folder : name.folders) key += folder + '\\';
  return key + name.file;
}

}  // namespace vistrane
