#include "support/run_tool.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include "support/file_tree.h"
#include "support/test_folder.h"

namespace queltests {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
constexpr int commandProcessorAttempts = 3;
// What std::system gives when the command processor could not be started
// (the C runtime's own answer), and what cmd.exe gives when it could not
// start the program.
constexpr int noCommandProcessor = -1;
constexpr int programNotStarted = 9009;
#endif

std::string readText(const fs::path& path) {
    const Bytes bytes = readFile(path.string());
    return std::string(bytes.begin(), bytes.end());
}

std::string quoted(const std::string& word) {
    return "\"" + word + "\"";
}

// std::system's result is a wait status on POSIX systems and the exit code itself
// on Windows.
int exitStatus(int systemResult) {
#ifdef _WIN32
    return systemResult;
#else
    return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
#endif
}

std::string redirections(Streams streams, const fs::path& out, const fs::path& err) {
    switch (streams) {
    case Streams::oneLog:
        return " >" + quoted(out.string()) + " 2>&1";
    case Streams::outputToFull:
        return " >/dev/full 2>" + quoted(err.string());
    case Streams::apart:
        break;
    }
    return " >" + quoted(out.string()) + " 2>" + quoted(err.string());
}

std::string commandLine(const std::string& program, const std::vector<std::string>& args,
                        const fs::path& out, const fs::path& err, const Surroundings& around) {
#ifdef _WIN32
    std::string command = around.before + quoted(program);
#else
    std::string command = around.before + "env LC_ALL=" + around.locale + " " + quoted(program);
#endif
    for (const std::string& arg : args) {
        command += " " + (around.quoted ? quoted(arg) : arg);
    }
    command += redirections(around.streams, out, err);
    if (!around.input.empty()) {
        command += " <" + quoted(around.input);
    }
    if (!around.after.empty()) {
        command += "; status=$?; " + around.after + "; exit $status";
    }
#ifdef _WIN32
    // cmd.exe strips the outer pair of quotes from a command that starts with one.
    command = "\"" + command + "\"";
#endif
    return command;
}

std::map<std::string, Bytes> filesIn(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    forEachFileBelow(folder, [&files](const std::string& name, const Bytes& bytes) {
        if (name != kImageName) {
            files[name] = bytes;
        }
    });
    return files;
}

// Runs `command` with a limit on the size of the files it writes; the limit holds
// for the child alone (it is lifted again in this process afterwards).
int systemWithFileSizeLimit(const std::string& command, long limit) {
#ifdef _WIN32
    (void)limit;
    // Wine now and then fails to start the command processor, or the command
    // processor fails to start the program, under load; nothing ran then, so
    // the run is tried again. No program of ours ends with -1 or 9009.
    int result = noCommandProcessor;
    for (int attempt = 0; attempt < commandProcessorAttempts &&
                          (result == noCommandProcessor || result == programNotStarted);
         ++attempt) {
        result = std::system(command.c_str());
    }
    return result;
#else
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = limit > 0 ? static_cast<rlim_t>(limit) : saved.rlim_cur;
    setrlimit(RLIMIT_FSIZE, &limited);
    int result = std::system(command.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    return result;
#endif
}

}  // namespace

std::string inFolder(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

void giveImageAJapaneseName(const fs::path& work) {
    fs::rename(work / kImageName, work / fs::u8path(kJapaneseImageName));
}

std::string asTextStream(const std::string& text) {
#ifdef _WIN32
    std::string lines;
    for (char c : text) {
        if (c == '\n') {
            lines += '\r';
        }
        lines += c;
    }
    return lines;
#else
    return text;
#endif
}

ToolRun runInFreshFolder(const std::string& program, const Bytes& image,
                         const std::vector<std::string>& args,
                         const std::function<void(const fs::path&)>& prepare,
                         const Surroundings& around) {
    fs::path folder = freshTestFolder();
    fs::path work = folder / "work";
    fs::create_directory(work);
    writeFile((work / kImageName).string(), image);
    if (prepare) {
        prepare(work);
    }
    fs::path out = folder / "stdout";
    fs::path err = folder / "stderr";
    // The program's path is made absolute before the run moves into the work folder.
    // Under Wine this also turns the build's Unix path into one on the drive for "/".
    const std::string command =
        commandLine(fs::absolute(program).string(), args, out, err, around);
    fs::path before = fs::current_path();
    fs::current_path(work);
    ToolRun run;
    run.status = exitStatus(systemWithFileSizeLimit(command, around.fileSizeLimit));
    fs::current_path(before);
    run.out = readText(out);
    run.err = readText(err);
    run.files = filesIn(work);
    return run;
}

}  // namespace queltests
