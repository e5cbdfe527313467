// brevant rotate FILE HOOP DEGREES -o OUT: turn a hoop, outline included, and save the catalogue safely.
#include "Catalogue.h"
#include "Commands.h"
#include "DecimalArgument.h"
#include "Editing.h"
#include "HoopData.h"
#include "HoopGeometry.h"
#include "ToolOutput.h"
#include "Units.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <memory>

namespace {

struct RotateOptions {
    std::string path;
    int hoop = 0;
    int degrees = 0;
    bool anyAngle = false;
    WriteOptions write;
};

const char* const kQuarterTurnsOnly =
    " is not a quarter turn: rotate turns by multiples of 90 degrees, which keep every rectangle exact. "
    "Another angle tilts the rectangles, and a hoop file holds them only upright: each would be kept as its "
    "two turned corners, rounded to tenths of a millimetre. Pass --any-angle to turn anyway";

std::string SizeText(const HoopRect& rect) {
    return FormatSizeMm(Extent(rect.right, rect.left), Extent(rect.top, rect.bottom)) + " mm";
}

// After a tilted turn: what became of each rectangle, and whether the sew field still lies in the outline.
void TellWhatRoundingDid(const HoopData& before, const HoopData& after, int degrees) {
    PrintWarning(
        "a turn by " + std::to_string(degrees) +
        " degrees keeps each rectangle as its two turned corners, rounded to tenths of a millimetre:");
    const struct {
        const char* name;
        HoopRect HoopData::*rect;
    } rectangles[] = {{"sew field", &HoopData::sewField},
                      {"inner dimension", &HoopData::innerDim},
                      {"outer dimension", &HoopData::outerDim}};
    for (const auto& rectangle : rectangles) {
        if (before.*rectangle.rect == HoopRect{})
            continue;
        std::cerr << "  " << rectangle.name << " " << SizeText(before.*rectangle.rect) << " is now "
                  << SizeText(after.*rectangle.rect) << '\n';
    }
    if (SewFieldInsideOutline(before) && !SewFieldInsideOutline(after))
        PrintWarning("the sew field no longer lies inside the outline");
}

// Turns hoop `hoop` and its outline by `degrees`; answers kExitOk, or kExitFailed after saying why.
int TurnOne(CINIHoop& catalogue, int hoop, int degrees) {
    HoopData before = ReadHoops(catalogue)[hoop];
    std::string reason = CannotTurn(before, degrees);
    if (!reason.empty()) {
        PrintError(HoopName(hoop, before) + ": " + reason + " would not fit 32 bits turned by " +
                   std::to_string(degrees) + " degrees; nothing was written");
        return kExitFailed;
    }
    if (!TurnHoop(catalogue, hoop, degrees)) {
        PrintError("the library could not store the turned outline; nothing was written");
        return kExitFailed;
    }
    if (degrees % 90 != 0)
        TellWhatRoundingDid(before, ReadHoops(catalogue)[hoop], degrees);
    return kExitOk;
}

int RunRotate(const RotateOptions& options) {
    int degrees = NormalisedDegrees(options.degrees);
    if (degrees % 90 != 0 && !options.anyAngle) {
        PrintError(std::to_string(options.degrees) + " degrees" + kQuarterTurnsOnly +
                   "; nothing was written");
        return kExitFailed;
    }
    return EditFile(options.path, options.hoop, options.write,
                    [&](CINIHoop& catalogue) { return TurnOne(catalogue, options.hoop, degrees); });
}

} // namespace

void AddRotateCommand(CLI::App& app, int& status) {
    auto* command =
        app.add_subcommand("rotate", "Turn one hoop by a quarter turn or more and save the catalogue");
    command->footer(
        "Turn one hoop clockwise (y pointing up) about the origin by DEGREES, a multiple of 90: its outline, "
        "sew field, inner and outer dimension and mount limits all turn together, so four turns by 90 give "
        "the hoop back. Each mount keeps its own rotation value. Rectangles are saved with their edges in "
        "order (left <= right, top >= bottom). The catalogue is saved to OUT as convert saves it.");
    auto options = std::make_shared<RotateOptions>();
    command->add_option("FILE", options->path, "Catalogue to read")->required();
    command->add_option("HOOP", options->hoop, "Index of the hoop to turn (from 0)")
        ->required()
        ->transform(DecimalInteger())
        ->check(CLI::Range(0, INT_MAX));
    command
        ->add_option("DEGREES", options->degrees,
                     "Clockwise angle in whole degrees: 90, 180, 270, -90 ... (others need --any-angle)")
        ->required()
        ->transform(DecimalInteger());
    command->add_flag("--any-angle", options->anyAngle,
                      "Allow an angle that is not a multiple of 90 degrees; the rectangles are then rounded");
    AddWriteOptions(*command, options->write, true);
    command->callback([options, &status] { status = RunRotate(*options); });
}
