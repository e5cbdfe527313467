"""The installed brevant package as a Python host uses it."""

import json
import os
import pathlib
import stat
import subprocess
import sys

import pytest

import brevant

ROOT = pathlib.Path(__file__).resolve().parents[2]
SAMPLE = ROOT / "examples" / "hoops.ini"
SAMPLE_BINARY = ROOT / "examples" / "hoops.inb"

ONE_HOOP = (
    b'[hoops]\r\ntext=""\r\n\r\n'
    b'[hoops.hoop0]\r\ndescription="Small"\r\nshape="Oval"\r\ntext=""\r\npoints=-500,0,0,500,500,0\r\n\r\n'
    b'[hoops.hoop0.sewfield]\r\nrect=-400,400,400,-400\r\ntext=""\r\n\r\n'
    b'[hoops.hoop0.innerdim]\r\nrect=-450,450,450,-450\r\ntext=""\r\n\r\n'
    b'[hoops.hoop0.outerdim]\r\nrect=-600,600,600,-600\r\ntext=""\r\n\r\n'
    b'[hoops.hoop0.mounts]\r\ntext=""\r\n\r\n'
    b'[hoops.hoop0.mounts.mount0]\r\nid=2\r\nlabel="Left"\r\nrotation=90\r\nlowhighxy=0,0,-100,100\r\ntext=""\r\n\r\n'
)


def one_hoop() -> brevant.Catalogue:
    return brevant.Catalogue([brevant.Hoop(
        description="Small", shape="Oval", points=[brevant.Point(-500, 0), brevant.Point(0, 500), brevant.Point(500, 0)],
        sew_field=brevant.Rect(-400, 400, 400, -400), inner_dim=brevant.Rect(-450, 450, 450, -450),
        outer_dim=brevant.Rect(-600, 600, 600, -600),
        mounts=[brevant.Mount(label="Left", id=2, rotation=90, low_y=-100, high_y=100)])])


# ---- Loading: path, bytes, both forms; the catalogue as a sequence ----


@pytest.mark.parametrize(
    "source",
    [str(SAMPLE), SAMPLE, SAMPLE.read_bytes(), bytearray(SAMPLE.read_bytes()), str(SAMPLE_BINARY),
     SAMPLE_BINARY.read_bytes()],
    ids=["str", "path", "bytes", "bytearray", "binary file", "binary bytes"],
)
def test_every_source_gives_the_same_catalogue(source):
    reference, catalogue = brevant.load(SAMPLE), brevant.load(source)
    assert catalogue == reference and catalogue.to_bytes() == reference.to_bytes()


def test_the_catalogue_is_a_sequence_of_hoops_with_fields_as_attributes():
    catalogue = brevant.load(SAMPLE)
    assert len(catalogue) == 13 and catalogue[-1] is catalogue[12]
    assert [hoop.description for hoop in catalogue[:2]] == ["Small 50x50", "Round 100 mm"]
    assert catalogue[-1].description == "Border 330x100"
    for index in (13, -14):
        with pytest.raises(IndexError):
            catalogue[index]
    hoop = catalogue[1]
    assert (hoop.shape, hoop.rotation, hoop.mounts[0]) == ("round", 0, brevant.Mount(label="Standard", id=1))
    assert (hoop.sew_field.width, hoop.sew_field.height) == (680, 680)
    assert [hoop.sew_field, hoop.inner_dim, hoop.outer_dim] == [brevant.Rect(-d, d, d, -d) for d in (340, 500, 560)]
    assert len(hoop.points) == 36 and hoop.points[1] == brevant.Point(492, 87) and hoop.points[1].y == 87


# ---- Editing and saving ----


def test_a_built_catalogue_saves_the_exact_text(tmp_path):
    catalogue = one_hoop()
    assert catalogue.to_bytes() == ONE_HOOP
    target = tmp_path / "one.ini"
    catalogue.save(target)
    assert target.read_bytes() == ONE_HOOP
    catalogue.save(str(target))
    assert brevant.load(target) == catalogue
    assert brevant.Catalogue().to_bytes() == b'[hoops]\r\ntext=""\r\n\r\n'


def test_edits_through_attributes_and_the_sequence_are_saved():
    catalogue = brevant.load(SAMPLE)
    catalogue[0].description = "Renamed"
    catalogue[1].mounts[0].label = "Centre"
    catalogue[1].sew_field.left = -300
    catalogue[2].points[0] = brevant.Point(1, 2)
    del catalogue[3]
    catalogue.append(brevant.Hoop(description="New"))
    again = brevant.load(catalogue.to_bytes())
    assert (len(again), again[0].description, again[3].description) == (13, "Renamed", "Oval 130x180")
    assert (again[1].mounts[0].label, again[1].sew_field.left, again[2].points[0]) == ("Centre", -300, (1, 2))
    assert again[-1] == brevant.Hoop(description="New")


def test_texts_that_are_not_utf8_come_back_as_the_same_bytes():
    text = b'[hoops]\r\n[hoops.hoop0]\r\ndescription="Gr\xf6\xdfe 3"\r\nshape="\xc3\xa9t\xc3\xa9"\r\n'
    hoop = brevant.load(text)[0]
    assert hoop.shape == "\u00e9t\u00e9"
    assert b'description="Gr\xf6\xdfe 3"' in brevant.Catalogue([hoop]).to_bytes()


def test_a_failed_save_raises_and_keeps_the_old_file(tmp_path):
    catalogue = one_hoop()
    with pytest.raises(brevant.SaveError):
        catalogue.save(tmp_path)  # a directory is no file
    with pytest.raises(brevant.SaveError):
        catalogue.save(tmp_path / "missing" / "x.ini")
    if os.geteuid() != 0:  # root writes into read-only directories
        target = tmp_path / "locked" / "hoops.ini"
        target.parent.mkdir()
        target.write_bytes(b"old")
        target.parent.chmod(stat.S_IRUSR | stat.S_IXUSR)
        try:
            with pytest.raises(brevant.SaveError) as raised:
                catalogue.save(target)
            assert isinstance(raised.value, brevant.BrevantError)
            assert target.read_bytes() == b"old"
        finally:
            target.parent.chmod(stat.S_IRWXU)


# ---- Plain data: to_dict and from_dict ----


def test_to_dict_and_from_dict_round_trip_through_json():
    catalogue = brevant.load(SAMPLE)
    data = json.loads(json.dumps(catalogue.to_dict()))
    assert brevant.Catalogue.from_dict(data) == catalogue
    hoop = data["hoops"][1]
    assert (hoop["sew_field"], hoop["points"][1]) == ({"left": -340, "top": 340, "right": 340, "bottom": -340}, [492, 87])
    assert hoop["mounts"][0] == dict(label="Standard", id=1, rotation=0, low_x=0, high_x=0, low_y=0, high_y=0)
    assert brevant.Catalogue.from_dict({"hoops": [{"description": "Only"}]})[0] == brevant.Hoop(description="Only")
    extreme = brevant.Catalogue([brevant.Hoop(sew_field=brevant.Rect(-(2**31), 0, 2**31 - 1, 0))])
    assert brevant.Catalogue.from_dict(extreme.to_dict()) == extreme
    assert b"rect=-2147483648,0,2147483647,0" in extreme.to_bytes()


def from_dict(data):
    return lambda catalogue: brevant.Catalogue.from_dict(data)


def edited(edit):
    """Edits the first hoop, then saves: the check comes when the catalogue is encoded."""
    def run(catalogue):
        edit(catalogue[0])
        catalogue.to_bytes()
    return run


@pytest.mark.parametrize(
    "action, error, where",
    [
        (from_dict({"hoops": [{"rotation": 2**31}]}), ValueError, "hoops[0].rotation"),
        (from_dict({"hoops": [{}, {"mounts": [{"id": "7"}]}]}), TypeError, "hoops[1].mounts[0].id"),
        (from_dict({"hoops": [{"points": [[1, 2, 3]]}]}), TypeError, "hoops[0].points[0]"),
        (from_dict({"hoops": [{"description": b"bytes"}]}), TypeError, "hoops[0].description"),
        (from_dict({"hoops": [{"rotation": True}]}), TypeError, "hoops[0].rotation"),
        (from_dict({"hoops": ["not a hoop"]}), TypeError, "hoops[0]"),
        (edited(lambda hoop: setattr(hoop.mounts[0], "high_x", 2**40)), ValueError,
         "hoops[0].mounts[0].high_x"),
        (edited(lambda hoop: setattr(hoop.sew_field, "top", -(2**31) - 1)), ValueError,
         "hoops[0].sew_field.top"),
        (edited(lambda hoop: setattr(hoop, "description", "a\0b")), ValueError, "hoops[0].description"),
        (edited(lambda hoop: setattr(hoop.mounts[0], "label", None)), TypeError, "hoops[0].mounts[0].label"),
        (edited(lambda hoop: hoop.points.append((1, 2.5))), TypeError, "hoops[0].points[3].y"),
    ],
)
def test_refused_values_name_their_field(action, error, where):
    with pytest.raises(error, match="^" + where.replace("[", r"\[").replace("]", r"\]")):
        action(one_hoop())


def test_a_refused_value_saves_nothing(tmp_path):
    catalogue = one_hoop()
    catalogue[0].rotation = 2**31
    with pytest.raises(ValueError):
        catalogue.save(tmp_path / "never.ini")
    assert not (tmp_path / "never.ini").exists()


# ---- Diagnostics and load failures ----


def test_faulty_lines_come_as_diagnostics():
    catalogue = brevant.load(b'[hoops]\nabc\n[hoops.hoop0]\ndescription="Kept"\nsize=+5\n')
    assert [hoop.description for hoop in catalogue] == ["Kept"]
    assert [(d.line, d.kind, d.message) for d in catalogue.diagnostics] == [
        (2, "error", "Error : Line <0002> - Syntax error."),
        (5, "error", "Error : Line <0005> - Errornous, incomplete or incompatible value!"),
        (None, "summary", "Loaded INI file - Errors <0002> Warnings <0000>."),
    ]
    assert [d.kind for d in brevant.load(SAMPLE).diagnostics] == ["summary"]


@pytest.mark.parametrize(
    "source, form, failure",
    [
        (b"[other]\r\n[hoops]\r\n", "auto", False),
        (b"", "auto", False),
        (b"[hoops]\r\n", "binary", True),
        ("no/such/dir/hoops.ini", "auto", False),
    ],
    ids=["first section is not hoops", "empty", "not the binary form", "missing file"],
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


# ---- What an editor and a user see ----


def test_the_package_carries_its_type_stubs():
    package = pathlib.Path(brevant.__file__).parent
    stubs = (package / "_brevant.pyi").read_text()
    assert (package / "py.typed").is_file() and all(f"def {name}" in stubs for name in ("load_path", "save"))


def test_the_fit_example_answers_with_the_hoops_that_take_a_design():
    def fit(*arguments):
        return subprocess.run([sys.executable, str(ROOT / "examples" / "fit.py"), *arguments],
                              capture_output=True, text=True)

    result = fit(str(SAMPLE), "120x80.5")
    assert result.returncode == 0, result.stderr
    lines = result.stdout.splitlines()
    assert lines[0] == "A design of 120 x 80.5 mm fits 6 of 13 hoops:"
    assert lines[1].split()[:2] == ["Square", "150x150"] and "as it is" in lines[1]
    assert "turned 90 degrees" in fit(str(SAMPLE), "175x65mm").stdout.splitlines()[1]
    assert [fit(str(SAMPLE), size).returncode for size in ("400x10", "120by80")] == [1, 2]
