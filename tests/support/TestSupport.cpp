#include "TestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>

extern char** environ;

namespace quorvane::test {

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("quorvane-test-" + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path TestPhotosDir() {
    // The folder found at configuration, or the one QUORVANE_TESTDATA_DIR names for this run.
    const char* chosen = std::getenv("QUORVANE_TESTDATA_DIR");
    std::filesystem::path dir = chosen ? chosen : QUORVANE_TESTDATA_DIR;
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec))
        return dir;
    return {};
}

std::unique_ptr<QProcess> StartCli(const std::vector<std::string>& args,
                                   const std::filesystem::path& configHome) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(configHome.string()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(env);
    QStringList list;
    for (const std::string& a : args)
        list << QString::fromStdString(a);
    process->start(QString::fromStdString((BinDir() / "quorvane-cli").string()), list);
    if (!process->waitForStarted(30000))
        return nullptr;
    process->closeWriteChannel();
    return process;
}

ProgramRun RunCli(const std::vector<std::string>& args, const std::filesystem::path& configHome) {
    ProgramRun run;
    const auto process = StartCli(args, configHome);
    if (!process)
        return run;
    process->waitForFinished(300000);
    run.out = process->readAllStandardOutput().toStdString();
    run.err = process->readAllStandardError().toStdString();
    if (process->exitStatus() == QProcess::NormalExit)
        run.exitCode = process->exitCode();
    return run;
}

ProgramRun RunCliBytes(const std::vector<std::string>& args,
                       const std::filesystem::path& configHome, const CliRunOptions& options) {
    const TempDir capture;
    const std::string out =
        options.stdoutFile.empty() ? (capture / "stdout").string() : options.stdoutFile.string();
    const std::string err = (capture / "stderr").string();
    const std::string program = (BinDir() / "quorvane-cli").string();

    std::vector<std::string> env{"XDG_CONFIG_HOME=" + configHome.string(),
                                 "QT_QPA_PLATFORM=offscreen"};
    env.insert(env.end(), options.environment.begin(), options.environment.end());
    const size_t ours = env.size();
    for (char** e = environ; *e; ++e) {
        bool replaced = false;
        for (size_t i = 0; i < ours && !replaced; ++i)
            replaced = std::strncmp(*e, env[i].c_str(), env[i].find('=') + 1) == 0;
        if (!replaced)
            env.emplace_back(*e);
    }
    std::vector<char*> envp, argv{const_cast<char*>(program.c_str())};
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!options.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ProgramRun run;
    int status = 0;
    if (spawned != 0 || waitpid(pid, &status, 0) != pid)
        return run;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    if (options.stdoutFile.empty())
        run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
}

std::filesystem::path SourceDir() {
    return QUORVANE_SOURCE_DIR;
}
std::filesystem::path BinDir() {
    return QUORVANE_BIN_DIR;
}

} // namespace quorvane::test
