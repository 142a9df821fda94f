// The ICC profile a PNG file embeds in its iCCP chunk. Only the profile counts as colour
// information here: gAMA and cHRM alone leave a photo as it was decoded.
#pragma once

#include <QByteArray>
#include <QIODevice>

namespace quorvane {

// The unpacked profile of the PNG file on the device (read from its position, put back after);
// empty when it is no PNG, has no iCCP chunk before its pixels, or the chunk is damaged.
QByteArray PngIccProfile(QIODevice& device);

} // namespace quorvane
