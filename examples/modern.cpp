// Modern C++: lists a catalogue's hoops with the size of their sew fields and the file's faulty lines, marks
// each hoop as checked and saves the catalogue safely.
//   example_modern HOOPS.ini OUT.ini
#include <brevant/catalogue.hpp>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) try {
    if (argc != 3)
        return 1;
    brevant::Catalogue catalogue = brevant::Catalogue::load(argv[1]);
    for (const brevant::Diagnostic& diagnostic : catalogue.diagnostics())
        if (diagnostic.kind == brevant::DiagnosticKind::error)
            std::cerr << argv[1] << ":" << diagnostic.line << ": " << diagnostic.text << '\n';
    for (brevant::Hoop& hoop : catalogue.hoops) {
        const brevant::Rect& field = hoop.sew_field;
        std::cout << hoop.description << ": " << std::abs(field.right - field.left) << " x "
                  << std::abs(field.bottom - field.top) << '\n';
        hoop.description += " (checked)";
    }
    catalogue.save(argv[2]);
} catch (const std::exception& error) { // brevant::LoadError, brevant::SaveError
    std::cerr << error.what() << '\n';
    return 1;
}
