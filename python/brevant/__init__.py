"""Embroidery hoop catalogues: load them from a file or from bytes, read and edit their hoops, save them.

    import brevant
    catalogue = brevant.load("hoops.ini")
    for hoop in catalogue:
        print(hoop.description, hoop.sew_field.width / 10, "mm wide")
    catalogue[0].mounts[0].label = "Left"
    catalogue.save("hoops.ini")

Coordinates are signed 32-bit integers in tenths of a millimetre. Texts are str; bytes that are not UTF-8
come in as surrogate escapes and are saved back as the same bytes.
"""

from __future__ import annotations

import os
from dataclasses import dataclass, field
from typing import Any, Dict, Iterable, Iterator, List, MutableSequence, NamedTuple, Optional, Union, overload

from . import _brevant

__all__ = [
    "BrevantError",
    "Catalogue",
    "Diagnostic",
    "Hoop",
    "LoadError",
    "Mount",
    "Point",
    "Rect",
    "SaveError",
    "load",
]

_INT32_MIN = -(2**31)
_INT32_MAX = 2**31 - 1


class Point(NamedTuple):
    """One point of a hoop's outline."""

    x: int
    y: int


@dataclass
class Rect:
    """A rectangle as its four edges, stored as given; width and height are distances, whatever the order."""

    left: int = 0
    top: int = 0
    right: int = 0
    bottom: int = 0

    @property
    def width(self) -> int:
        return abs(self.right - self.left)

    @property
    def height(self) -> int:
        return abs(self.top - self.bottom)


@dataclass
class Mount:
    """A position in which a hoop is fixed to the machine, with the travel limits it allows."""

    label: str = ""
    id: int = 0
    rotation: int = 0
    low_x: int = 0
    high_x: int = 0
    low_y: int = 0
    high_y: int = 0


@dataclass
class Hoop:
    """One hoop: its texts, rotation in whole degrees (as stored: changing it turns nothing), rectangles, outline
    and mounts."""

    description: str = ""
    shape: str = ""
    rotation: int = 0
    sew_field: Rect = field(default_factory=Rect)
    inner_dim: Rect = field(default_factory=Rect)
    outer_dim: Rect = field(default_factory=Rect)
    points: List[Point] = field(default_factory=list)
    mounts: List[Mount] = field(default_factory=list)


@dataclass(frozen=True)
class Diagnostic:
    """One message of a load: a faulty line of the file, a warning, a failure or the summary of a load."""

    line: Optional[int]
    kind: str
    message: str

    def __str__(self) -> str:
        return self.message


class BrevantError(Exception):
    """A load or a save failed; `diagnostics` holds what the library reported on the way."""

    def __init__(self, message: str, diagnostics: Iterable[Diagnostic] = ()) -> None:
        super().__init__(message)
        self.diagnostics: List[Diagnostic] = list(diagnostics)


class LoadError(BrevantError):
    """The source could not be read as a hoop catalogue."""


class SaveError(BrevantError):
    """The catalogue could not be saved; a file that was there before is left as it was."""


def _int32(value: Any, where: str) -> int:
    if isinstance(value, bool) or not isinstance(value, int):
        raise TypeError(f"{where} must be an int, not {type(value).__name__}")
    if not _INT32_MIN <= value <= _INT32_MAX:
        raise ValueError(f"{where} = {value} does not fit a signed 32-bit integer")
    return value


def _text(value: Any, where: str) -> str:
    if not isinstance(value, str):
        raise TypeError(f"{where} must be a str, not {type(value).__name__}")
    if "\0" in value:
        raise ValueError(f"{where} holds a NUL character")
    return value


_RECT_FIELDS = ("left", "top", "right", "bottom")
_MOUNT_NUMBERS = ("id", "rotation", "low_x", "high_x", "low_y", "high_y")
_RECTS = ("sew_field", "inner_dim", "outer_dim")


def _rect_to_dict(rect: Rect, where: str) -> Dict[str, int]:
    return {name: _int32(getattr(rect, name), f"{where}.{name}") for name in _RECT_FIELDS}


def _mount_to_dict(mount: Mount, where: str) -> Dict[str, Any]:
    result: Dict[str, Any] = {"label": _text(mount.label, f"{where}.label")}
    for name in _MOUNT_NUMBERS:
        result[name] = _int32(getattr(mount, name), f"{where}.{name}")
    return result


def _hoop_to_dict(hoop: Hoop, where: str) -> Dict[str, Any]:
    if not isinstance(hoop, Hoop):
        raise TypeError(f"{where} must be a brevant.Hoop, not {type(hoop).__name__}")
    result: Dict[str, Any] = {
        "description": _text(hoop.description, f"{where}.description"),
        "shape": _text(hoop.shape, f"{where}.shape"),
        "rotation": _int32(hoop.rotation, f"{where}.rotation"),
    }
    for name in _RECTS:
        result[name] = _rect_to_dict(getattr(hoop, name), f"{where}.{name}")
    result["points"] = [list(_point_from_list(point, f"{where}.points[{index}]")) for index, point in enumerate(hoop.points)]
    result["mounts"] = [_mount_to_dict(mount, f"{where}.mounts[{index}]") for index, mount in enumerate(hoop.mounts)]
    return result


def _field(data: Dict[str, Any], name: str, where: str, default: Any) -> Any:
    if not isinstance(data, dict):
        raise TypeError(f"{where} must be a dict, not {type(data).__name__}")
    return data.get(name, default)


def _rect_from_dict(data: Any, where: str) -> Rect:
    return Rect(*(_int32(_field(data, name, where, 0), f"{where}.{name}") for name in _RECT_FIELDS))


def _mount_from_dict(data: Any, where: str) -> Mount:
    numbers = {name: _int32(_field(data, name, where, 0), f"{where}.{name}") for name in _MOUNT_NUMBERS}
    return Mount(label=_text(_field(data, "label", where, ""), f"{where}.label"), **numbers)


def _point_from_list(data: Any, where: str) -> Point:
    if not isinstance(data, (list, tuple)) or len(data) != 2:
        raise TypeError(f"{where} must be a pair [x, y]")
    return Point(_int32(data[0], f"{where}.x"), _int32(data[1], f"{where}.y"))


def _hoop_from_dict(data: Any, where: str) -> Hoop:
    return Hoop(
        description=_text(_field(data, "description", where, ""), f"{where}.description"),
        shape=_text(_field(data, "shape", where, ""), f"{where}.shape"),
        rotation=_int32(_field(data, "rotation", where, 0), f"{where}.rotation"),
        sew_field=_rect_from_dict(_field(data, "sew_field", where, {}), f"{where}.sew_field"),
        inner_dim=_rect_from_dict(_field(data, "inner_dim", where, {}), f"{where}.inner_dim"),
        outer_dim=_rect_from_dict(_field(data, "outer_dim", where, {}), f"{where}.outer_dim"),
        points=[
            _point_from_list(point, f"{where}.points[{index}]")
            for index, point in enumerate(_field(data, "points", where, []))
        ],
        mounts=[
            _mount_from_dict(mount, f"{where}.mounts[{index}]")
            for index, mount in enumerate(_field(data, "mounts", where, []))
        ],
    )


def _diagnostics(raw: Iterable[Any]) -> List[Diagnostic]:
    return [Diagnostic(line, kind, message) for line, kind, message in raw]


class Catalogue(MutableSequence[Hoop]):
    """A hoop catalogue: a mutable sequence of Hoop objects, with the diagnostics of the load that made it."""

    def __init__(self, hoops: Iterable[Hoop] = ()) -> None:
        self._hoops: List[Hoop] = list(hoops)
        self.diagnostics: List[Diagnostic] = []

    @overload
    def __getitem__(self, index: int) -> Hoop: ...

    @overload
    def __getitem__(self, index: slice) -> List[Hoop]: ...

    def __getitem__(self, index: Union[int, slice]) -> Union[Hoop, List[Hoop]]:
        return self._hoops[index]

    def __setitem__(self, index: Any, value: Any) -> None:
        self._hoops[index] = value

    def __delitem__(self, index: Union[int, slice]) -> None:
        del self._hoops[index]

    def __len__(self) -> int:
        return len(self._hoops)

    def __iter__(self) -> Iterator[Hoop]:
        return iter(self._hoops)

    def insert(self, index: int, value: Hoop) -> None:
        self._hoops.insert(index, value)

    def __eq__(self, other: object) -> bool:
        return isinstance(other, Catalogue) and self._hoops == other._hoops

    def __repr__(self) -> str:
        return f"<brevant.Catalogue of {len(self._hoops)} hoops>"

    def to_dict(self) -> Dict[str, Any]:
        """The catalogue as plain dicts, lists, str and int (ready for json.dumps)."""
        return {"hoops": [_hoop_to_dict(hoop, f"hoops[{index}]") for index, hoop in enumerate(self._hoops)]}

    @classmethod
    def from_dict(cls, data: Dict[str, Any]) -> "Catalogue":
        """The catalogue that to_dict() described; missing fields take their defaults."""
        hoops = _field(data, "hoops", "catalogue", [])
        return cls(_hoop_from_dict(hoop, f"hoops[{index}]") for index, hoop in enumerate(hoops))

    def to_bytes(self) -> bytes:
        """The exact INI text that save() writes."""
        return self._through_core(_brevant.encode)

    def save(self, path: Union[str, "os.PathLike[str]"]) -> None:
        """Writes the catalogue as INI text: into a new file beside the target, renamed over it when whole."""
        message = self._through_core(_brevant.save, os.fsencode(path))
        if message is not None:
            raise SaveError(f"cannot save {os.fsdecode(path)!r}: {message}")

    def _through_core(self, call: Any, *arguments: Any) -> Any:
        # The compiled core checks every field as it reads it; to_dict() then names the field it refused.
        try:
            return call(self._hoops, *arguments)
        except Exception:
            self.to_dict()
            raise


# What the compiled core builds a loaded catalogue of, each called with its fields in order.
_CLASSES = (Hoop, Mount, Rect, Point)


def load(source: Union[str, "os.PathLike[str]", bytes, bytearray, memoryview], form: str = "auto") -> Catalogue:
    """Loads a catalogue from a file path or from its bytes.

    form is "text", "binary" or "auto" (the binary form when the bytes begin as it does, text otherwise,
    whatever the file is called). Raises LoadError, carrying the diagnostics, when the source is no hoop
    catalogue or cannot be read.
    """
    if form not in ("auto", "text", "binary"):
        raise ValueError(f"form must be 'auto', 'text' or 'binary', not {form!r}")
    if isinstance(source, (bytes, bytearray, memoryview)):
        hoops, raw, message = _brevant.load_bytes(bytes(source), form, _CLASSES)
        name = "the bytes"
    else:
        hoops, raw, message = _brevant.load_path(os.fsencode(source), form, _CLASSES)
        name = repr(os.fsdecode(source))
    diagnostics = _diagnostics(raw)
    if hoops is None:
        raise LoadError(f"cannot load {name}: {message}", diagnostics)
    catalogue = Catalogue(hoops)
    catalogue.diagnostics = diagnostics
    return catalogue
