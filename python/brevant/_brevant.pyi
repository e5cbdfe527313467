"""The compiled core of the brevant package; use the names of `brevant` itself."""

from typing import Any, List, Optional, Tuple
# One diagnostic: line number (None when it has none), kind ("error", "warning", "failure", "summary"), text.
RawDiagnostic = Tuple[Optional[int], str, str]

# The classes a load builds its hoops of: (brevant.Hoop, brevant.Mount, brevant.Rect, brevant.Point).
Classes = Tuple[type, type, type, type]

def load_path(path: bytes, form: str, classes: Classes) -> Tuple[Optional[List[Any]], List[RawDiagnostic], str]:
    """The hoops of the catalogue at a path, its diagnostics, and why it failed (the hoops are then None)."""

def load_bytes(data: bytes, form: str, classes: Classes) -> Tuple[Optional[List[Any]], List[RawDiagnostic], str]:
    """The same for a catalogue held in memory."""

def encode(hoops: List[Any]) -> bytes:
    """The exact INI text that save() writes for a list of brevant.Hoop."""

def save(hoops: List[Any], path: bytes) -> Optional[str]:
    """Saves checked; None on success, otherwise what went wrong."""
