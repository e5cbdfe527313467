// The compiled core of the Python package: loads, encodes and saves catalogues through the library's C++
// interface and hands them over as plain data in the shape of Catalogue.to_dict(); the Python side builds
// its objects from that. The interpreter lock is released while the library works.
#include <brevant/catalogue.hpp>

#include <pybind11/pybind11.h>

#include <climits>
#include <cstdint>
#include <string>
#include <utility>

namespace py = pybind11;

namespace {

// Texts are bytes: Python sees them as UTF-8, and bytes that are not UTF-8 as surrogate escapes, so that
// every text goes back as the bytes it came from.
py::str TextToPython(const std::string& text) {
    PyObject* decoded =
        PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    if (decoded == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

// The way back reads the attributes of the Python objects and checks them strictly; the Python side words
// what it refuses.
std::string TextFromPython(py::handle text) {
    if (!PyUnicode_Check(text.ptr()))
        throw py::type_error("a text must be a str");
    PyObject* encoded = PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogateescape");
    if (encoded == nullptr)
        throw py::error_already_set();
    std::string bytes = py::reinterpret_steal<py::bytes>(encoded);
    if (bytes.find('\0') != std::string::npos)
        throw py::value_error("a text holds a NUL character");
    return bytes;
}

int32_t Int32(py::handle number) {
    if (!PyLong_Check(number.ptr()) || PyBool_Check(number.ptr()))
        throw py::type_error("a number must be an int");
    int overflow = 0;
    long long value = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (overflow != 0 || value < INT32_MIN || value > INT32_MAX)
        throw py::value_error("a number does not fit a signed 32-bit integer");
    return static_cast<int32_t>(value);
}

int32_t Number(py::handle record, const char* name) {
    return Int32(record.attr(name));
}

// The Python classes a load builds: brevant.Hoop, Mount, Rect and Point, called with their fields in order.
struct Classes {
    py::object hoop;
    py::object mount;
    py::object rect;
    py::object point;
};

py::object RectToPython(const Classes& classes, const brevant::Rect& rect) {
    return classes.rect(rect.left, rect.top, rect.right, rect.bottom);
}

brevant::Rect RectFromPython(py::handle rect) {
    return brevant::Rect{Number(rect, "left"), Number(rect, "top"), Number(rect, "right"),
                         Number(rect, "bottom")};
}

py::object MountToPython(const Classes& classes, const brevant::Mount& mount) {
    return classes.mount(TextToPython(mount.label), mount.id, mount.rotation, mount.low_x, mount.high_x,
                         mount.low_y, mount.high_y);
}

brevant::Mount MountFromPython(py::handle mount) {
    brevant::Mount result;
    result.label = TextFromPython(mount.attr("label"));
    result.id = Number(mount, "id");
    result.rotation = Number(mount, "rotation");
    result.low_x = Number(mount, "low_x");
    result.high_x = Number(mount, "high_x");
    result.low_y = Number(mount, "low_y");
    result.high_y = Number(mount, "high_y");
    return result;
}

py::object HoopToPython(const Classes& classes, const brevant::Hoop& hoop) {
    py::list points(hoop.points.size());
    for (size_t index = 0; index < hoop.points.size(); ++index)
        points[index] = classes.point(hoop.points[index].x, hoop.points[index].y);
    py::list mounts(hoop.mounts.size());
    for (size_t index = 0; index < hoop.mounts.size(); ++index)
        mounts[index] = MountToPython(classes, hoop.mounts[index]);
    return classes.hoop(TextToPython(hoop.description), TextToPython(hoop.shape), hoop.rotation,
                        RectToPython(classes, hoop.sew_field), RectToPython(classes, hoop.inner_dim),
                        RectToPython(classes, hoop.outer_dim), points, mounts);
}

brevant::Hoop HoopFromPython(py::handle hoop) {
    brevant::Hoop result;
    result.description = TextFromPython(hoop.attr("description"));
    result.shape = TextFromPython(hoop.attr("shape"));
    result.rotation = Number(hoop, "rotation");
    result.sew_field = RectFromPython(hoop.attr("sew_field"));
    result.inner_dim = RectFromPython(hoop.attr("inner_dim"));
    result.outer_dim = RectFromPython(hoop.attr("outer_dim"));
    for (py::handle point : hoop.attr("points")) {
        py::tuple pair = py::tuple(py::reinterpret_borrow<py::object>(point));
        if (pair.size() != 2)
            throw py::type_error("a point must be a pair");
        result.points.push_back(brevant::Point{Int32(pair[0]), Int32(pair[1])});
    }
    for (py::handle mount : hoop.attr("mounts"))
        result.mounts.push_back(MountFromPython(mount));
    return result;
}

py::list CatalogueToPython(const Classes& classes, const brevant::Catalogue& catalogue) {
    py::list hoops(catalogue.hoops.size());
    for (size_t index = 0; index < catalogue.hoops.size(); ++index)
        hoops[index] = HoopToPython(classes, catalogue.hoops[index]);
    return hoops;
}

// A list of brevant.Hoop objects.
brevant::Catalogue CatalogueFromPython(py::handle hoops) {
    brevant::Catalogue result;
    for (py::handle hoop : hoops)
        result.hoops.push_back(HoopFromPython(hoop));
    return result;
}

const char* KindName(brevant::DiagnosticKind kind) {
    switch (kind) {
    case brevant::DiagnosticKind::error:
        return "error";
    case brevant::DiagnosticKind::warning:
        return "warning";
    case brevant::DiagnosticKind::failure:
        return "failure";
    case brevant::DiagnosticKind::summary:
        return "summary";
    }
    return "unknown";
}

py::list DiagnosticsToPython(const std::vector<brevant::Diagnostic>& diagnostics) {
    py::list result(diagnostics.size());
    for (size_t index = 0; index < diagnostics.size(); ++index) {
        const brevant::Diagnostic& diagnostic = diagnostics[index];
        py::object line =
            diagnostic.line > 0 ? py::object(py::int_(diagnostic.line)) : py::object(py::none());
        result[index] = py::make_tuple(line, KindName(diagnostic.kind), TextToPython(diagnostic.text));
    }
    return result;
}

brevant::Format FormatFromPython(const std::string& form) {
    if (form == "text")
        return brevant::Format::text;
    if (form == "binary")
        return brevant::Format::binary;
    if (form == "auto")
        return brevant::Format::detect;
    throw py::value_error("form must be 'auto', 'text' or 'binary'");
}

// Runs a load without the interpreter lock and answers (the list of hoops or None, the diagnostics, why it
// failed).
template <class Load> py::tuple Loaded(const py::tuple& classes, Load&& load) {
    brevant::Catalogue catalogue;
    try {
        py::gil_scoped_release unlocked;
        catalogue = load();
    } catch (const brevant::LoadError& error) {
        return py::make_tuple(py::none(), DiagnosticsToPython(error.diagnostics()), py::str(error.what()));
    }
    Classes built{classes[0], classes[1], classes[2], classes[3]};
    return py::make_tuple(CatalogueToPython(built, catalogue), DiagnosticsToPython(catalogue.diagnostics()),
                          py::str());
}

} // namespace

PYBIND11_MODULE(_brevant, module) {
    module.doc() = "The compiled core of the brevant package; use the names of brevant itself.";

    module.def("load_path", [](const std::string& path, const std::string& form, const py::tuple& classes) {
        brevant::Format format = FormatFromPython(form);
        return Loaded(classes, [&] { return brevant::Catalogue::load(path, format); });
    });
    module.def("load_bytes", [](const py::bytes& data, const std::string& form, const py::tuple& classes) {
        brevant::Format format = FormatFromPython(form);
        std::string_view bytes(data);
        return Loaded(classes, [&] { return brevant::Catalogue::from_bytes(bytes, format); });
    });
    module.def("encode", [](const py::list& catalogue) {
        brevant::Catalogue built = CatalogueFromPython(catalogue);
        std::string bytes;
        {
            py::gil_scoped_release unlocked;
            bytes = built.to_bytes();
        }
        return py::bytes(bytes);
    });
    module.def("save", [](const py::list& catalogue, const std::string& path) -> py::object {
        brevant::Catalogue built = CatalogueFromPython(catalogue);
        try {
            py::gil_scoped_release unlocked;
            built.save(path);
        } catch (const brevant::SaveError& error) {
            return py::str(error.what());
        }
        return py::none();
    });
}
