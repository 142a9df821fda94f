// Test fixtures' paths as the code takes them: a LocalPath of a folder or file a test made.
#pragma once

#include "files/LocalPath.h"

#include <QString>
#include <filesystem>

namespace quorvane::test {

inline LocalPath P(const QString& text) {
    return LocalPath::FromText(text);
}

inline LocalPath P(const std::filesystem::path& path) {
    return LocalPath::FromBytes(QByteArray::fromStdString(path.string()));
}

} // namespace quorvane::test
