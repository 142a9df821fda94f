// Shared test helpers: temporary folders, file writing and the real-photo folder.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QProcess;

namespace quorvane::test {

// A fresh folder below the system temporary folder, removed with its contents on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Path of a file or folder inside this folder.
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

void WriteFile(const std::filesystem::path& path, std::string_view bytes);
void WriteFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Folder of the real camera photos ($QUORVANE_TESTDATA_DIR when set, else the one configured), or
// empty when it is absent.
std::filesystem::path TestPhotosDir();
// The source tree and the folder of the built programs.
std::filesystem::path SourceDir();
std::filesystem::path BinDir();

// What a program run printed and how it ended.
struct ProgramRun {
    int exitCode = -1; // -1 when it did not start or did not end normally
    std::string out;
    std::string err;
};

// Runs the built quorvane-cli with the arguments and the settings folder below `configHome`
// (XDG_CONFIG_HOME), so the user's own settings are never touched.
ProgramRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& configHome);
// The same, started and left running for the caller to talk to (nullptr when it did not start).
std::unique_ptr<QProcess> StartCli(const std::vector<std::string>& args,
                                   const std::filesystem::path& configHome);

// Where and how RunCliBytes runs the command.
struct CliRunOptions {
    std::filesystem::path stdoutFile;     // stdout goes there (`out` stays empty); empty: captured
    std::filesystem::path workingFolder;  // empty: the test's own
    std::vector<std::string> environment; // "NAME=value" entries added or replaced
};
// As RunCli, with the arguments handed over byte for byte (names that are not UTF-8, which a
// QProcess cannot pass).
ProgramRun RunCliBytes(const std::vector<std::string>& args,
                       const std::filesystem::path& configHome, const CliRunOptions& options = {});

} // namespace quorvane::test

// Skips the current test when the real camera photos are absent.
#define QUORVANE_REQUIRE_TEST_PHOTOS()                                                             \
    do {                                                                                           \
        if (::quorvane::test::TestPhotosDir().empty())                                             \
            GTEST_SKIP() << "needs the real camera photos of ../shared/testdata/photos, "          \
                            "which are absent (see QUORVANE_TESTDATA_DIR)";                        \
    } while (0)
