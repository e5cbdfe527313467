// brevant: look at, check, convert and draw embroidery hoop catalogues.
#include "Commands.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <new>
#include <string>

namespace {

// CLI11 would only say that a subcommand is required; name the word it did not know instead.
bool IsUnknownCommand(CLI::App& app, int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-')
        return false;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        if (command->check_name(argv[1]))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Look at, check, convert, edit and draw embroidery hoop catalogues.\n"
                 "A catalogue is an INI text file, or a binary INI file when its name ends in .inb.",
                 "brevant"};
    app.set_version_flag("--version", BREVANT_VERSION);
    app.require_subcommand(1);
    app.footer("Exit status: 0 success, 1 the file had faulty lines or a check failed, "
               "2 the file could not be loaded or the arguments are wrong.\n"
               "'brevant COMMAND --help' describes a command.");
    ReportBrokenPipes();
    int status = kExitOk;
    AddListCommand(app, status);
    AddShowCommand(app, status);
    AddCheckCommand(app, status);
    AddConvertCommand(app, status);
    AddRenderCommand(app, status);
    AddJsonCommands(app, status);
    AddFitCommand(app, status);
    AddRotateCommand(app, status);
    AddTemplateCommand(app, status);
    AddEditCommands(app, status);
    AddMergeCommand(app, status);
    if (IsUnknownCommand(app, argc, argv)) {
        PrintError(std::string("unknown command ") + Quoted(argv[1]) +
                   "; 'brevant --help' lists the commands");
        return kExitFailed;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? kExitOk : kExitFailed;
    } catch (const std::bad_alloc&) {
        PrintError("out of memory; close other programs or try a smaller catalogue");
        return kExitFailed;
    } catch (const std::exception&) {
        PrintError("an unexpected failure stopped the command; please report it with the command line");
        return kExitFailed;
    }
    std::string problem = FlushStandardOutput();
    if (!problem.empty()) {
        PrintError(problem);
        return kExitFailed;
    }
    return status;
}
