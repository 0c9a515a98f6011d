#include "support/run_tool.h"

#include <cstdlib>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/test_folder.h"

namespace d88build {

namespace fs = std::filesystem;

namespace {

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

std::string commandLine(const std::string& program, const std::vector<std::string>& args,
                        const fs::path& out, const fs::path& err) {
    std::string command = quoted(program);
    for (const std::string& arg : args) {
        command += " " + quoted(arg);
    }
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string());
#ifdef _WIN32
    // cmd.exe strips the outer pair of quotes from a command that starts with one.
    command = "\"" + command + "\"";
#endif
    return command;
}

std::map<std::string, Bytes> filesIn(const fs::path& folder) {
    std::map<std::string, Bytes> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name != kImageName) {
            files[name] = readFile(entry.path().string());
        }
    }
    return files;
}

}  // namespace

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
                         const std::function<void(const fs::path&)>& prepare) {
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
    const std::string command = commandLine(fs::absolute(program).string(), args, out, err);
    fs::path before = fs::current_path();
    fs::current_path(work);
    ToolRun run;
    run.status = exitStatus(std::system(command.c_str()));
    fs::current_path(before);
    run.out = readText(out);
    run.err = readText(err);
    run.files = filesIn(work);
    return run;
}

}  // namespace d88build
