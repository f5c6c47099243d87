#include "FileNames.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace vertano::cli {

namespace {

namespace fs = std::filesystem;

struct NamedFile {
    std::string option;  // empty for a raw file
    std::string path;
};

std::vector<NamedFile> InputFiles(const Options& o) {
    std::vector<NamedFile> files;
    for (const std::string& p : o.inputs) files.push_back({"", p});
    if (!o.project.empty()) files.push_back({"--project", o.project});
    for (const std::string& p : o.points) files.push_back({"--points", p});
    for (const std::string& p : o.scale) files.push_back({"--scale", p});
    static const char* const kSupplementary[] = {"--supp-bearing", "--supp-distance",
                                                 "--supp-height", "--supp-plumb"};
    for (size_t k = 0; k < o.supplementary.size(); ++k)
        for (const std::string& p : o.supplementary[k]) files.push_back({kSupplementary[k], p});
    for (const std::string& p : o.identical) files.push_back({"--identical", p});
    return files;
}

// simulate's -o is the start of several names, not a file.
std::vector<NamedFile> OutputFiles(const Options& o) {
    std::vector<NamedFile> files;
    if (!o.output.empty() && o.command != "simulate") files.push_back({"-o", o.output});
    if (!o.coords.empty()) files.push_back({"--coords", o.coords});
    if (!o.json.empty()) files.push_back({"--json", o.json});
    if (!o.report.empty()) files.push_back({"--report", o.report});
    if (!o.epoch.empty()) files.push_back({"--epoch", o.epoch});
    if (!o.dxf.empty()) files.push_back({"--dxf", o.dxf});
    if (!o.plot.empty()) files.push_back({"--plot", o.plot});
    return files;
}

// The path a name comes to, symbolic links followed as far as the file exists.
fs::path Resolved(const std::string& name) {
    std::error_code ec;
    fs::path p = fs::weakly_canonical(name, ec);
    if (!ec) return p;
    p = fs::absolute(name, ec);
    return (ec ? fs::path(name) : p).lexically_normal();
}

std::string Describe(const NamedFile& f) {
    return (f.option.empty() ? std::string() : f.option + " ") + "'" + f.path + "'";
}

struct Pair {
    size_t first = 0;
    size_t second = 0;
};

// The first two of `files` that are one file; {0, 0} when there are none.
Pair FirstSame(const std::vector<NamedFile>& files) {
    std::vector<fs::path> paths;
    for (const NamedFile& f : files) paths.push_back(Resolved(f.path));
    for (size_t i = 1; i < paths.size(); ++i) {
        for (size_t k = 0; k < i; ++k) {
            if (paths[k] == paths[i]) return {k, i};
        }
    }
    return {};
}

}  // namespace

bool CheckFileNames(const Options& o, std::string& error) {
    std::vector<NamedFile> files = InputFiles(o);
    const size_t inputs = files.size();
    const std::vector<NamedFile> outputs = OutputFiles(o);
    files.insert(files.end(), outputs.begin(), outputs.end());
    const Pair same = FirstSame(files);
    if (same.second == 0) {
        error.clear();
        return true;
    }
    const std::string why = same.second < inputs  ? "it would be read twice"
                            : same.first < inputs ? "the output would replace an input"
                                                  : "one output would replace the other";
    error = Describe(files[same.first]) + " and " + Describe(files[same.second]) +
            " are the same file: " + why;
    return false;
}

}  // namespace vertano::cli
