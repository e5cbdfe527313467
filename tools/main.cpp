// brevant: look at, check, convert and draw embroidery hoop catalogues.
#include "Commands.h"
#include "SafeSave.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

// CLI11 would only say that a subcommand is required; name the word it did not know instead.
bool IsUnknownCommand(CLI::App& app, const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments[1][0] == '-')
        return false;
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        if (command->check_name(arguments[1]))
            return false;
    }
    return true;
}

#ifdef BREVANT_DRAWING
const char kDrawingNote[] = "";
#else
// A build without cairo (the Windows build) leaves out the commands that draw.
const char kDrawingNote[] =
    "\nrender and template draw with cairo, which this build of brevant lacks: they are "
    "absent here.";
#endif

std::string UnknownCommandMessage(const std::string& word) {
    if (*kDrawingNote && (word == "render" || word == "template"))
        return word + " draws with cairo, which this build of brevant lacks; use brevant on Linux to draw";
    return "unknown command " + Quoted(word) + "; 'brevant --help' lists the commands";
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Look at, check, convert, edit and draw embroidery hoop catalogues.\n"
                 "A catalogue is an INI text file, or a binary INI file when its name ends in .inb.",
                 "brevant"};
    app.set_version_flag("--version", BREVANT_VERSION);
    app.allow_windows_style_options(
        false); // "/x" is a path, on Windows too: the options are "--x" everywhere
    app.require_subcommand(1);
    app.footer("Exit status: 0 success, 1 the file had faulty lines or a check failed, "
               "2 the file could not be loaded or the arguments are wrong.\n"
               "'brevant COMMAND --help' describes a command." +
               std::string(kDrawingNote));
    PrepareStandardStreams();
    std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    int status = kExitOk;
    AddListCommand(app, status);
    AddShowCommand(app, status);
    AddCheckCommand(app, status);
    AddConvertCommand(app, status);
#ifdef BREVANT_DRAWING
    AddRenderCommand(app, status);
#endif
    AddJsonCommands(app, status);
    AddFitCommand(app, status);
    AddRotateCommand(app, status);
#ifdef BREVANT_DRAWING
    AddTemplateCommand(app, status);
#endif
    AddEditCommands(app, status);
    AddMergeCommand(app, status);
    if (IsUnknownCommand(app, arguments)) {
        PrintError(UnknownCommandMessage(arguments[1]));
        return kExitFailed;
    }
    try {
        // CLI11 takes the arguments last first, without the program name.
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
        app.parse(reversed);
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
