"""The installed brevant package as a Python host uses it: what the binding adds to the library (the hand-over
of every field both ways, texts as str, errors and diagnostics as Python objects, plain-data conversion)."""

import json
import pathlib
import subprocess
import sys

import pytest

import brevant

ROOT = pathlib.Path(__file__).resolve().parents[2]
SAMPLE = ROOT / "examples" / "hoops.ini"
SAMPLE_BINARY = ROOT / "examples" / "hoops.inb"


def one_hoop() -> brevant.Catalogue:
    """A hoop whose every number differs, so that a field handed over in the wrong place shows."""
    return brevant.Catalogue([brevant.Hoop(
        description="Small", shape="Oval", points=[brevant.Point(-500, 1), brevant.Point(2, 500), brevant.Point(501, 3)],
        sew_field=brevant.Rect(-400, 401, 402, -403), inner_dim=brevant.Rect(-450, 451, 452, -453),
        outer_dim=brevant.Rect(-600, 601, 602, -603),
        mounts=[brevant.Mount(label="Left", id=2, rotation=90, low_x=-7, high_x=8, low_y=-100, high_y=101)])])


@pytest.mark.parametrize(
    "source", [str(SAMPLE), SAMPLE, SAMPLE.read_bytes(), bytearray(SAMPLE.read_bytes()), str(SAMPLE_BINARY),
               memoryview(SAMPLE_BINARY.read_bytes())],
    ids=["str", "path", "bytes", "bytearray", "binary file", "binary memoryview"])
def test_every_source_gives_the_same_catalogue(source):
    reference, catalogue = brevant.load(SAMPLE), brevant.load(source)
    assert catalogue == reference and catalogue.to_bytes() == reference.to_bytes()


def test_a_loaded_hoop_has_every_field_in_its_place():
    catalogue = brevant.load(SAMPLE)
    assert len(catalogue) == 13 and catalogue[-1].description == "Border 330x100"
    assert [hoop.description for hoop in catalogue[:2]] == ["Small 50x50", "Round 100 mm"]
    hoop = catalogue[11]
    assert (hoop.shape, hoop.rotation, hoop.sew_field.width, hoop.sew_field.height) == ("multi-position", 0, 1300, 1800)
    assert (hoop.inner_dim.top, hoop.outer_dim.left, hoop.points[1]) == (2000, -880, brevant.Point(748, 1901))
    assert hoop.mounts[2] == brevant.Mount(label="Top", id=3, rotation=0, low_x=0, high_x=0, low_y=1000, high_y=1000)
    assert (brevant.Rect(402, -403, -400, 401).width, brevant.Rect(402, -403, -400, 401).height) == (802, 804)


def test_edits_are_saved_and_come_back(tmp_path):
    catalogue = brevant.load(SAMPLE)
    del catalogue[3]
    catalogue.insert(1, one_hoop()[0])
    catalogue[2].mounts[0].label = "Centre"
    target = tmp_path / "edited.ini"
    catalogue.save(target)
    again = brevant.load(target)
    assert again == catalogue != brevant.load(SAMPLE)
    assert [hoop.description for hoop in again[:4]] == ["Small 50x50", "Small", "Round 100 mm", "Round 150 mm"]
    assert again[4].description == "Oval 130x180" and again[2].mounts[0].label == "Centre"
    assert b"lowhighxy=-7,8,-100,101\r\n" in again.to_bytes()
    catalogue.save(str(target))
    assert brevant.Catalogue().to_bytes() == b'[hoops]\r\ntext=""\r\n\r\n'


def test_texts_that_are_not_utf8_come_back_as_the_same_bytes():
    text = b'[hoops]\r\n[hoops.hoop0]\r\ndescription="Gr\xf6\xdfe 3"\r\nshape="\xc3\xa9t\xc3\xa9"\r\n'
    hoop = brevant.load(text)[0]
    assert hoop.shape == "\u00e9t\u00e9"
    assert b'description="Gr\xf6\xdfe 3"' in brevant.Catalogue([hoop]).to_bytes()


def test_a_failed_save_raises_a_save_error(tmp_path):
    with pytest.raises(brevant.SaveError) as raised:
        one_hoop().save(tmp_path)  # a directory is no file
    assert isinstance(raised.value, brevant.BrevantError) and str(tmp_path) in str(raised.value)


def test_to_dict_and_from_dict_round_trip_through_json():
    catalogue = one_hoop()
    data = json.loads(json.dumps(catalogue.to_dict()))
    assert brevant.Catalogue.from_dict(data) == catalogue
    hoop = data["hoops"][0]
    assert (hoop["sew_field"], hoop["points"][1]) == ({"left": -400, "top": 401, "right": 402, "bottom": -403}, [2, 500])
    assert hoop["mounts"][0] == dict(label="Left", id=2, rotation=90, low_x=-7, high_x=8, low_y=-100, high_y=101)
    assert brevant.Catalogue.from_dict({"hoops": [{"description": "Only"}]})[0] == brevant.Hoop(description="Only")
    extreme = brevant.Catalogue([brevant.Hoop(sew_field=brevant.Rect(-(2**31), 0, 2**31 - 1, 0))])
    assert brevant.Catalogue.from_dict(extreme.to_dict()) == extreme
    assert b"rect=-2147483648,0,2147483647,0" in extreme.to_bytes()


def from_dict(data):
    return lambda catalogue, path: brevant.Catalogue.from_dict(data)


def saved(edit):
    """Edits the first hoop, then saves: the check comes when the catalogue is encoded."""
    def run(catalogue, path):
        edit(catalogue[0])
        catalogue.save(path)
    return run


@pytest.mark.parametrize(
    "action, error, where",
    [
        (from_dict({"hoops": [{"rotation": 2**31}]}), ValueError, "hoops[0].rotation"),
        (from_dict({"hoops": [{}, {"mounts": [{"id": "7"}]}]}), TypeError, "hoops[1].mounts[0].id"),
        (from_dict({"hoops": [{"points": [[1, 2, 3]]}]}), TypeError, "hoops[0].points[0]"),
        (from_dict({"hoops": ["not a hoop"]}), TypeError, "hoops[0]"),
        (saved(lambda hoop: setattr(hoop.mounts[0], "high_x", 2**40)), ValueError, "hoops[0].mounts[0].high_x"),
        (saved(lambda hoop: setattr(hoop.sew_field, "top", -(2**31) - 1)), ValueError, "hoops[0].sew_field.top"),
        (saved(lambda hoop: setattr(hoop, "description", "a\0b")), ValueError, "hoops[0].description"),
        (saved(lambda hoop: setattr(hoop, "rotation", True)), TypeError, "hoops[0].rotation"),
        (saved(lambda hoop: setattr(hoop.mounts[0], "label", None)), TypeError, "hoops[0].mounts[0].label"),
        (saved(lambda hoop: hoop.points.append((1, 2.5))), TypeError, "hoops[0].points[3].y"),
    ],
)
def test_refused_values_name_their_field_and_save_nothing(action, error, where, tmp_path):
    with pytest.raises(error, match="^" + where.replace("[", r"\[").replace("]", r"\]")):
        action(one_hoop(), tmp_path / "never.ini")
    assert not (tmp_path / "never.ini").exists()


def test_faulty_lines_come_as_diagnostics():
    catalogue = brevant.load(b'[hoops]\nabc\n[hoops.hoop0]\ndescription="Kept"\nsize=+5\n')
    assert [hoop.description for hoop in catalogue] == ["Kept"]
    assert [(d.line, d.kind, d.message) for d in catalogue.diagnostics] == [
        (2, "error", "Error : Line <0002> - Syntax error."),
        (5, "error", "Error : Line <0005> - Errornous, incomplete or incompatible value!"),
        (None, "summary", "Loaded INI file - Errors <0002> Warnings <0000>."),
    ]


@pytest.mark.parametrize(
    "source, form, failure",
    [(b"[other]\r\n[hoops]\r\n", "auto", False), (b"[hoops]\r\n", "binary", True), ("no/such/hoops.ini", "text", False)],
    ids=["first section is not hoops", "not the binary form", "missing file"],
)
def test_failed_loads_raise_with_their_diagnostics(source, form, failure):
    with pytest.raises(brevant.LoadError) as raised:
        brevant.load(source, form=form)
    assert isinstance(raised.value, brevant.BrevantError)
    failures = [d.message for d in raised.value.diagnostics if d.kind == "failure"]
    assert bool(failures) == failure and all(message.startswith("Failure : ") for message in failures)
    if isinstance(source, str):
        assert source in str(raised.value)


@pytest.mark.parametrize("source, form, error", [(SAMPLE, "json", ValueError), (42, "auto", TypeError)])
def test_arguments_of_the_wrong_kind_are_refused(source, form, error):
    with pytest.raises(error):
        brevant.load(source, form=form)


def test_the_package_carries_its_type_stubs_and_the_fit_example_runs():
    package = pathlib.Path(brevant.__file__).parent
    assert (package / "py.typed").is_file() and "def load_path" in (package / "_brevant.pyi").read_text()
    result = subprocess.run([sys.executable, str(ROOT / "examples" / "fit.py"), str(SAMPLE), "175x65mm"],
                            capture_output=True, text=True)
    assert result.returncode == 0 and "Sleeve 70x180" in result.stdout and "turned 90 degrees" in result.stdout
