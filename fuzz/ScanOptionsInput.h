// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Word-forming options taken from the front of a fuzz input, for the targets that scan text.

#include "FuzzSupport.h"
#include "engine/CommentMarkers.h"
#include "engine/ScanOptions.h"

namespace vesk::fuzz {

inline ScanOptions TakeScanOptions(InputReader& in) {
    ScanOptions o;
    const unsigned a = in.Byte(), b = in.Byte();
    o.allowed = {(a & 1) != 0,  (a & 2) != 0,  (a & 4) != 0,   (a & 8) != 0, (a & 16) != 0,
                 (a & 32) != 0, (a & 64) != 0, (a & 128) != 0, (b & 1) != 0};
    o.lowerCase = (b & 2) != 0;
    o.dropFinalS = (b & 4) != 0;
    o.apostrophesAllowed = (b & 8) != 0;
    o.underscoresStartWords = (b & 16) != 0;
    o.userMarkersAllowed = (b & 32) != 0;
    for (int k = 0; k < 2; ++k) o.markers.starts[k] = in.Text(3), o.markers.ends[k] = in.Text(3);
    if ((b >> 6) % 3 != 0) o.markers = (b >> 6) % 3 == 1 ? MarkupMarkers() : CodeMarkers();  // by file type
    return o;
}

}  // namespace vesk::fuzz
