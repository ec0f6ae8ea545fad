// A walk over a JPEG stream's marker segments, written apart from libjpeg and from the program's
// header reader, for tests that check or alter picture files by hand. Works on any container of
// bytes (std::string, std::vector<uint8_t>).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct TJpegSegment {
  int Marker;     // the byte after 0xFF
  size_t At;      // offset of the 0xFF
  size_t Length;  // the segment's length field (2 + its payload)
};

// The start-of-frame markers SOF0 to SOF15, without DHT (C4), JPG (C8) and DAC (CC).
inline bool IsFrameMarker(int marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The segments after SOI up to and including the first SOS; empty when the stream does not start
// with SOI. Stops early at anything that is not a marker or at a segment cut short.
template <class TBytes>
std::vector<TJpegSegment> JpegSegments(const TBytes& bytes) {
  auto byte = [&](size_t at) { return static_cast<uint8_t>(bytes[at]); };
  std::vector<TJpegSegment> segments;
  if (bytes.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return segments;
  for (size_t at = 2; at + 4 <= bytes.size() && byte(at) == 0xFF;) {
    if (byte(at + 1) == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    const TJpegSegment segment{byte(at + 1), at, size_t{byte(at + 2)} << 8 | byte(at + 3)};
    if (at + 2 + segment.Length > bytes.size()) break;
    segments.push_back(segment);
    if (segment.Marker == 0xDA) break;
    at += 2 + segment.Length;
  }
  return segments;
}

// The first segment with this marker (or, for -1, the first frame header).
template <class TBytes>
std::optional<TJpegSegment> FindSegment(const TBytes& bytes, int marker) {
  for (const TJpegSegment& segment : JpegSegments(bytes))
    if (marker == -1 ? IsFrameMarker(segment.Marker) : segment.Marker == marker) return segment;
  return std::nullopt;
}

// The offset just past the end marker that closes the first scan's entropy-coded data (the next
// marker that is neither a stuffed 0xFF00 nor a restart); 0 when there is none.
template <class TBytes>
size_t ImageEnd(const TBytes& bytes) {
  const std::optional<TJpegSegment> scan = FindSegment(bytes, 0xDA);
  if (!scan) return 0;
  auto byte = [&](size_t at) { return static_cast<uint8_t>(bytes[at]); };
  size_t at = scan->At + 2 + scan->Length;
  while (at + 1 < bytes.size() && !(byte(at) == 0xFF && byte(at + 1) != 0x00 && (byte(at + 1) < 0xD0 || byte(at + 1) > 0xD7)))
    ++at;
  return at + 1 < bytes.size() && byte(at + 1) == 0xD9 ? at + 2 : 0;
}
