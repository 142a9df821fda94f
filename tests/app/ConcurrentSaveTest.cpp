// Two writers saving one file at the same moment: a reader meets the old file or a complete new
// one, never a part, and the last complete write wins.
#include "app/AppConfig.h"
#include "text/FileIO.h"
#include "text/IniDocument.h"

#include "TestSupport.h"

#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

TEST(ConcurrentSaves, NeverLeaveAPartOfAFile) {
    TempDir dir;
    const QString folder = QString::fromStdString(dir.str());
    const std::string whole[2] = {std::string(300000, 'a') + "\n", std::string(200000, 'b') + "\n"};
    struct Case {
        const char* what;
        std::string file;
        std::function<void(int writer)> write;
        std::function<bool(const std::string& content)> complete;
    };
    const std::vector<Case> cases = {
        {"a layout or page", (dir / "CustomSize0001.ini").string(),
         [&](int w) { text::WriteFileAtomically((dir / "CustomSize0001.ini").string(), whole[w]); },
         [&](const std::string& s) { return s == whole[0] || s == whole[1]; }},
        {"Quorvane.ini", (dir / "Quorvane.ini").string(),
         [&](int w) {
             AppConfig config;
             config.readPath = QStringLiteral("/photos/%1").arg(w);
             SaveReadPath(folder, config);
         },
         [](const std::string& s) {
             const auto doc = text::IniDocument::Parse(s);
             const auto path = doc.value("SETTING", "readPath");
             return (path == "/photos/0" || path == "/photos/1") &&
                    doc.value("SETTING", "maxTagLineCol") == "16" &&
                    doc.value("SETTING", "maxDumpBinCt") == "32" && s.back() == '\n';
         }},
    };
    for (const Case& c : cases) {
        std::atomic<int> writing{2};
        std::atomic<int> partial{0}, seen{0};
        std::thread reader([&] {
            while (writing > 0) {
                if (const auto content = text::ReadWholeFile(c.file)) {
                    ++seen;
                    if (!c.complete(*content))
                        ++partial;
                }
            }
        });
        std::vector<std::thread> writers;
        for (int w = 0; w < 2; ++w)
            writers.emplace_back([&, w] {
                for (int round = 0; round < 50; ++round)
                    c.write(w);
                --writing;
            });
        for (std::thread& t : writers)
            t.join();
        reader.join();
        EXPECT_EQ(partial, 0) << c.what << ": " << seen << " reads";
        const auto last = text::ReadWholeFile(c.file);
        ASSERT_TRUE(last) << c.what;
        EXPECT_TRUE(c.complete(*last)) << c.what;
    }
    // No temporary file stays behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

} // namespace
