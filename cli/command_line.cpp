#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include "cli/exit_status.h"
#include "cli/info_command.h"
#include "cli/list_command.h"
#include "cli/replace_command.h"

namespace {

constexpr const char* kDescription =
    "Lists and rewrites the texture paths of Operation Flashpoint MLOD models (.p3d).\n"
    "PATH is a model file or a folder; a folder means every file below it whose name\n"
    "ends in .p3d (any letter case), in sorted path order.\n"
    "Exit status: 0 every model done; 1 one or more models failed, each with one line\n"
    "\"PATH: reason\" on stderr, the others processed; 2 bad usage.";

constexpr const char* kListFooter =
    "Paths are printed as the exact bytes of the file. By default each model's distinct\n"
    "non-empty paths, one per line: paths equal but for the case of A-Z are one, spelled\n"
    "as on its first face, sorted byte by byte with A-Z as a-z. With more than one model\n"
    "each model's block starts with a line \"== PATH\".\n"
    "--faces prints LOD<TAB>FACE<TAB>TEXT per face in file order, numbered from 0.\n"
    "--json prints one document {\"models\": [{\"path\", \"size\", \"lods\": [{\"faces\",\n"
    "\"resolution\"}], \"textures\": [...]}]}. A path or texture is a JSON string when its\n"
    "bytes are valid UTF-8, and otherwise an object {\"text\", \"hex\"}: text with U+FFFD\n"
    "for each invalid sequence, hex with every byte as two lowercase hex digits.";

constexpr const char* kReplaceFooter =
    "Every occurrence of SOURCE in every face's texture path becomes TARGET, case-sensitive\n"
    "and byte for byte. A model is edited all or nothing: if any path would exceed 31\n"
    "bytes, that model is not written and the failure names the LOD, face, path and\n"
    "length. Only models in which some path changes are written, each atomically through\n"
    "a temporary file in the same folder, keeping the old file's permissions.\n"
    "--dry-run prints OLD<TAB>NEW<TAB>FACES for each distinct path that would change.";

std::string NotEmpty(const std::string& value)
{
    return value.empty() ? "must not be empty" : "";
}

void AddPaths(CLI::App& command, std::vector<std::string>& paths)
{
    command.add_option("PATH", paths, "model files or folders")->required();
}

CLI::App* AddList(CLI::App& app, ListOptions& options)
{
    CLI::App* list = app.add_subcommand("list", "Print the texture paths of each model");
    CLI::Option* faces = list->add_flag("--faces", options.faces, "one line per face: LOD, face and text");
    list->add_flag("--json", options.json, "one JSON document for all models")->excludes(faces);
    AddPaths(*list, options.paths);
    list->footer(kListFooter);
    return list;
}

CLI::App* AddReplace(CLI::App& app, ReplaceOptions& options)
{
    CLI::App* replace = app.add_subcommand("replace", "Replace a piece of text in the texture paths of each model");
    replace->add_option("--from", options.source, "the text to replace")->type_name("SOURCE")->required()->check(NotEmpty);
    replace->add_option("--to", options.target, "the text that takes its place, may be empty")->type_name("TARGET")->required();
    replace->add_flag("--dry-run", options.dryRun, "print what would change and write nothing");
    CLI::App* destination = replace->add_option_group("destination", "where the edited models go");
    destination->add_flag("--in-place", options.inPlace, "rewrite each model where it lies");
    destination->add_option("--output", options.output, "write the one edited model to OUT")->type_name("OUT");
    destination->require_option(1);
    AddPaths(*replace, options.paths);
    replace->footer(kReplaceFooter);
    return replace;
}

CLI::App* AddInfo(CLI::App& app, std::vector<std::string>& paths)
{
    CLI::App* info = app.add_subcommand(
        "info", "Print each model's size, LODs with face count and resolution, distinct textures and trailing bytes");
    AddPaths(*info, paths);
    return info;
}

}  // namespace

int RunCommandLine(int argc, char** argv)
{
    CLI::App app(kDescription, "veltrane-cli");
    app.set_version_flag("--version", "veltrane-cli " VELTRANE_VERSION);
    app.require_subcommand(1);
    ListOptions listOptions;
    ReplaceOptions replaceOptions;
    std::vector<std::string> infoPaths;
    const CLI::App* list = AddList(app, listOptions);
    const CLI::App* replace = AddReplace(app, replaceOptions);
    AddInfo(app, infoPaths);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kAllDone : kBadUsage;
    }
    if (list->parsed())
        return RunList(listOptions);
    if (replace->parsed())
        return RunReplace(replaceOptions);
    return RunInfo(infoPaths);
}
