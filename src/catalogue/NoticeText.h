// The texts of the core's notices, Japanese and English: what the windows and the batch command
// show when the core tells of something done or of the set-up it goes on with.
#pragma once

#include "text/Notice.h"

#include <QString>

namespace quorvane {

// The text of one notice, its arguments put in. A missing argument reads as empty text.
QString NoticeText(const text::Notice& notice, bool japanese);

} // namespace quorvane
