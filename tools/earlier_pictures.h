// SPDX-License-Identifier: MIT
// What an export leaves of earlier runs in its folder. A run writes over its
// own file names (picture-0001.png … or wallpaper-0001.png …, as many as it
// is asked for) and nothing else, so pictures beyond its count, or of the
// other kind, stay; the exporter says so in one line at the end rather than
// leave a reader to take them for this run's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvana {

// The exporter's file names: PREFIX-0001.png … (at least four digits).
std::string PictureFileName(std::string_view prefix, int picture);

// The names of exporter pictures in dir that a run writing PREFIX-0001.png
// … PREFIX-count.png does not write, sorted.
std::vector<std::string> EarlierPictures(const std::string& dir, std::string_view prefix, int count);

// "DIR also holds N pictures of an earlier run, left as they were: A, B … Z",
// or "" for none.
std::string DescribeEarlierPictures(const std::string& dir, const std::vector<std::string>& names);

}  // namespace quorvana
