// The modern interface's saving: the exact bytes of SaveAs, and a save that checks every step and never
// leaves a file half written.
#include <brevant/catalogue.hpp>

#include <system_error>

#include "hoop/HoopFiles.h"
#include "platform/Files.h"

namespace brevant {

namespace {

class StringOutput : public HoopTextOutput {
  public:
    explicit StringOutput(std::string& text) : text_(text) {}
    void Write(const char* bytes, size_t size) override { text_.append(bytes, size); }

  private:
    std::string& text_;
};

SaveFailure FailureOf(FileReplaceStep step) {
    switch (step) {
    case FileReplaceStep::resolve:
        return SaveFailure::cannot_resolve;
    case FileReplaceStep::create:
        return SaveFailure::cannot_create;
    case FileReplaceStep::rename:
        return SaveFailure::rename_failed;
    default:
        return SaveFailure::write_failed;
    }
}

const char* StepName(FileReplaceStep step) {
    switch (step) {
    case FileReplaceStep::resolve:
        return "cannot follow its links";
    case FileReplaceStep::create:
        return "cannot create a temporary file beside it";
    case FileReplaceStep::rename:
        return "cannot rename the temporary file over it";
    default:
        return "cannot write it";
    }
}

} // namespace

std::string Catalogue::to_bytes() const {
    CINIHoop classic;
    to_classic(classic);
    std::string text;
    StringOutput output(text);
    HoopWriteCatalogue(CatalogueOf(classic), output);
    return text;
}

void Catalogue::save(const std::string& path) const {
    std::string bytes = to_bytes();
    FileReplaceOutcome outcome = FileReplace(path.c_str(), bytes.data(), bytes.size());
    if (outcome.step == FileReplaceStep::done)
        return;
    throw SaveError(FailureOf(outcome.step),
                    path + ": " + StepName(outcome.step) + ": " +
                        std::generic_category().message(outcome.error),
                    outcome.error);
}

} // namespace brevant
