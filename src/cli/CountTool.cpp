// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountTool.h"

#include <array>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>
#include <utility>

#include "cli/CountOptions.h"
#include "cli/CountRun.h"
#include "cli/CountSettings.h"
#include "cli/Reporter.h"
#include "engine/Encoding.h"
#include "listing/RunError.h"
#include "settings/ParameterFile.h"
#include "text/ProgramText.h"

namespace vesk::cli {

namespace {

namespace fs = std::filesystem;

// "--comments '#' notes.txt" takes the file for the end marker and would count standard input instead; an
// input named "-" says that standard input is meant.
std::string FileTakenForMarker(const CountOptions& o) {
    if (!o.inputFile.empty()) return {};
    const std::pair<const char*, const std::optional<std::array<std::string, 2>>*> pairs[] = {
        {"--comments", &o.comments}, {"--comments2", &o.comments2}};
    for (const auto& [name, pair] : pairs) {
        std::error_code error;
        if (*pair && fs::is_regular_file((**pair)[1], error))
            return "the end marker '" + (**pair)[1] + "' of " + name +
                   " is the name of a file: give both markers (an empty one as '') before the file, or '-' to "
                   "count standard input";
    }
    return {};
}

// The folder of the running program, where its data files lie.
std::string ProgramFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) {
        const fs::path cwd = fs::current_path(ec);
        return ec ? std::string("/") : cwd.string();
    }
    std::string folder = exe.parent_path().string();
    return folder.empty() ? std::string("/") : folder;
}

int PrintVersion(std::ostream& out, std::ostream& err) {
    std::string folder = ProgramFolder();
    if (folder.empty() || folder.back() != '/') folder += '/';
    ProgramText texts;
    texts.Load(folder + "vesk_text.dat");
    const std::string name = texts.Text(1);
    const std::string version = (name.empty() ? std::string("VESK") : name) + " " + VersionString();
    errno = 0;
    out << version << '\n';
    return WriteStatus(out, "standard output", err);
}

// Writes the parameters in effect, the input file among them, and counts nothing.
int WriteParams(const CountOptions& options, ParameterSet set, Reporter& reporter) {
    if (!options.ReadsStandardInput()) set.inputFile = options.inputFile;
    const std::string& file = *options.writeParamsFile;
    const std::string message = WriteParameterFile(file, set, FileLine("Parameter file", file));
    if (message.empty()) return kExitSuccess;
    reporter.Error(message);
    return kExitFailure;
}

// Merges partial counts: the words are shaped as the parts say, the listing as the options say.
int Merge(const CountOptions& options, ParameterSet& set, Reporter& reporter, std::ostream& out, std::ostream& err,
          int stdinFd) {
    MergeParts merge;
    if (const int status = ReadMergeParts(options, stdinFd, reporter, merge); status != kExitSuccess) return status;
    const WordShaping shaping = merge.parts.front().options;
    CountOptions effective = options;
    for (const auto& [name, value] : shaping)
        if (name == "encoding" && !value.empty()) effective.encoding = value;
    if (effective.encoding && !IsKnownEncoding(*effective.encoding)) {
        reporter.ErrorUtf8("the parts name an unknown encoding '" + *effective.encoding + "'");
        return kExitFailure;
    }
    if (const int status = ApplyOptions(effective, set, reporter, err, &shaping); status != kExitSuccess) return status;
    return CountAndList(effective, set, reporter, out, err, stdinFd, &merge);
}

int Run(const CountOptions& options, std::ostream& out, std::ostream& err, int stdinFd, bool errIsTerminal) {
    if (options.version) return PrintVersion(out, err);
    Reporter reporter(err, errIsTerminal);
    ParameterSet set = DefaultParameters();
    if (options.merge) return Merge(options, set, reporter, out, err, stdinFd);
    if (const int status = ApplyOptions(options, set, reporter, err); status != kExitSuccess) return status;
    if (options.writeParamsFile) return WriteParams(options, set, reporter);
    return CountAndList(options, set, reporter, out, err, stdinFd);
}

}  // namespace

int WriteStatus(std::ostream& stream, const char* name, std::ostream& err) {
    stream.flush();
    const int error = errno;
    if (stream) return kExitSuccess;
    if (error == EPIPE) return kExitFailure;
    err << "vesk-count: cannot write to " << name;
    if (error != 0) err << ": " << std::generic_category().message(error);
    err << '\n';
    err.flush();
    return kExitFailure;
}

int RunCountTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, int stdinFd,
                 bool errIsTerminal) {
    const ParseResult parsed = ParseCountOptions(args);
    if (!parsed.error.empty()) return UsageError(err, parsed.error);
    if (parsed.options.help) {
        errno = 0;
        out << HelpText();
        return WriteStatus(out, "standard output", err);
    }
    if (const std::string problem = FileTakenForMarker(parsed.options); !problem.empty())
        return UsageError(err, problem);
    // A parameter file holds UTF-8 text only.
    if (parsed.options.writeParamsFile && !IsValidUtf8(parsed.options.inputFile))
        return UsageError(err, "the input file's name is not valid UTF-8, which a parameter file cannot keep");
    try {
        return Run(parsed.options, out, err, stdinFd, errIsTerminal);
    } catch (const std::exception& e) {
        err << "vesk-count: " << e.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace vesk::cli
