"""The compiled core of the brevant package; use the names of `brevant` itself."""

from typing import Any, Dict, List, Optional, Tuple

# A catalogue as plain data, in the shape of brevant.Catalogue.to_dict().
CatalogueDict = Dict[str, Any]
# One diagnostic: line number (None when it has none), kind ("error", "warning", "failure", "summary"), text.
RawDiagnostic = Tuple[Optional[int], str, str]

def load_path(path: bytes, form: str) -> Tuple[Optional[CatalogueDict], List[RawDiagnostic], str]:
    """The catalogue at a path, its diagnostics, and why it failed (the catalogue is then None)."""

def load_bytes(data: bytes, form: str) -> Tuple[Optional[CatalogueDict], List[RawDiagnostic], str]:
    """The same for a catalogue held in memory."""

def encode(hoops: List[Any]) -> bytes:
    """The exact INI text that save() writes for a list of brevant.Hoop."""

def save(hoops: List[Any], path: bytes) -> Optional[str]:
    """Saves checked; None on success, otherwise what went wrong."""
