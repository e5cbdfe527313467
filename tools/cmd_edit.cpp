// brevant add / remove / set / move: change a catalogue's hoops and mounts from the command line and save it
// as convert does.
#include "Commands.h"
#include "DecimalArgument.h"
#include "Editing.h"
#include "HoopData.h"
#include "HoopFields.h"
#include "ToolOutput.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <climits>
#include <iostream>
#include <memory>

namespace {

constexpr int kNone = -1;

struct EditOptions {
    std::string path;
    int hoop = kNone;
    int mount = kNone;
    int to = kNone;
    std::string text;
    std::string shape;
    bool shapeGiven = false;
    int like = kNone;
    int id = kNone;
    std::string field;
    std::string value;
    WriteOptions write;
};

CLI::Option* AddIndex(CLI::App* command, const std::string& name, int& index, const std::string& help) {
    return command->add_option(name, index, help)->transform(DecimalInteger())->check(CLI::Range(0, INT_MAX));
}

std::string Named(CINIHoop& catalogue, int hoop) {
    CString description;
    catalogue.GetHoop(hoop, &description, nullptr);
    std::string text = description.GetString();
    return "hoop " + std::to_string(hoop) + (text.empty() ? std::string() : " (" + text + ")");
}

// The next free mount id of a hoop: one more than the largest.
int NextMountId(CINIHoop& catalogue, int hoop) {
    int largest = 0;
    for (int mount = 0; mount < catalogue.GetHoopMountCount(hoop); ++mount)
        largest = std::max(largest, catalogue.GetHoopMountID(hoop, mount));
    return largest < INT_MAX ? largest + 1 : largest;
}

int AddMount(CINIHoop& catalogue, const EditOptions& options) {
    int id = options.id >= 0 ? options.id : NextMountId(catalogue, options.to);
    int mount = catalogue.InsertHoopMount(options.to, options.text.c_str(), id, 0, 0, 0, 0, 0);
    if (mount < 0) {
        PrintError("the library could not add a mount; nothing was written");
        return kExitFailed;
    }
    std::cout << "added mount " << mount << " " << Quoted(options.text) << " (id " << id << ") to "
              << Named(catalogue, options.to) << '\n';
    return kExitOk;
}

int AddHoop(CINIHoop& catalogue, const EditOptions& options) {
    int hoop = -1;
    if (options.like >= 0) {
        if (catalogue.AppendHoop(&catalogue, options.like))
            hoop = catalogue.GetHoopCount() - 1;
    } else {
        hoop = catalogue.InsertHoop("", "");
    }
    if (hoop < 0) {
        PrintError("the library could not add a hoop; nothing was written");
        return kExitFailed;
    }
    catalogue.SetHoop(hoop, options.text.c_str(), options.shapeGiven ? options.shape.c_str() : nullptr);
    std::cout << "added " << Named(catalogue, hoop) << '\n';
    return kExitOk;
}

int RunAdd(const EditOptions& options) {
    if (options.to >= 0 && (options.shapeGiven || options.like >= 0)) {
        PrintError("SHAPE and --like describe a new hoop; a new mount (--to) takes only a label and --id");
        return kExitFailed;
    }
    if (options.to < 0 && options.id >= 0) {
        PrintError("--id is the id of a new mount; name its hoop with --to");
        return kExitFailed;
    }
    return EditFile(options.path, std::max(options.to, options.like), options.write,
                    [&](CINIHoop& catalogue) {
                        return options.to >= 0 ? AddMount(catalogue, options) : AddHoop(catalogue, options);
                    });
}

int RemoveFrom(CINIHoop& catalogue, const EditOptions& options) {
    if (options.mount >= 0) {
        if (CheckMount(catalogue, options.path, options.hoop, options.mount) != kExitOk)
            return kExitFailed;
        CString label;
        catalogue.GetHoopMountLabel(options.hoop, options.mount, &label);
        catalogue.RemoveHoopMount(options.hoop, options.mount);
        std::cout << "removed mount " << options.mount << " " << Quoted(label.GetString()) << " of "
                  << Named(catalogue, options.hoop) << '\n';
    } else {
        std::string name = Named(catalogue, options.hoop);
        catalogue.RemoveHoop(options.hoop);
        std::cout << "removed " << name << "; the hoops after it move up by one\n";
    }
    return kExitOk;
}

int RunRemove(const EditOptions& options) {
    return EditFile(options.path, options.hoop, options.write,
                    [&](CINIHoop& catalogue) { return RemoveFrom(catalogue, options); });
}

int RunSet(const EditOptions& options) {
    return EditFile(options.path, options.hoop, options.write, [&](CINIHoop& catalogue) {
        std::string problem = SetHoopField(catalogue, options.hoop, options.field, options.value);
        if (problem.empty())
            return kExitOk;
        PrintError(problem + "; nothing was written");
        return kExitFailed;
    });
}

// The indices 0 to count - 1 with `from` taken out and put in at `to`.
std::vector<int> MovedOrder(int count, int from, int to) {
    std::vector<int> order;
    for (int index = 0; index < count; ++index) {
        if (index != from)
            order.push_back(index);
    }
    order.insert(order.begin() + to, from);
    return order;
}

int RangeError(const std::string& what, int to, int count) {
    PrintError("cannot move to " + what + " " + std::to_string(to) + "; the positions are 0 to " +
               std::to_string(count - 1));
    return kExitFailed;
}

// The library appends only, so the hoops are copied one by one in their new order into a new catalogue.
int MoveHoop(CINIHoop& catalogue, CINIHoop& moved, const EditOptions& options) {
    int count = catalogue.GetHoopCount();
    if (options.to >= count)
        return RangeError("hoop", options.to, count);
    std::vector<HoopData> hoops = ReadHoops(catalogue);
    std::vector<HoopData> expected;
    moved.Create();
    for (int index : MovedOrder(count, options.hoop, options.to)) {
        moved.AppendHoop(&catalogue, index);
        expected.push_back(hoops[index]);
    }
    std::string difference = FirstDifference(expected, ReadHoops(moved));
    if (!difference.empty()) {
        PrintError("the library's copy differs: " + difference + "; nothing was written");
        return kExitFailed;
    }
    std::cout << "moved " << Named(moved, options.to) << " from position " << options.hoop << '\n';
    return kExitOk;
}

int MoveMount(CINIHoop& catalogue, const EditOptions& options) {
    int count = catalogue.GetHoopMountCount(options.hoop);
    if (options.to >= count)
        return RangeError("mount", options.to, count);
    std::vector<MountData> mounts = ReadHoops(catalogue)[options.hoop].mounts;
    while (catalogue.GetHoopMountCount(options.hoop) > 0)
        catalogue.RemoveHoopMount(options.hoop, 0);
    for (int index : MovedOrder(count, options.mount, options.to)) {
        const MountData& mount = mounts[index];
        catalogue.InsertHoopMount(options.hoop, mount.label.c_str(), mount.id, mount.rotation, mount.lowX,
                                  mount.highX, mount.lowY, mount.highY);
    }
    std::cout << "moved mount " << Quoted(mounts[options.mount].label) << " of "
              << Named(catalogue, options.hoop) << " to position " << options.to << '\n';
    return kExitOk;
}

int RunMove(const EditOptions& options) {
    CINIHoop catalogue;
    CatalogueInput input;
    int status = OpenForEdit(catalogue, input, options.path, options.hoop);
    if (status == kExitFailed)
        return status;
    if (options.mount >= 0) {
        if (CheckMount(catalogue, options.path, options.hoop, options.mount) != kExitOk ||
            MoveMount(catalogue, options) != kExitOk)
            return kExitFailed;
        return SaveEdited(catalogue, input, status, options.write);
    }
    CINIHoop moved;
    if (MoveHoop(catalogue, moved, options) != kExitOk)
        return kExitFailed;
    return SaveEdited(moved, input, status, options.write);
}

const char* const kWritesLikeConvert =
    " The catalogue is written back to FILE, or to OUT with -o, as convert writes: never when the file "
    "holds something the catalogue does not carry (unless --force), and only once it reads back the same.";

void AddAdd(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("add", "Add a hoop, or a mount to a hoop");
    command->footer(
        std::string("Add a hoop with description TEXT at the end of the catalogue: empty, or a copy "
                    "of hoop --like with the new texts. With --to HOOP, add a mount labelled TEXT "
                    "to that hoop instead, with limits 0 and the next free id. Set the other "
                    "fields with 'brevant set'.") +
        kWritesLikeConvert);
    auto options = std::make_shared<EditOptions>();
    command->add_option("FILE", options->path, "Catalogue to change")->required();
    command->add_option("TEXT", options->text, "Description of the new hoop, or label of the new mount")
        ->required();
    command->add_option("SHAPE", options->shape, "Shape of the new hoop (square, round, oval, ...)");
    AddIndex(command, "--like", options->like, "Copy the fields and mounts of this hoop");
    AddIndex(command, "--to", options->to, "Add a mount to this hoop instead of a hoop");
    AddIndex(command, "--id", options->id, "Id of the new mount (the next free one when left out)");
    AddWriteOptions(*command, options->write, false);
    command->callback([options, command, &status] {
        options->shapeGiven = command->count("SHAPE") > 0;
        status = RunAdd(*options);
    });
}

void AddRemove(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("remove", "Remove a hoop, or one of its mounts");
    command->footer(
        std::string("Remove hoop HOOP (the hoops after it move up by one), or with --mount M only "
                    "that mount of it.") +
        kWritesLikeConvert);
    auto options = std::make_shared<EditOptions>();
    command->add_option("FILE", options->path, "Catalogue to change")->required();
    AddIndex(command, "HOOP", options->hoop, "Index of the hoop (from 0)")->required();
    AddIndex(command, "--mount", options->mount, "Remove only this mount of the hoop (index from 0)");
    AddWriteOptions(*command, options->write, false);
    command->callback([options, &status] { status = RunRemove(*options); });
}

std::string FieldList() {
    std::string list;
    for (const std::string& name : HoopFieldNames())
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

void AddSet(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("set", "Change one field of a hoop or of one of its mounts");
    command->footer(
        "Set FIELD of hoop HOOP to VALUE. Fields: " + FieldList() +
        " (N is the mount's index; names in any letter case). Numbers are decimal whole numbers in "
        "tenths of a millimetre, y pointing up (rotation in degrees); a rectangle is "
        "left,top,right,bottom, points are x,y,x,y,..., lowhighxy is lowx,highx,lowy,highy. "
        "Example: brevant set hoops.ini 4 sewfield -650,900,650,-900." +
        kWritesLikeConvert);
    auto options = std::make_shared<EditOptions>();
    command->add_option("FILE", options->path, "Catalogue to change")->required();
    AddIndex(command, "HOOP", options->hoop, "Index of the hoop (from 0)")->required();
    command->add_option("FIELD", options->field, "Field to set, e.g. description or mounts.0.label")
        ->required();
    command->add_option("VALUE", options->value, "New value")->required();
    AddWriteOptions(*command, options->write, false);
    command->callback([options, &status] { status = RunSet(*options); });
}

void AddMove(CLI::App& app, int& status) {
    auto* command = app.add_subcommand("move", "Move a hoop, or a mount, to another position");
    command->footer(std::string("Move hoop HOOP to position TO; the hoops between shift by one. With --mount "
                                "M, move that mount of the hoop to mount position TO instead.") +
                    kWritesLikeConvert);
    auto options = std::make_shared<EditOptions>();
    command->add_option("FILE", options->path, "Catalogue to change")->required();
    AddIndex(command, "HOOP", options->hoop, "Index of the hoop (from 0)")->required();
    AddIndex(command, "TO", options->to, "Its new position (from 0)")->required();
    AddIndex(command, "--mount", options->mount, "Move this mount of the hoop instead (index from 0)");
    AddWriteOptions(*command, options->write, false);
    command->callback([options, &status] { status = RunMove(*options); });
}

} // namespace

void AddEditCommands(CLI::App& app, int& status) {
    AddAdd(app, status);
    AddRemove(app, status);
    AddSet(app, status);
    AddMove(app, status);
}
