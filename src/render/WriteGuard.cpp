#include "render/WriteGuard.h"

#include "render/OutputFolder.h"
#include "render/RunPhotos.h"

namespace quorvane {

bool WriteGuard::outputListed() {
    if (!guard_ || !folder_)
        return false;
    if (!listed_)
        listed_ = guard_->isListedFolder(folder_->descriptor());
    return *listed_;
}

bool WriteGuard::mayWrite(const QString& name) {
    if (!guard_ || !folder_)
        return true;
    const auto file = folder_->regularFile(name);
    return !(outputListed() && folder_->contains(name)) && !(file && guard_->isListedPhoto(*file));
}

} // namespace quorvane
