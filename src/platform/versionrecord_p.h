#pragma once
// Layout of the version record that executables carry in their file: a marker
// followed by four little-endian 16-bit numbers (major, minor, release, build).

namespace platform::versionrecord {

// The marker, each byte exclusive-or'ed with kMask, so that only the record
// itself ever holds the marker in clear.
inline constexpr unsigned char kMask = 0x5a;
inline constexpr unsigned char kMaskedMarker[] = {
    'M' ^ kMask, 'A' ^ kMask, 'R' ^ kMask, 'V' ^ kMask, 'O' ^ kMask, 'K' ^ kMask, '.' ^ kMask,
    'V' ^ kMask, 'E' ^ kMask, 'R' ^ kMask, 'S' ^ kMask, 'I' ^ kMask, 'O' ^ kMask, 'N' ^ kMask,
    0x01 ^ kMask, 0x7f ^ kMask};
inline constexpr int kMarkerSize = int(sizeof(kMaskedMarker));
inline constexpr int kNumberCount = 4;

} // namespace platform::versionrecord
