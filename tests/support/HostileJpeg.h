// JPEG files built byte by byte to try the decoder's limits: they claim large pictures, many
// scans or many components while the files stay small.
#pragma once

#include <string>

namespace quorvane::test {

// A grey progressive JPEG of width x height: a scan of DC values, then `scans - 1` scans of AC
// coefficients whose data end every block at once (runs of empty blocks). It decodes (to mid
// grey), and the decoder goes over every block once a scan while the file grows by about 40
// bytes a scan: the decode of 6000 x 6000 with 500 scans takes seconds.
std::string ProgressiveJpeg(int width, int height, int scans);

// The markers of a JPEG without its coded data: a frame of width x height with `components`
// components sampled 1 x 1, baseline or progressive, and the header of a first scan of all of
// them.
std::string JpegHeaders(int width, int height, int components, bool progressive);

} // namespace quorvane::test
