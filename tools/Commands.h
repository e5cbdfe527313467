// The subcommands of the tool. Each adds itself to the application; when it runs, it stores its exit status
// in `status`.
#pragma once

namespace CLI {
class App;
}

void AddListCommand(CLI::App& app, int& status);
void AddShowCommand(CLI::App& app, int& status);
void AddCheckCommand(CLI::App& app, int& status);
void AddConvertCommand(CLI::App& app, int& status);
void AddRenderCommand(CLI::App& app, int& status);
void AddJsonCommands(CLI::App& app, int& status);
void AddFitCommand(CLI::App& app, int& status);
void AddRotateCommand(CLI::App& app, int& status);
void AddTemplateCommand(CLI::App& app, int& status);
void AddEditCommands(CLI::App& app, int& status);
void AddMergeCommand(CLI::App& app, int& status);
