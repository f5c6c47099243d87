#include "FileNames.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::cli {

namespace {

namespace fs = std::filesystem;

std::vector<NamedFile> InputFiles(const Options& o) {
    std::vector<NamedFile> files;
    for (const std::string& p : o.inputs) files.push_back({"", p});
    // project show names its project as its one input.
    if (!o.project.empty() && o.subcommand != "show") files.push_back({"--project", o.project});
    for (const std::string& p : o.points) files.push_back({"--points", p});
    for (const std::string& p : o.scale) files.push_back({"--scale", p});
    static const char* const kSupplementary[] = {"--supp-bearing", "--supp-distance",
                                                 "--supp-height", "--supp-plumb"};
    for (size_t k = 0; k < o.supplementary.size(); ++k)
        for (const std::string& p : o.supplementary[k]) files.push_back({kSupplementary[k], p});
    for (const std::string& p : o.identical) files.push_back({"--identical", p});
    return files;
}

// The path a name comes to: absolute, links followed (a dangling one to the
// file it would create), the rest normalised ("o.txt", "./o.txt" and
// "sub/../o.txt" are one name even before the file exists).
fs::path Resolved(const std::string& name) {
    std::error_code ec;
    fs::path p = fs::absolute(name, ec);
    if (ec) p = name;
    fs::path target;
    if (FollowLinks(p, target)) p = target;
    const fs::path canonical = fs::weakly_canonical(p, ec);
    return (ec ? p : canonical).lexically_normal();
}

// One file: the same device and inode when both exist (which also catches a
// hard link), else the same resolved name.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    if (!ec) return same;
    return Resolved(a) == Resolved(b);
}

// Two outputs may share a character device other than the standard output:
// writing both to /dev/null, or to a terminal, loses nothing.
bool SharedDeviceOutputs(const std::string& path) {
    std::error_code ec;
    return fs::is_character_file(path, ec) && !IsStandardOutput(path);
}

std::string Describe(const NamedFile& f) {
    return (f.option.empty() ? std::string() : f.option + " ") + "'" + QuoteInput(f.path) + "'";
}

}  // namespace

bool CheckFileNames(const Options& o, std::string& error) {
    fs::path target;
    for (const NamedFile& f : o.outputs) {
        if (IsStandardOutput(f.path) || FollowLinks(f.path, target)) continue;
        error = Describe(f) + ": its symbolic links lead round in a loop (or more than 40 deep)";
        return false;
    }
    std::vector<NamedFile> files = InputFiles(o);
    const size_t inputs = files.size();
    files.insert(files.end(), o.outputs.begin(), o.outputs.end());
    for (size_t i = 1; i < files.size(); ++i) {
        const bool output = i >= inputs;
        const bool toStandardOutput = output && IsStandardOutput(files[i].path);
        for (size_t k = 0; k < i; ++k) {
            const bool bothOutputs = k >= inputs;
            if (toStandardOutput) {
                if (!bothOutputs || !IsStandardOutput(files[k].path)) continue;
                error = Describe(files[k]) + " and " + Describe(files[i]) +
                        " both go to the standard output: only one output can";
                return false;
            }
            if (!SameFile(files[k].path, files[i].path)) continue;
            if (bothOutputs && SharedDeviceOutputs(files[i].path)) continue;
            const std::string why = !output        ? "it would be read twice"
                                    : !bothOutputs ? "the output would replace an input"
                                                   : "one output would replace the other";
            error =
                Describe(files[k]) + " and " + Describe(files[i]) + " are the same file: " + why;
            return false;
        }
    }
    error.clear();
    return true;
}

}  // namespace vertano::cli
