// Compiled only into the executables that carry the program's version
// (marvok_embed_version): the program file's version record.

#include "platform/versionrecord_p.h"

namespace {

constexpr unsigned char lo(int n) { return static_cast<unsigned char>(n & 0xff); }
constexpr unsigned char hi(int n) { return static_cast<unsigned char>((n >> 8) & 0xff); }
constexpr unsigned char m(int i) { return platform::versionrecord::kMaskedMarker[i] ^ platform::versionrecord::kMask; }

} // namespace

extern "C" {
__attribute__((used, section("marvok_version"))) const unsigned char marvok_version_record[] = {
    m(0), m(1), m(2), m(3), m(4), m(5), m(6), m(7), m(8), m(9), m(10), m(11), m(12), m(13), m(14), m(15),
    lo(MARVOK_VERSION_MAJOR), hi(MARVOK_VERSION_MAJOR),
    lo(MARVOK_VERSION_MINOR), hi(MARVOK_VERSION_MINOR),
    lo(MARVOK_VERSION_PATCH), hi(MARVOK_VERSION_PATCH),
    lo(MARVOK_VERSION_TWEAK), hi(MARVOK_VERSION_TWEAK)};
}

static_assert(sizeof(marvok_version_record) == platform::versionrecord::kMarkerSize + 2 * platform::versionrecord::kNumberCount);
