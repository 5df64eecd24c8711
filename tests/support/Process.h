#pragma once
// Runs a command line in a shell and collects its exit status, standard output and standard error.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;

    // The last non-empty line of standard output.
    std::string LastLine() const {
        std::istringstream in(out);
        std::string line, last;
        while (std::getline(in, line)) {
            if (!line.empty()) last = line;
        }
        return last;
    }
};

// errPath holds standard error while the command runs: one of its own for each command run at once.
inline ProcessResult RunProcess(const std::string& command,
                                const std::string& errPath = "/tmp/veldorin_test_err_" + std::to_string(::getpid())) {
    ProcessResult result;
    FILE* pipe = ::popen((command + " 2>" + errPath).c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    std::remove(errPath.c_str());
    return result;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return {};
    std::string text(static_cast<size_t>(std::max<std::streamoff>(file.tellg(), 0)), '\0');
    file.seekg(0);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(file.gcount()));
    return text;
}
