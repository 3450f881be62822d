#pragma once
// Runs one of the build-time generators in a scratch folder and keeps what
// it wrote: its exit status, its error output and the two files it makes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tool_test {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& p) {
    std::ifstream in(p);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct Compiled {
    int status = -1;
    std::string errors;
    std::string source;  // the generated code, when it was made
    std::string header;
};

// Runs `command` (its error output goes to dir/errors.txt), reads
// dir/out/<sourceName> and dir/out/<headerName>, then removes dir.
inline Compiled RunTool(const std::string& command, const fs::path& dir, const std::string& sourceName,
                        const std::string& headerName) {
    const std::string full = command + " 2> '" + (dir / "errors.txt").string() + "'";
    Compiled r;
    r.status = std::system(full.c_str());
    r.errors = ReadAll(dir / "errors.txt");
    if (fs::exists(dir / "out" / sourceName)) r.source = ReadAll(dir / "out" / sourceName);
    if (fs::exists(dir / "out" / headerName)) r.header = ReadAll(dir / "out" / headerName);
    fs::remove_all(dir);
    return r;
}

}  // namespace tool_test
