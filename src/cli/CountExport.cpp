// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CountExport.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include "cli/CountSettings.h"
#include "cli/CountTool.h"
#include "listing/WordExport.h"
#include "settings/AtomicSave.h"
#include "settings/SettingNames.h"

namespace vesk::cli {

namespace {

std::optional<ExportFormat> FormatOf(const CountOptions& options) {
    if (options.exportFormat) return ExportFormatOfName(*options.exportFormat);
    return ExportFormatOfPath(*options.exportFile);
}

}  // namespace

std::string CheckExportOptions(const CountOptions& options) {
    if (!options.exportFile) return options.exportFormat ? "option '--export-format' needs '--export'" : "";
    if (options.exportFormat && !ExportFormatOfName(*options.exportFormat))
        return "--export-format must be csv, tsv or json (not '" + *options.exportFormat + "')";
    if (ExportsToStandardOutput(options) && !options.exportFormat)
        return "--export - needs --export-format csv|tsv|json";
    if (!FormatOf(options))
        return "--export: the file name must end in .csv, .tsv or .json, or give --export-format (not '" +
               *options.exportFile + "')";
    return {};
}

int ExportWords(const CountOptions& options, const ParameterSet& set, const WordTable& table, std::int64_t chainHead,
                const std::string& inputName, std::ostream& out, std::ostream& err) {
    ExportSettings settings;
    for (auto& [name, value] : NamedSettings(set)) {
        if (name == "input_file") value = inputName;
        settings.emplace_back(std::move(name), std::move(value));
    }
    const ExportFormat format = *FormatOf(options);
    errno = 0;
    if (ExportsToStandardOutput(options)) {
        WriteWordExport(out, format, table, chainHead, settings);
        return WriteStatus(out, "standard output", err);
    }
    std::error_code ec;
    if (!options.ReadsStandardInput() && std::filesystem::equivalent(*options.exportFile, options.inputFile, ec)) {
        err << "vesk-count: Export file cannot be the same as the input file.\n";
        return kExitFailure;
    }
    // Replaced only once whole, so that a failed export leaves the file there as it was.
    const std::string failure = WriteFileAtomically(
        *options.exportFile, [&](std::ostream& file) { WriteWordExport(file, format, table, chainHead, settings); });
    if (failure.empty()) return kExitSuccess;
    err << "vesk-count: cannot write to " << *options.exportFile << ": " << failure << '\n';
    return kExitFailure;
}

}  // namespace vesk::cli
