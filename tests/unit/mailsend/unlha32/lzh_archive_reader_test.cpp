#include "mailsend/unlha32/lzh_archive_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mailsend/unlha32/archive_error.h"
#include "mailsend/unlha32/lzh_member.h"

namespace vistrane {
namespace {

std::vector<std::uint8_t> TwoMemberArchive() {
  const std::vector<std::uint8_t> a(3000, 'a');
  const std::vector<std::uint8_t> b{'b', '1'};
  std::vector<std::uint8_t> archive = PackMember({{}, "a.bmp"}, a, 0);
  const std::vector<std::uint8_t> second = PackMember({{"sub", "dir"}, "b.txt"}, b, 0);
  archive.insert(archive.end(), second.begin(), second.end());
  archive.push_back(0);
  return archive;
}

TEST(ListArchiveMembers, FindsEachMemberWithItsFullName) {
  const std::vector<std::uint8_t> archive = TwoMemberArchive();
  const std::vector<ArchiveMemberSpan> members = ListArchiveMembers(archive);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].key, "a.bmp");
  EXPECT_EQ(members[1].key, "sub\\dir\\b.txt");
  EXPECT_EQ(members[0].offset, 0u);
  EXPECT_EQ(members[1].offset, members[0].size);
  EXPECT_EQ(members[1].offset + members[1].size, archive.size() - 1);
}

// Damaged archives: every cut and every changed header byte either still
// reads (within the bytes) or is refused with ArchiveError, never misread
// past the end.
TEST(ListArchiveMembers, NeverReadsPastTheBytesOfADamagedArchive) {
  const std::vector<std::uint8_t> archive = TwoMemberArchive();
  const std::size_t header_bytes = ListArchiveMembers(archive)[1].offset + 60;
  auto check = [](const std::vector<std::uint8_t>& bytes) {
    try {
      for (const ArchiveMemberSpan& member : ListArchiveMembers(bytes))
        ASSERT_LE(member.offset + member.size, bytes.size());
    } catch (const ArchiveError& error) {
      EXPECT_EQ(error.status(), UnlhaStatus::kFileError);
    }
  };
  for (std::size_t cut = 0; cut < archive.size(); ++cut) {
    SCOPED_TRACE(testing::Message() << "cut at " << cut);
    check(std::vector<std::uint8_t>(archive.begin(),
                                    archive.begin() + static_cast<std::ptrdiff_t>(cut)));
  }
  for (std::size_t at = 0; at < header_bytes && at < archive.size(); ++at) {
    for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
      SCOPED_TRACE(testing::Message() << "byte " << at << " = " << int{value});
      std::vector<std::uint8_t> damaged = archive;
      damaged[at] = value;
      check(damaged);
    }
  }
}

}  // namespace
}  // namespace vistrane
