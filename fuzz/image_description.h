// The compact description of an image that the structured fuzz target expands:
// a few hundred bytes that stand for disk headers and track tables, long runs of
// records, tracks of many disks sharing one run, the game disks with their
// directory, allocation table and files, and raw bytes, in images of up to
// maxImageBytes. Every byte string is a description (a read past its end gives
// 0s), so libFuzzer's own mutations keep inputs well-formed.
//
// A description is a list of commands, each an opcode byte (taken modulo 8) and
// its operands (little-endian):
//   0 disk     name byte, name length (mod 17), media type, size mode (mod 3),
//              size u32: a disk header with no tracks. Size mode 0: up to the next
//              header a command wrote (or the image's end); 1: the u32 as it is;
//              2: up to the start of region (low byte of the u32, mod regions)
//              and the u32's upper 24 bits on from it, so that the next disk's
//              header may lie inside a run of records.
//   1 records  repeat u16, scale (mod 4), ID mode (mod 4), C, H, R, N, count mode
//              (mod 4), count u16, data length u16, fill byte: (repeat + 1) <<
//              (2 * scale) records. ID mode 0: the same ID; 1: R counts up; 2: C,
//              H and R count up as one 24-bit number (distinct IDs); 3: C and R
//              count up together. Count mode 0: every record states `count`; 1:
//              the run's length; 2: record j states j + 2 + count, so that no walk
//              from inside the run meets its own count; 3: j * count.
//   2 tracks   disks (0: the last header written; else all of them), first track
//              (mod 164), track count u8 (+1), region u8, offset u16, stride u8:
//              track first + i of those disks starts at the region's start +
//              offset + i * stride.
//   3 game     kind (mod 4: the sample set's demo, main or scenario disk, or an
//              empty formatted disk), edit count (mod 8), then each edit: kind
//              (mod 3; 0: directory entry slot, name (mod 4 of the known names),
//              size u16, first cluster; 1: allocation entry cluster, value; 2:
//              the disk without the tracks that hold only the standard fill,
//              dropped before the other edits).
//   4 raw      length u8, then that many bytes.
//   5 repeat   length u16, times (mod 16): the last 64 * length bytes, again
//              1 + times times.
//   6 fill     length u16, byte: 16 * (length + 1) bytes of that byte.
//   7 patch    region u8, offset u16, value u16: the two bytes at the region's
//              start + offset, once the image is laid out.
// Each disk, records, game and raw command starts a region, counted from 0.
//
// The first byte's upper five bits, which its opcode leaves free, cap the image:
// 0 at maxImageBytes, 1 at a quarter of it, 2 at a sixteenth, 3 at a 64th (256
// KiB), 4 at a 256th, any other value at smallImageBytes. Random bytes so mostly describe quick
// images; the structured target's mutations pick the cap afresh.
#pragma once

#include <cstddef>
#include <cstdint>

#include "samples/d88_builder.h"

namespace fuzzimage {

using d88build::Bytes;

// No description expands past this.
constexpr std::size_t maxImageBytes = 16 * 1024 * 1024;
constexpr std::size_t smallImageBytes = 16 * 1024;
constexpr int sizeClassShift = 3;
constexpr int largeSizeClasses = 5;
constexpr int sizeClasses = 256 >> sizeClassShift;

// The first byte of a description with its size class set to `sizeClass`.
inline uint8_t withSizeClass(uint8_t first, int sizeClass) {
    const int opcodeBits = (1 << sizeClassShift) - 1;
    return static_cast<uint8_t>((first & opcodeBits) | sizeClass << sizeClassShift);
}
inline int sizeClassOf(uint8_t first) {
    return first >> sizeClassShift;
}

// The cap of the image the description expands to.
std::size_t imageCap(const uint8_t* data, std::size_t size);

enum class Op : uint8_t { disk, records, tracks, game, raw, repeat, fill, patch };

// Expands the description into `image`, which it clears first.
void expandDescription(const uint8_t* data, std::size_t size, Bytes& image);

// Makes every game disk a description can name, which are kept from one
// expansion to the next (fuzz/warm_up.h).
void makeGameDisks();

}  // namespace fuzzimage
